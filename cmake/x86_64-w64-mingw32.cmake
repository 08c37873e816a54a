# Cross-compiles for 64-bit Windows. Zelvorn is delivered as a 32-bit program; this build of the
# same code runs its tests on a machine whose kernel cannot run 32-bit programs (started without
# ia32 emulation), where only 64-bit Wine runs.
#
#   cmake -S . -B build-windows64 -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(ZELVORN_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
