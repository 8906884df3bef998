# Toolchain of the web page (preset web): Debian 12's clang 16 for wasm32-wasi, with wasi-libc
# and the wasm32 libc++/libc++abi packages (no exceptions, no threads, no filesystem). Packages:
# clang-16 lld-16 llvm-16 wasi-libc libc++-16-dev-wasm32 libc++abi-16-dev-wasm32
# libclang-rt-16-dev-wasm32, and binaryen for wasm-opt (optional). Debian's emscripten (3.1.6,
# clang 14) lacks <expected>, which every core uses.
#
# Executables are reactor modules (.wasm, no main): crt1-reactor.o exports _initialize, which
# runs the static constructors and must be called once before any other export. Functions are
# exported from the source with __attribute__((export_name("..."))).

set(CMAKE_SYSTEM_NAME Generic)          # CMake 3.25 has no WASI platform; Generic = no shared libs
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(LF_WASM_TRIPLE wasm32-wasi)

set(CMAKE_C_COMPILER clang-16)
set(CMAKE_CXX_COMPILER clang++-16)
set(CMAKE_C_COMPILER_TARGET ${LF_WASM_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${LF_WASM_TRIPLE})
set(CMAKE_AR llvm-ar-16 CACHE FILEPATH "")         # GNU ar writes no symbol index for wasm objects
set(CMAKE_RANLIB llvm-ranlib-16 CACHE FILEPATH "")
set(CMAKE_C_COMPILER_AR llvm-ar-16 CACHE FILEPATH "")    # used for IPO/LTO archives
set(CMAKE_CXX_COMPILER_AR llvm-ar-16 CACHE FILEPATH "")
set(CMAKE_C_COMPILER_RANLIB llvm-ranlib-16 CACHE FILEPATH "")
set(CMAKE_CXX_COMPILER_RANLIB llvm-ranlib-16 CACHE FILEPATH "")

# Only the wasm32 headers: libc++ first, then wasi-libc, then clang's own; never the build
# machine's /usr/include (clang would otherwise search it after /usr/include/wasm32-wasi).
set(LF_WASM_INCLUDES
  "-nostdlibinc -isystem /usr/lib/llvm-16/include/${LF_WASM_TRIPLE}/c++/v1 -isystem /usr/include/${LF_WASM_TRIPLE}")
# libc++abi for wasm32 in Debian is built without exceptions (no __cxa_throw): code must be
# built with -fno-exceptions, so that libc++ calls abort() (a trap) where it would throw.
set(CMAKE_C_FLAGS_INIT "${LF_WASM_INCLUDES}")
set(CMAKE_CXX_FLAGS_INIT "${LF_WASM_INCLUDES} -fno-exceptions")
# MinSizeRel is -Oz (CMake's own -Os would come after an _INIT value and win).
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Oz -DNDEBUG" CACHE STRING "")
set(CMAKE_C_FLAGS_MINSIZEREL "-Oz -DNDEBUG" CACHE STRING "")

# Reactor module: no main, _initialize exported, memory exported. The stack goes first so that
# an overflow traps instead of overwriting static data; 1 MiB instead of wasm-ld's 64 KiB.
# clang's driver links -lc++ -lc++abi -lc and libclang_rt.builtins-wasm32.a by itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -Wl,--stack-first -Wl,-z,stack-size=1048576")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-Wl,--strip-all -Wl,--gc-sections")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-Wl,--strip-all -Wl,--gc-sections")
# The link line carries no compile flags: clang 16 runs `wasm-opt -O<level>` on its own after
# wasm-ld whenever an -O flag is on the link line and binaryen is installed, and that fails on a
# --strip-all module (no target_features section left, so binaryen 108 rejects sign-ext ops).
# wasm-opt runs only where asked, with lf_wasm_opt() below. (-flto still reaches the linker.)
set(CMAKE_CXX_LINK_EXECUTABLE
  "<CMAKE_CXX_COMPILER> --target=${LF_WASM_TRIPLE} <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")
set(CMAKE_C_LINK_EXECUTABLE
  "<CMAKE_C_COMPILER> --target=${LF_WASM_TRIPLE} <CMAKE_C_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
set(CMAKE_EXECUTABLE_SUFFIX_C .wasm)
set(CMAKE_EXECUTABLE_SUFFIX_CXX .wasm)

# Nothing to find in the build machine's folders.
set(CMAKE_FIND_ROOT_PATH /usr/lib/${LF_WASM_TRIPLE} /usr/include/${LF_WASM_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# lf_wasm_opt(TARGET): shrink the linked module with binaryen's wasm-opt (package binaryen), when
# installed. The features are the ones clang 16 uses by default for wasm32 (generic CPU).
find_program(LF_WASM_OPT wasm-opt)
function(lf_wasm_opt target)
  if(LF_WASM_OPT)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${LF_WASM_OPT} -Oz --enable-sign-ext --enable-mutable-globals
              --strip-debug --strip-producers $<TARGET_FILE:${target}> -o $<TARGET_FILE:${target}>
      VERBATIM)
  endif()
endfunction()
