# kro_add_library(NAME SOURCES ... DEPS ...)
#   One static library per subsystem, named kro_<NAME>, with src/ as include root
#   so that code includes "core/time.hpp", "data/data_block.hpp" and so on.
function(kro_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(kro_${name} STATIC ${ARG_SOURCES})
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

# Adds every immediate subfolder of the current source folder that has a CMakeLists.txt.
function(kro_add_subfolders)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT children)
  foreach(child ${children})
    get_filename_component(dir ${child} DIRECTORY)
    add_subdirectory(${dir})
  endforeach()
endfunction()
