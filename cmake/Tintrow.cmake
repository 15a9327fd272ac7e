# Helpers shared by every module's CMakeLists.

# tintrow_library(FOLDER [DEPS libs...]): a static library of the sources of src/FOLDER, named
# after the folder with "/" turned into "_" (microedition/lcdui builds microedition_lcdui).
function(tintrow_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  string(REPLACE "/" "_" name "${folder}")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE ${TINTROW_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tintrow_test(NAME SOURCES... [DEPS libs...] [LABELS ...]): a GoogleTest executable whose
# tests each run with a data folder of their own (tests/support/main.cpp). Label "unit" marks
# tests that also run in the sanitizer build; "xvfb" those that drive a real window.
function(tintrow_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${TINTROW_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_main test_support GTest::gtest GTest::gmock)
  if(NOT ARG_LABELS)
    set(ARG_LABELS unit)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "${ARG_LABELS}")
  if("unit" IN_LIST ARG_LABELS)
    add_dependencies(unit-tests ${name})
  endif()
endfunction()

# tintrow_tests_in(DIR [DEPS libs...]): one test executable for all tests/DIR/*.cpp.
function(tintrow_tests_in dir)
  cmake_parse_arguments(ARG "" "" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cpp)
  string(REPLACE "/" "_" name "test_${dir}")
  tintrow_test(${name} SOURCES ${sources} DEPS ${ARG_DEPS} LABELS ${ARG_LABELS})
endfunction()

# tintrow_bench(NAME SOURCES... [DEPS libs...]): a Google Benchmark executable in the build
# root, with one quick smoke pass registered as a test (label "bench") in a data folder of its
# own; a benchmark that reports an error fails it.
function(tintrow_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${TINTROW_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} test_support benchmark::benchmark benchmark::benchmark_main)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-home/${name})
  add_test(NAME ${name}-smoke COMMAND ${name} --benchmark_min_time=0.001)
  set_tests_properties(${name}-smoke PROPERTIES LABELS bench FAIL_REGULAR_EXPRESSION "ERROR OCCURRED"
    ENVIRONMENT "TINTROW_HOME=${CMAKE_BINARY_DIR}/test-home/${name}")
endfunction()
