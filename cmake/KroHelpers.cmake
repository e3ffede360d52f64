# kro_add_library(NAME SOURCES ... DEPS ...)
#   One static library per subsystem, named kro_<NAME>, with src/ as include root
#   so that code includes "core/time.hpp", "data/data_block.hpp" and so on.
function(kro_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(kro_${name} STATIC ${ARG_SOURCES})
  set_property(GLOBAL APPEND PROPERTY KRO_LIBRARIES kro_${name})
  target_include_directories(kro_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kro_${name} PUBLIC ${ARG_DEPS} PRIVATE kro_warnings)
endfunction()

# kro_add_gtest(NAME SOURCES ... DEPS ...)
#   One GoogleTest executable; every TEST becomes one CTest test.
#   Tests run with a private XDG_CONFIG_HOME so they never touch the user's settings.
function(kro_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock kro_warnings)
  target_compile_definitions(${name} PRIVATE
    KRO_SHARED_DATA_DIR="${PROJECT_SOURCE_DIR}/../shared/data"
    KRO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/${name}")
endfunction()

# kro_add_bench(NAME SOURCES ... DEPS ...)
#   One Google Benchmark executable. Run it from a release build.
function(kro_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main kro_warnings)
  target_compile_definitions(${name} PRIVATE KRO_SHARED_DATA_DIR="${PROJECT_SOURCE_DIR}/../shared/data")
endfunction()

# kro_cli_test(NAME ARGS ... PASS regex [ENV VAR=value ...])
#   Runs kro-cli with ARGS; the output ends with "status=<exit status>" so
#   PASS can check the status too. Each test has its own XDG_CONFIG_HOME.
function(kro_cli_test name)
  cmake_parse_arguments(ARG "" "PASS" "ARGS;ENV" ${ARGN})
  add_test(NAME cli.${name}
    COMMAND sh -c "\"$0\" \"$@\"; echo \"status=$?\"" $<TARGET_FILE:kro-cli> ${ARG_ARGS})
  set_tests_properties(cli.${name} PROPERTIES
    ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/cli/${name};${ARG_ENV}"
    PASS_REGULAR_EXPRESSION "${ARG_PASS}")
endfunction()

# kro_add_db_gtest(NAME SOURCES ... DEPS ...)
#   GoogleTest cases on the database fixture of tests/db/db_test_support.hpp
#   (kro::test::DbTest). The executable runs twice: on the SQLite data
#   sources (CTest names ending in .sqlite) and on the PostgreSQL server that
#   ./test.sh starts (.postgres). All database tests of one back-end share
#   its databases, so they run one at a time.
function(kro_add_db_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} kro_db_test_support kro_warnings)
  target_compile_definitions(${name} PRIVATE
    KRO_SHARED_DATA_DIR="${PROJECT_SOURCE_DIR}/../shared/data"
    KRO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  foreach(backend sqlite postgres)
    gtest_discover_tests(${name}
      TEST_SUFFIX .${backend}
      EXTRA_ARGS --backend=${backend}
      DISCOVERY_TIMEOUT 60
      PROPERTIES
        RESOURCE_LOCK db_${backend}
        TIMEOUT 120
        ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-home/${name}_${backend}"
        # Full stacks, so that the drivers' own allocations can be suppressed.
        ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::fast_unwind_on_malloc=0")
  endforeach()
endfunction()

# Adds every immediate subfolder of the current source folder that has a
# CMakeLists.txt, except those named after EXCLUDE.
function(kro_add_subfolders)
  cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT children)
  foreach(child ${children})
    get_filename_component(dir ${child} DIRECTORY)
    if(NOT dir IN_LIST ARG_EXCLUDE)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
