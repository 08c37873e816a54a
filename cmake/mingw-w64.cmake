# Cross-compiles for Windows with Debian's MinGW-w64 for the target ZELVORN_MINGW, which the
# toolchain files i686-w64-mingw32.cmake and x86_64-w64-mingw32.cmake set before including this.
# The -posix compilers are the ones whose C++ library has std::thread and std::mutex. The C and
# C++ runtimes are linked in, so the program needs no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZELVORN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELVORN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELVORN_MINGW}-windres)
set(CMAKE_AR ${ZELVORN_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${ZELVORN_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Headers and libraries come from the MinGW tree only; programs run during the build are the
# machine's own.
set(CMAKE_FIND_ROOT_PATH /usr/${ZELVORN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
