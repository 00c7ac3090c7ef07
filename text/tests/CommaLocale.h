#pragma once

// A C library locale whose decimal point is ",": the texts here must not follow it.

#include <gtest/gtest.h>

#include <clocale>

namespace velmaro::test {

// A thread-safe switch is not needed: the test process has one thread.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            GTEST_SKIP() << "locale de_DE.UTF-8 is not available (scripts/install-deps makes it)";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

} // namespace velmaro::test
