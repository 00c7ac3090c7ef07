# velmaro_add_gtest(target [WIDGETS] SOURCES files... [LIBRARIES libraries...]): declares one
# GoogleTest program, gives it the tests' shared main and registers it with CTest. WIDGETS
# programs also get the application object and the widget test helpers of testsupport/. The
# tests run on Qt's offscreen platform. The sanitizer options come from the environment of
# `make test-sanitize` (a list here would be split apart by the generated test list).
function(velmaro_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WIDGETS" "" "SOURCES;LIBRARIES")
  add_executable(${target} ${arg_SOURCES})
  target_link_libraries(${target} PRIVATE velmaro_options ${arg_LIBRARIES})
  if(arg_WIDGETS)
    target_link_libraries(${target} PRIVATE velmaro_widget_test_main velmaro_test_support)
  else()
    target_link_libraries(${target} PRIVATE velmaro_test_main)
  endif()
  # A parameterised case is named by its name generator alone: the printed parameter would be
  # its bytes, long and different in every build.
  gtest_discover_tests(${target}
    NO_PRETTY_VALUES
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
