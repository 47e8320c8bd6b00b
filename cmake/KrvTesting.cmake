# Helpers that register tests, benchmarks and fuzzers the same way everywhere.
include(GoogleTest)
find_package(GTest REQUIRED)

set(KRV_TEST_ENV
  "SDL_AUDIODRIVER=dummy"
  "SDL_VIDEODRIVER=x11"  # the tests' X server or nothing: never a silent fall-back to another driver
  "LIBGL_ALWAYS_SOFTWARE=1"
  "LP_NUM_THREADS=0"  # llvmpipe draws on the calling thread: no worker threads at the leak check
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
  # The leak check would otherwise walk the thread-local blocks of GL libraries that
  # SDL has already unloaded, and crash in them.
  "ASAN_OPTIONS=intercept_tls_get_addr=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
)

# krv_add_test(name SOURCES a.cpp ... LIBS lib ... [TIMEOUT seconds])
function(krv_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest GTest::gtest_main)
  # The environment goes through env(1): a list handed to the discovered tests'
  # ENVIRONMENT property would keep only its first entry.
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "env;${KRV_TEST_ENV}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()

# krv_add_bench(name SOURCES a.cpp ... LIBS lib ...): built, never run by ctest.
function(krv_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# krv_add_fuzzer(name SOURCES a.cpp ... LIBS lib ... CORPUS dir)
# The corpus is replayed once by ctest as a regression test; scripts/fuzz fuzzes for longer.
# A file <name>.options beside the sources holds libFuzzer flags (memory limits)
# that both use.
function(krv_add_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(options_file ${CMAKE_CURRENT_SOURCE_DIR}/${name}.options)
  set(options "")
  if(EXISTS ${options_file})
    file(READ ${options_file} options)
    string(STRIP "${options}" options)
    separate_arguments(options UNIX_COMMAND "${options}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${options_file})
  endif()
  add_test(NAME fuzz.${name} COMMAND ${name} -runs=0 ${options} ${F_CORPUS})
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 300 ENVIRONMENT "${KRV_TEST_ENV}")
endfunction()

# krv_label_tests(dir label): every test and corpus replay registered in the
# folder and the folders below it carries the label, so `ctest -L label` runs them.
function(krv_label_tests dir label)
  set_property(DIRECTORY ${dir} PROPERTY LABELS ${label})
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    krv_label_tests(${sub} ${label})
  endforeach()
endfunction()
