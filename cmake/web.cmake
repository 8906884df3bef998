# Settings of the web page's build (preset web): the Qt-free cores in WebAssembly, a page around
# them, and the demo catalogue beside it.
set(LOREFINDER_WEB ON)

# The generators run on the build machine: the default build makes them (target host_tools).
if(NOT EXISTS "${LOREFINDER_HOST_TOOLS}")
  message(FATAL_ERROR "The web build runs generators built for this machine; make them first:\n"
                      "  cmake --preset default && cmake --build --preset default --target host_tools")
endif()
include(${LOREFINDER_HOST_TOOLS})

# stb_image (Debian's libstb-dev) decodes the icon sheets in the module. Its folder is seen
# through one of its own, so that the build machine's C headers stay out of the wasm32 build.
if(NOT EXISTS /usr/include/stb/stb_image.h)
  message(FATAL_ERROR "stb_image.h is missing: install the package libstb-dev")
endif()
set(lf_stb_dir ${CMAKE_BINARY_DIR}/stb-include)
file(MAKE_DIRECTORY ${lf_stb_dir})
file(CREATE_LINK /usr/include/stb ${lf_stb_dir}/stb SYMBOLIC)
add_library(lf_stb_image INTERFACE)
target_include_directories(lf_stb_image SYSTEM INTERFACE ${lf_stb_dir})
