# Shared build settings of every target of the project.

set(OSTREL_WARNINGS -Wall -Wextra -Wpedantic -Werror)

# Fuzzing needs clang's libFuzzer: asked for with another compiler, it fails configure rather
# than leaving the fuzzers out. Without it the fuzz targets are built as the replay tests
# alone (tests/fuzz/CMakeLists.txt).
set(OSTREL_FUZZING OFF)
if(OSTREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "OSTREL_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++), not ${CMAKE_CXX_COMPILER_ID}")
  endif()
  set(OSTREL_FUZZING ON)
endif()

set(OSTREL_SANITIZER_FLAGS)
if(OSTREL_SANITIZE OR OSTREL_FUZZING)
  set(OSTREL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                             -fno-sanitize-recover=undefined)
endif()
# Coverage feedback for the fuzzers in every library they reach; the fuzzer executables
# themselves link libFuzzer with -fsanitize=fuzzer.
if(OSTREL_FUZZING)
  list(APPEND OSTREL_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
endif()

# ostrel_target_defaults(<target>): warnings as errors, sanitizers when asked for, and the
# source root on the include path so that headers are included as "platform/com/bstr.h".
function(ostrel_target_defaults target)
  target_compile_options(${target} PRIVATE ${OSTREL_WARNINGS} ${OSTREL_SANITIZER_FLAGS})
  target_link_options(${target} PRIVATE ${OSTREL_SANITIZER_FLAGS})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    return()
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# The state folder of the slapd that the tests of label ldap share (tests/fixtures/slapd).
set(OSTREL_SLAPD_STATE ${CMAKE_BINARY_DIR}/test-servers/slapd)

# ostrel_add_test(<name> LABEL <label> SOURCES <src...> LIBS <lib...> [ENVIRONMENT <k=v...>])
# One GoogleTest executable, its cases discovered into CTest under one label. The cases of
# label ldap require the run's slapd (the CTest fixture "slapd") and find it through
# OSTREL_SLAPD_STATE.
function(ostrel_add_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;PROPERTIES" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  # The discovered tests' properties travel as one flat list, in which a list value loses all
  # but its first item: one ENVIRONMENT entry, and the slapd's state as a property of its own.
  list(LENGTH T_ENVIRONMENT environment_entries)
  if(environment_entries GREATER 1)
    message(FATAL_ERROR "ostrel_add_test(${name}): one ENVIRONMENT entry at most, got ${T_ENVIRONMENT}")
  endif()
  if(T_ENVIRONMENT)
    list(APPEND T_PROPERTIES ENVIRONMENT ${T_ENVIRONMENT})
  endif()
  if(T_LABEL STREQUAL "ldap")
    list(APPEND T_PROPERTIES
      ENVIRONMENT_MODIFICATION OSTREL_SLAPD_STATE=set:${OSTREL_SLAPD_STATE}
      FIXTURES_REQUIRED slapd)
  endif()
  add_executable(${name} ${T_SOURCES})
  ostrel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  # Pictures a test saves for a person to look at land in one folder of the build tree.
  target_compile_definitions(${name} PRIVATE OSTREL_TEST_ARTEFACTS_DIR="${CMAKE_BINARY_DIR}/test-artefacts")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} ${T_PROPERTIES})
endfunction()
