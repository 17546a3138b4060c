# Shared build settings and helpers for the three deliverables.

option(TOOLKIT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TOOLKIT_BENCHMARKS "Build the Google Benchmark programs" OFF)

# The Qt front ends are built natively only; the Windows cross build covers everything below them.
if(CMAKE_CROSSCOMPILING)
  set(TOOLKIT_BUILD_QT_DEFAULT OFF)
else()
  set(TOOLKIT_BUILD_QT_DEFAULT ON)
endif()
option(TOOLKIT_BUILD_QT "Build the Qt front ends" ${TOOLKIT_BUILD_QT_DEFAULT})

if(TOOLKIT_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32 AND MINGW)
  # Self-contained programs and DLLs: Wine and user machines need no MinGW runtime DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# toolkit_for_old_windows(target): in the Windows cross build, the target is compiled and linked
# with the win32 thread model, so that it imports only functions that Windows had before Vista
# (the posix model links a thread library that needs GetTickCount64). That model has no
# std::thread or std::mutex; a target made with it links only targets made with it.
function(toolkit_for_old_windows target)
  if(WIN32 AND MINGW)
    set(launcher ${PROJECT_SOURCE_DIR}/cmake/win32-thread-model)
    # Any launcher of the build's own (ccache) comes after ours; none leaves no empty argument.
    set(c_launcher ${launcher} ${CMAKE_C_COMPILER_LAUNCHER})
    set(cxx_launcher ${launcher} ${CMAKE_CXX_COMPILER_LAUNCHER})
    set_target_properties(${target} PROPERTIES
      C_COMPILER_LAUNCHER "${c_launcher}"
      CXX_COMPILER_LAUNCHER "${cxx_launcher}"
      C_LINKER_LAUNCHER "${launcher}"
      CXX_LINKER_LAUNCHER "${launcher}")
  endif()
endfunction()

function(toolkit_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
endfunction()

# GoogleTest: the system package natively, compiled from /usr/src/googletest for the cross build.
if(CMAKE_CROSSCOMPILING)
  if(NOT TARGET gtest)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL)
  endif()
  set(TOOLKIT_GTEST_LIBS gmock gtest_main)
else()
  find_package(GTest REQUIRED)
  set(TOOLKIT_GTEST_LIBS GTest::gmock GTest::gtest_main)
  include(GoogleTest)
endif()

# toolkit_add_test(NAME SOURCES src... [LIBS lib...] [WORKING_DIRECTORY dir] [ENV var=value...])
# Natively each test case becomes its own CTest test; in the cross build each program is one
# CTest test, so that Wine starts once per program and not once per case.
function(toolkit_add_test name)
  cmake_parse_arguments(T "" "WORKING_DIRECTORY" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${TOOLKIT_GTEST_LIBS})
  toolkit_warnings(${name})
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
    if(T_ENV)
      set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENV}")
    endif()
  else()
    # Discovered tests take one variable: the test module splits a list at its semicolons and
    # would drop every variable after the first.
    list(LENGTH T_ENV env_count)
    if(env_count GREATER 1)
      message(FATAL_ERROR "toolkit_add_test(${name}): natively ENV takes one variable, not ${T_ENV}")
    endif()
    gtest_discover_tests(${name}
      WORKING_DIRECTORY ${T_WORKING_DIRECTORY}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "${T_ENV}")
  endif()
endfunction()

# The version every program prints with --version: #include "toolkit_version.h".
configure_file(${CMAKE_CURRENT_LIST_DIR}/toolkit_version.h.in ${CMAKE_BINARY_DIR}/generated/toolkit_version.h @ONLY)
add_library(toolkit_version INTERFACE)
target_include_directories(toolkit_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# libFuzzer builds (clang): every library instrumented for coverage and checked by the sanitizers;
# the fuzz targets in fuzz/ link the fuzzer's main.
option(TOOLKIT_FUZZ "Build the libFuzzer targets (clang)" OFF)
if(TOOLKIT_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
