# Helpers shared by every folder's CMakeLists.txt.
#
# Sources are collected by glob so that a new class pair needs no build edit;
# CONFIGURE_DEPENDS makes the build notice added and removed files.

# velmora_library(<target> <folder>... [DEPS <targets>...])
# A static library of every .cpp below the given folders; each folder is a
# public include directory, so code includes its headers the BeOS way.
function(velmora_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(sources)
  foreach(folder IN LISTS ARG_UNPARSED_ARGUMENTS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    # Headers only so far.
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  foreach(folder IN LISTS ARG_UNPARSED_ARGUMENTS)
    target_include_directories(${target} ${scope} ${folder})
  endforeach()
  target_link_libraries(${target} ${scope} ${ARG_DEPS})
endfunction()

# velmora_tests(<name> <folder> [DEPS <targets>...])
# One GoogleTest program of every .cpp in the folder; each test becomes a ctest.
function(velmora_tests name folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VELMORA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VELMORA_BINARY_DIR="${CMAKE_BINARY_DIR}"
    VELMORA_CORPUS_DIR="${CMAKE_SOURCE_DIR}/tests/corpus")
  if(VELMORA_TSAN)
    # Cairo and fontconfig share memory between threads through atomics
    # that the uninstrumented libraries hide from the race detector. A
    # thread nobody waits for is joined at the next spawn or when the
    # application ends; a test, which is no application, may end with
    # such threads unjoined, which the detector would report as leaks.
    set(suppressions "TSAN_OPTIONS=set:suppressions=${CMAKE_SOURCE_DIR}/tests/common/tsan.supp:report_thread_leaks=0")
  else()
    # The programs the tests start report what fontconfig and D-Bus keep
    # until the process ends, which is no leak of the program's.
    set(suppressions "LSAN_OPTIONS=set:suppressions=${CMAKE_SOURCE_DIR}/tests/common/lsan.supp")
  endif()
  set(properties ENVIRONMENT "VELMORA_DISPLAY=headless"
    ENVIRONMENT_MODIFICATION "${suppressions}")
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ${properties})
endfunction()
