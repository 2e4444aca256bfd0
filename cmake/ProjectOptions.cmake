# Compiler flags and the facts about the target that every folder uses.
if(WIN32)
  set(KX_WINDOWS ON)
  enable_language(RC)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(KX_WIN32 ON)
  else()
    set(KX_WIN64 ON)
  endif()
else()
  set(KX_NATIVE ON)
endif()

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(KX_WINDOWS)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  # Nothing but system DLLs beside the deliverables: the C++ runtime and winpthread go in statically.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# KX_SANITIZE=address,undefined or thread (native builds only).
set(KX_SANITIZE "" CACHE STRING "Sanitizers for native builds")
if(KX_NATIVE AND KX_SANITIZE)
  add_compile_options(-fsanitize=${KX_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${KX_SANITIZE})
endif()

# Fuzz builds instrument all code for coverage; only the fuzz targets link libFuzzer's main.
if(KX_NATIVE AND KX_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${PROJECT_BINARY_DIR}/generated/version.h @ONLY)
set(KX_GENERATED_INCLUDE_DIR ${PROJECT_BINARY_DIR}/generated)

# Platform files carry the suffix _win32 or _posix; kx_platform_sources picks the ones for this build.
function(kx_platform_sources out)
  set(result "")
  foreach(base ${ARGN})
    if(KX_WINDOWS)
      list(APPEND result ${base}_win32.cpp)
    else()
      list(APPEND result ${base}_posix.cpp)
    endif()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
