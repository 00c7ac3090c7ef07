# velmaro_add_gtest(target): registers a GoogleTest program with CTest. GUI tests run on Qt's
# offscreen platform; sanitizer runs stop at the first report and skip leaks owned by the
# system libraries Qt loads (fontconfig and the like), listed in lsan.supp.
function(velmaro_add_gtest target)
  set(env
    "QT_QPA_PLATFORM=offscreen"
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  )
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()
