# Settings of the Windows cross build (presets windows-x86 and windows-x64).

enable_language(RC)

# Wide Win32 calls throughout; Windows 7 is the oldest system the programs ask for.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
# One folder, no runtime to install: libstdc++, libgcc and winpthread go into each program,
# stripped of their symbols.
add_link_options(-static -s)
# GCC 12's optimiser warns of overlapping copies inside std::string and, for i686, of freeing
# memory at an offset inside std::vector, neither of which can happen (known false alarms).
add_compile_options(-Wno-restrict -Wno-free-nonheap-object)

# The generators run on the build machine: the default build makes them (target host_tools).
if(NOT EXISTS "${LOREFINDER_HOST_TOOLS}")
  message(FATAL_ERROR "The Windows build runs generators built for this machine; make them first:\n"
                      "  cmake --preset default && cmake --build --preset default --target host_tools")
endif()
include(${LOREFINDER_HOST_TOOLS})

# CLI11 and nlohmann-json are header-only: Debian's headers serve the cross compiler too, seen
# through folders of their own so that the build machine's C headers stay out of its way.
set(lf_header_only_dir ${CMAKE_BINARY_DIR}/header-only)
file(MAKE_DIRECTORY ${lf_header_only_dir})
foreach(folder CLI nlohmann)
  file(CREATE_LINK /usr/include/${folder} ${lf_header_only_dir}/${folder} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${lf_header_only_dir})

# lf_windows_program(TARGET DESCRIPTION): TARGET is one program of the shipped folder, carrying
# our icon (resource 1), a version block and the manifest.
function(lf_windows_program target description)
  set(LF_PROGRAM ${target})
  set(LF_DESCRIPTION ${description})
  set(LF_ICON ${PROJECT_SOURCE_DIR}/browser/icons/lorefinder.ico)
  set(LF_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/program.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${LF_ICON};${LF_MANIFEST}")
endfunction()
