include(GoogleTest)
find_package(GTest REQUIRED)

# fokalis_add_gtest(NAME SOURCES ... LIBS ... [QT | OWN_MAIN])
# A test program for the units of a folder that link the same libraries (each further
# program costs a link and a Qt start-up), linked only to what it tests. With QT the program
# uses the shared main that creates the QApplication; with OWN_MAIN one of its
# sources has the main; without either, GoogleTest's own.
function(fokalis_add_gtest name)
  cmake_parse_arguments(ARG "QT;OWN_MAIN" "" "SOURCES;LIBS" ${ARGN})
  set(target test_${name})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gmock Fokalis::warnings)
  fokalis_moc_where_needed(${target})
  if(ARG_QT)
    target_link_libraries(${target} PRIVATE fokalis_qt_test_main)
  elseif(ARG_OWN_MAIN)
    target_link_libraries(${target} PRIVATE GTest::gtest)
  else()
    target_link_libraries(${target} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${target}
    TEST_PREFIX "${name}."
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# fokalis_add_fuzzer(NAME SOURCES ... LIBS ...)
# A libFuzzer entry point (LLVMFuzzerTestOneInput) built twice: as fuzz_NAME with
# libFuzzer when FOKALIS_FUZZ is on, and always as replay_NAME, which runs the
# checked-in corpus fuzz/corpus/NAME as an ordinary test.
function(fokalis_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(replay_${name} ${ARG_SOURCES})
  target_link_libraries(replay_${name} PRIVATE ${ARG_LIBS} fokalis_fuzz_replay_main Fokalis::warnings)
  add_test(NAME fuzz.replay_${name}
    COMMAND replay_${name} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
  if(FOKALIS_FUZZ)
    add_executable(fuzz_${name} ${ARG_SOURCES})
    target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS} Fokalis::warnings)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  endif()
endfunction()
