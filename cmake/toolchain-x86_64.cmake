# Cross-build for x86_64 Windows with MinGW-w64's posix-thread compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KX_TRIPLET x86_64-w64-mingw32)
set(KX_WIDTH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
