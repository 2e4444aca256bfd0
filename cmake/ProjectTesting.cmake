# GoogleTest from the cache (Windows) or Debian's googletest (native), and helpers for tests.
find_package(GTest REQUIRED)
include(GoogleTest)

# 32-bit Windows programs need a machine that runs 32-bit x86 code under Wine; some virtual machines
# run 64-bit code only. There the 32-bit test programs are built but not registered with ctest.
set(KX_RUN_TEST_PROGRAMS ON)
if(KX_WIN32)
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/can-run-32bit.sh RESULT_VARIABLE can_run_32bit)
  if(NOT can_run_32bit EQUAL 0)
    set(KX_RUN_TEST_PROGRAMS OFF)
    message(STATUS "This machine cannot run 32-bit x86 code: 32-bit test programs are built, not run")
  endif()
endif()

# kx_add_gtest(<name> SOURCES ... LIBS ... [LABELS ...] [DISPLAY])
# Tests are discovered when ctest runs, not at build time, so building never starts Wine.
function(kx_add_gtest name)
  cmake_parse_arguments(T "DISPLAY" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  # GCC 12 warns falsely inside std::regex when sanitizers are on.
  target_compile_options(${name} PRIVATE -Wno-maybe-uninitialized)
  set(env "")
  if(T_DISPLAY)
    list(APPEND env KX_NEEDS_DISPLAY=1)
  endif()
  set(labels ${T_LABELS})
  if(KX_WINDOWS)
    list(APPEND labels wine)
  else()
    list(APPEND labels native)
  endif()
  if(NOT KX_RUN_TEST_PROGRAMS)
    return()
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       PROPERTIES LABELS "${labels}" ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
