# Shared part of the two MinGW-w64 toolchain files.
set(CMAKE_C_COMPILER ${KX_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KX_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KX_TRIPLET}-windres)
set(CMAKE_AR ${KX_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${KX_TRIPLET}-ranlib CACHE FILEPATH "")

# Cross-built dependencies (LibTomCrypt, LibTomMath, liblzma, GoogleTest) live in the cache.
if(DEFINED ENV{KX_CACHE_DIR})
  set(KX_CACHE_DIR $ENV{KX_CACHE_DIR})
else()
  get_filename_component(KX_CACHE_DIR "${CMAKE_CURRENT_LIST_DIR}/../.cache" ABSOLUTE)
endif()
set(KX_DEPS_PREFIX ${KX_CACHE_DIR}/deps/${KX_WIDTH})

set(CMAKE_FIND_ROOT_PATH /usr/${KX_TRIPLET} ${KX_DEPS_PREFIX})
set(CMAKE_PREFIX_PATH ${KX_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows test programs run under Wine in the project's prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
