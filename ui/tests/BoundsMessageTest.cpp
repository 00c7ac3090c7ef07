#include "BoundsMessage.h"

#include <gtest/gtest.h>

#include <ostream>

namespace velmaro {
namespace {

struct GeneralCase {
    long double value;
    const char *text;
};

// Names each case by its expected text.
void PrintTo(const GeneralCase &c, std::ostream *out)
{
    *out << c.text;
}

class FormatGeneral2Test : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneral2Test, WritesTwoSignificantDigits)
{
    EXPECT_EQ(FormatGeneral2(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, FormatGeneral2Test,
    ::testing::Values(GeneralCase{0, "0"}, GeneralCase{100, "1E2"}, GeneralCase{1.1E4900L, "1.1E4900"},
                      GeneralCase{50, "50"}, GeneralCase{99, "99"},
                      // Rounding to two digits can add an integer digit.
                      GeneralCase{99.96L, "1E2"}, GeneralCase{1234, "1.2E3"},
                      GeneralCase{0.5L, "0.5"}, GeneralCase{2.26L, "2.3"}, GeneralCase{0.123L, "0.12"},
                      GeneralCase{0.00001L, "0.00001"}, GeneralCase{0.0000012L, "1.2E-6"},
                      GeneralCase{-5, "-5"}, GeneralCase{-1.1E4900L, "-1.1E4900"},
                      GeneralCase{1.1E-4900L, "1.1E-4900"}));

TEST(BoundsErrorTextTest, NamesBothLimitsInGeneralFormat)
{
    EXPECT_EQ(BoundsErrorText(0, 100), "The input value is outside the allowed range (0 - 1E2)");
    EXPECT_EQ(BoundsErrorText(0, 1.1E4900L),
              "The input value is outside the allowed range (0 - 1.1E4900)");
}

} // namespace
} // namespace velmaro
