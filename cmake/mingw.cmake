# Cross build for Windows with Debian's mingw-w64; the including toolchain file sets
# CMAKE_SYSTEM_PROCESSOR. The posix thread model gives the C++ runtime its threads and mutexes;
# the programs link it statically.
set(CMAKE_SYSTEM_NAME Windows)
set(LF_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${LF_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LF_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${LF_MINGW_TRIPLE}-windres)

# Headers and libraries come from the mingw tree only; programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${LF_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -O2, the usual level of shipped programs: -O3 takes a sixth longer to compile.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "")
