# Project-wide build settings and the helpers every folder uses:
#   qzr_add_gtest(name SOURCES ... [LIBS ...] [LABELS ...] [ENVIRONMENT VAR=VALUE ...] [PREFIX P])
#                                                              a GoogleTest program (run under Wine on Windows presets;
#                                                              PREFIX starts the names of its tests)
#   qzr_add_fuzzer(name SOURCES ... [LIBS ...])               a libFuzzer harness (fuzz preset only)
#   qzr_add_bench(name SOURCES ... [LIBS ...])                a benchmark program (never fails a run)
#   qzr_pe_check(target MACHINE i386|x86-64 [EXPORTS ...])     a test that inspects the built PE file
#   qzr_static_windows(target)                                 static runtime, no MinGW DLLs
# Variables: QZR_TARGET (win32|win64|native|fuzz), QZR_WINDOWS, QZR_WIN32, QZR_WIN64, QZR_NATIVE, QZR_FUZZ,
#            QZR_CAN_RUN (the built programs can be executed on this machine).

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE OFF)

if(NOT QZR_TARGET)
  set(QZR_TARGET native)
endif()
set(QZR_WINDOWS OFF)
set(QZR_WIN32 OFF)
set(QZR_WIN64 OFF)
set(QZR_NATIVE OFF)
set(QZR_FUZZ OFF)
if(QZR_TARGET STREQUAL "win32")
  set(QZR_WINDOWS ON)
  set(QZR_WIN32 ON)
elseif(QZR_TARGET STREQUAL "win64")
  set(QZR_WINDOWS ON)
  set(QZR_WIN64 ON)
elseif(QZR_TARGET STREQUAL "fuzz")
  set(QZR_FUZZ ON)
else()
  set(QZR_NATIVE ON)
endif()

set(QZR_ROOT ${CMAKE_SOURCE_DIR})
# Debian's interpreter (installed by scripts/setup): the same path here and in the 32-bit test
# machine, where test scripts run too.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3)
endif()
find_package(Python3 COMPONENTS Interpreter REQUIRED)

# Boost is header-only here; the cross compilers see it through a folder that holds only a link
# to it, never the system include folder itself.
set(QZR_BOOST_DIR ${CMAKE_BINARY_DIR}/boost-include)
if(NOT EXISTS ${QZR_BOOST_DIR}/boost)
  file(MAKE_DIRECTORY ${QZR_BOOST_DIR})
  file(CREATE_LINK /usr/include/boost ${QZR_BOOST_DIR}/boost SYMBOLIC)
endif()
add_library(qzr_boost INTERFACE)
target_include_directories(qzr_boost SYSTEM INTERFACE ${QZR_BOOST_DIR})
target_compile_definitions(qzr_boost INTERFACE BOOST_ALL_NO_LIB BOOST_ERROR_CODE_HEADER_ONLY BOOST_SYSTEM_NO_DEPRECATED)
if(QZR_WINDOWS)
  target_link_libraries(qzr_boost INTERFACE ws2_32 mswsock)
else()
  find_package(Threads REQUIRED)
  target_link_libraries(qzr_boost INTERFACE Threads::Threads)
endif()
add_library(qzr::boost ALIAS qzr_boost)

add_library(qzr_zlib INTERFACE)
if(QZR_WINDOWS)
  target_link_libraries(qzr_zlib INTERFACE ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)
else()
  target_link_libraries(qzr_zlib INTERFACE z)
endif()
add_library(qzr::zlib ALIAS qzr_zlib)

# Compiler flags. The native build runs its tests with sanitizers; its release build (for the
# benchmarks) turns them off.
option(QZR_SANITIZE "Build the native preset with address and undefined-behaviour sanitizers" ON)
add_compile_options(-Wall -Wextra -Wno-unused-parameter)
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
if(QZR_WINDOWS)
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)
  add_link_options(-static -static-libgcc -static-libstdc++)
  if(QZR_WIN32)
    add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
  endif()
elseif(QZR_NATIVE AND QZR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(QZR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

function(qzr_static_windows target)
  if(QZR_WINDOWS)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# Can this machine run what the preset builds?  Native code always runs; 64-bit Windows
# programs run under wine64; 32-bit Windows programs need a Wine that can start 32-bit
# processes, which some machines (kernels without 32-bit user space) do not have.
if(QZR_WINDOWS)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QZR_ROOT}/scripts/wine-run)
  # 64-bit programs run under wine64. 32-bit programs run natively where the kernel runs them,
  # else in the 32-bit test machine (scripts/vm-32); elsewhere, or when QZR_RUN_WIN32_TESTS is
  # OFF, their test programs are built and not registered.
  option(QZR_RUN_WIN32_TESTS "Register the i686 test programs with CTest where they can run" ON)
  set(_can_run 1)
  if(QZR_WIN64)
    set(_can_run 0)
  elseif(QZR_RUN_WIN32_TESTS)
    execute_process(COMMAND ${QZR_ROOT}/scripts/vm-32 --where OUTPUT_VARIABLE _where
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(_where STREQUAL "native" OR _where STREQUAL "vm")
      set(_can_run 0)
    endif()
  endif()
  if("${_can_run}" STREQUAL "0")
    set(QZR_CAN_RUN ON)
  else()
    set(QZR_CAN_RUN OFF)
    message(STATUS "QZR: ${QZR_TARGET} programs are built and inspected, not run")
  endif()
else()
  set(QZR_CAN_RUN ON)
endif()

# GoogleTest, built from Debian's sources for each toolchain.
if(NOT QZR_FUZZ AND NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()
include(GoogleTest)

function(qzr_add_gtest name)
  cmake_parse_arguments(A "" "PREFIX" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
  if(QZR_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} qzr_test_support gmock gtest_main)
  set(_env_property)
  if(A_ENVIRONMENT)
    set(_env_property ENVIRONMENT "${A_ENVIRONMENT}")
  endif()
  set(_prefix)
  if(A_PREFIX)
    set(_prefix TEST_PREFIX "${A_PREFIX}")
  endif()
  target_compile_definitions(${name} PRIVATE QZR_SOURCE_DIR="${QZR_ROOT}" QZR_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(QZR_CAN_RUN)
    gtest_discover_tests(${name}
      DISCOVERY_TIMEOUT 240
      DISCOVERY_MODE PRE_TEST
      ${_prefix}
      PROPERTIES LABELS "${QZR_TARGET};${A_LABELS}" TIMEOUT 600 ${_env_property}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  else()
    set_property(GLOBAL APPEND PROPERTY QZR_UNRUN_PROGRAMS ${name})
  endif()
endfunction()

function(qzr_add_fuzzer name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT QZR_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_property(GLOBAL APPEND PROPERTY QZR_FUZZERS ${name})
endfunction()

function(qzr_add_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(QZR_FUZZ)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_compile_definitions(${name} PRIVATE QZR_SOURCE_DIR="${QZR_ROOT}" QZR_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set_property(GLOBAL APPEND PROPERTY QZR_BENCHES ${name})
endfunction()

function(qzr_pe_check target)
  cmake_parse_arguments(A "" "MACHINE" "EXPORTS" ${ARGN})
  if(NOT QZR_WINDOWS)
    return()
  endif()
  add_test(NAME pe.${target}
    COMMAND ${Python3_EXECUTABLE} ${QZR_ROOT}/tests/pe/check_pe.py
            --objdump ${CMAKE_OBJDUMP} --machine ${A_MACHINE} --exports "${A_EXPORTS}"
            $<TARGET_FILE:${target}>)
  set_tests_properties(pe.${target} PROPERTIES LABELS "${QZR_TARGET};pe")
endfunction()
