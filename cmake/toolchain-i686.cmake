# Cross-build for i686 Windows with MinGW-w64's posix-thread compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KX_TRIPLET i686-w64-mingw32)
set(KX_WIDTH i686)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
