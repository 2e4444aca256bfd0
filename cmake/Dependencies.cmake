# LibTomCrypt, LibTomMath and liblzma: cross-built into the cache for Windows, Debian's -dev
# packages for native builds. Each is offered as an imported target kx::<name>.
function(kx_import_static name header library)
  find_path(${name}_INCLUDE_DIR ${header} PATH_SUFFIXES tomcrypt tommath)
  find_library(${name}_LIBRARY NAMES ${library})
  if(NOT ${name}_INCLUDE_DIR OR NOT ${name}_LIBRARY)
    message(FATAL_ERROR "${name} not found (${header}, ${library}); run scripts/setup.sh")
  endif()
  add_library(kx::${name} UNKNOWN IMPORTED GLOBAL)
  set_target_properties(kx::${name} PROPERTIES IMPORTED_LOCATION ${${name}_LIBRARY}
                                               INTERFACE_INCLUDE_DIRECTORIES ${${name}_INCLUDE_DIR})
endfunction()

kx_import_static(tommath tommath.h tommath)
kx_import_static(tomcrypt tomcrypt.h tomcrypt)
kx_import_static(lzma lzma.h lzma)
# Code that includes tomcrypt.h uses LibTomMath as the math provider.
set_property(TARGET kx::tomcrypt APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS LTM_DESC)
set_property(TARGET kx::tomcrypt APPEND PROPERTY INTERFACE_LINK_LIBRARIES kx::tommath)

find_package(Java 17 COMPONENTS Development REQUIRED)
find_package(JNI QUIET)
# The JDK's jni.h is platform-neutral; the Windows builds pair it with our own jni_md.h.
set(KX_JDK_INCLUDE_DIR /usr/lib/jvm/java-17-openjdk-amd64/include CACHE PATH "Folder holding jni.h")
if(NOT EXISTS ${KX_JDK_INCLUDE_DIR}/jni.h)
  message(FATAL_ERROR "jni.h not found in ${KX_JDK_INCLUDE_DIR}; run scripts/setup.sh")
endif()
