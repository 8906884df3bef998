# The web page's program files beside lftool (bin/web/), where lftool site finds them: the page
# is built with the web build's toolchain as a project of its own, running this build's
# generators (or, in a Windows build, those of the default build).
include(ExternalProject)
set(LOREFINDER_WEB_PAGE_DIR ${LOREFINDER_BIN_DIR}/web)
if(TARGET gbk_table_gen)
  set(lf_web_host_tools ${CMAKE_BINARY_DIR}/host-tools.cmake)
  set(lf_web_depends DEPENDS gbk_table_gen)  # the page needs no other generator
else()
  set(lf_web_host_tools ${LOREFINDER_HOST_TOOLS})
  set(lf_web_depends)
endif()
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
