# velmaro_add_gtest(target): registers a GoogleTest program with CTest. GUI tests run on Qt's
# offscreen platform. The sanitizer options come from the environment of `make test-sanitize`
# (a list here would be split apart by the generated test list).
function(velmaro_add_gtest target)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
