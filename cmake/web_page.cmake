# The web page's program files beside lftool (bin/web/), where lftool site finds them: the page
# is built with the web build's toolchain as a project of its own, running this build's
# generators.
set(LOREFINDER_WEB_PAGE_DIR ${LOREFINDER_BIN_DIR}/web)

# The page is the same WebAssembly for every platform: a Windows build takes the one the default
# build made along with its generators (make host-tools).
if(WIN32)
  get_filename_component(lf_host_build ${LOREFINDER_HOST_TOOLS} DIRECTORY)
  add_custom_target(lf_web_page ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${lf_host_build}/bin/web ${LOREFINDER_WEB_PAGE_DIR}
    COMMENT "Taking the web page of the default build")
  return()
endif()

include(ExternalProject)
set(lf_web_host_tools ${CMAKE_BINARY_DIR}/host-tools.cmake)
set(lf_web_depends DEPENDS gbk_table_gen)  # the page needs no other generator
ExternalProject_Add(lf_web_page
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/web-page
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/wasm32-wasi.cmake
    -DCMAKE_BUILD_TYPE=MinSizeRel
    -DLOREFINDER_HOST_TOOLS=${lf_web_host_tools}
    -DLOREFINDER_PAGE_DIR=${LOREFINDER_WEB_PAGE_DIR}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target page
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  ${lf_web_depends})
set_target_properties(lf_web_page PROPERTIES EXCLUDE_FROM_ALL OFF)
