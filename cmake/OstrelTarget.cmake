# Shared build settings of every target of the project.

set(OSTREL_WARNINGS -Wall -Wextra -Wpedantic -Werror)

# Fuzzing needs clang's libFuzzer; with another compiler the option does nothing and the fuzz
# targets are built as the replay tests alone (tests/fuzz/CMakeLists.txt).
set(OSTREL_FUZZING OFF)
if(OSTREL_FUZZ)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(OSTREL_FUZZING ON)
  else()
    message(WARNING "OSTREL_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++); no fuzzers are built")
  endif()
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

# ostrel_add_subdirectories(dir...): add each folder that already holds a CMakeLists.txt.
function(ostrel_add_subdirectories)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# ostrel_add_test(<name> LABEL <label> SOURCES <src...> LIBS <lib...> [ENVIRONMENT <k=v...>])
# One GoogleTest executable, its cases discovered into CTest under one label.
function(ostrel_add_test name)
  cmake_parse_arguments(T "" "LABEL;TIMEOUT" "SOURCES;LIBS;ENVIRONMENT;PROPERTIES" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  ostrel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${T_ENVIRONMENT}" ${T_PROPERTIES})
endfunction()
