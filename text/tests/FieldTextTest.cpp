#include "text/FieldText.h"
#include "text/tests/CommaLocale.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>

namespace velmaro {
namespace {

RenderSettings MainWindowSettings()
{
    RenderSettings settings;
    settings.DecimalPlaces = 3;
    settings.SciRange = true;
    settings.SciMin = 0.0001L;
    settings.SciMax = 10000.0L;
    settings.TrimTrailingZeroes = true;
    return settings;
}

TEST(FloatHelpers, FloatIsZeroAcceptsOnlyZeroAndTheSmallestDenormalDouble)
{
    EXPECT_TRUE(FloatIsZero(0.0L));
    EXPECT_TRUE(FloatIsZero(-0.0L));
    EXPECT_TRUE(FloatIsZero(std::numeric_limits<double>::denorm_min()));
    EXPECT_TRUE(FloatIsZero(-std::numeric_limits<double>::denorm_min()));
    EXPECT_TRUE(FloatIsZero(std::numeric_limits<long double>::denorm_min()));
    // The long double nearest 5E-324 lies just below it; the next one up lies above.
    EXPECT_TRUE(FloatIsZero(5e-324L));
    EXPECT_TRUE(FloatIsZero(-5e-324L));
    EXPECT_FALSE(FloatIsZero(std::nextafter(5e-324L, 1.0L)));
    EXPECT_FALSE(FloatIsZero(2 * static_cast<long double>(std::numeric_limits<double>::denorm_min())));
    EXPECT_FALSE(FloatIsZero(1e-300L));
}

TEST(FloatHelpers, SameFloatUsesARelativeToleranceOf1EMinus17)
{
    EXPECT_TRUE(SameFloat(0.0001L, 0.0001L));
    EXPECT_TRUE(SameFloat(1.0L, 1.0L + 5e-18L));
    EXPECT_FALSE(SameFloat(1.0L, 1.0L + 1e-16L));
    EXPECT_TRUE(SameFloat(1e6L, 1e6L + 5e-12L));
    EXPECT_FALSE(SameFloat(1e6L, 1e6L + 1e-10L));
    // Against exact zero the tolerance is absolute.
    EXPECT_TRUE(SameFloat(0.0L, 1e-17L));
    EXPECT_FALSE(SameFloat(0.0L, 2e-17L));
    EXPECT_FALSE(SameFloat(1e-20L, 3e-20L));
}

struct RenderCase {
    long double x;
    int decimals;
    const char *fixed;
    const char *grouped;
    const char *scientific;
};

class Renderings : public ::testing::TestWithParam<RenderCase> {};

TEST_P(Renderings, FixedGroupedAndScientific)
{
    const RenderCase &c = GetParam();
    EXPECT_EQ(RenderFixed(c.x, c.decimals), c.fixed);
    EXPECT_EQ(RenderGrouped(c.x, c.decimals), c.grouped);
    EXPECT_EQ(RenderScientific(c.x, c.decimals), c.scientific);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Renderings,
    ::testing::Values(
        RenderCase{21.79L, 3, "21.790", "21.790", "2.179E+1"},
        RenderCase{1234.5L, 3, "1234.500", "1,234.500", "1.235E+3"},
        RenderCase{1234.5L, 0, "1235", "1,235", "1.2E+3"},
        RenderCase{-0.0004L, 3, "0.000", "0.000", "-4.000E-4"},
        RenderCase{21790.0L, 3, "21790.000", "21,790.000", "2.179E+4"},
        RenderCase{0.0L, 3, "0.000", "0.000", "0.000E+0"},
        // Halves go away from zero, on the value's decimal digits.
        RenderCase{-2.5L, 0, "-3", "-3", "-2.5E+0"},
        RenderCase{0.125L, 2, "0.13", "0.13", "1.25E-1"},
        RenderCase{9.9995L, 3, "10.000", "10.000", "1.000E+1"},
        RenderCase{999999.5L, 0, "1000000", "1,000,000", "1.0E+6"},
        RenderCase{-1234567.891L, 2, "-1234567.89", "-1,234,567.89", "-1.23E+6"},
        RenderCase{0.5L, 0, "1", "1", "5.0E-1"},
        RenderCase{0.4999L, 0, "0", "0", "5.0E-1"},
        RenderCase{1.5e-7L, 3, "0.000", "0.000", "1.500E-7"},
        RenderCase{123.0L, 40, "123.000000000000000000", "123.000000000000000000",
                   "1.23000000000000000E+2"}),
    // Named by the value and its decimal places, e.g. Minus0_0004To3Places.
    [](const auto &info) {
        char digits[64];
        const char *end = std::to_chars(std::begin(digits), std::end(digits), info.param.x).ptr;
        std::string name;
        for (const char *d = digits; d != end; ++d)
            name += *d == '-' ? "Minus" : *d == '.' ? "_" : std::string(1, *d);
        return name + "To" + std::to_string(info.param.decimals) + "Places";
    });

TEST(Renderings, LargeValuesKeepEighteenSignificantDigitsThenZeros)
{
    EXPECT_EQ(RenderFixed(1e20L, 0), "100000000000000000000");
    EXPECT_EQ(RenderFixed(1.1e4899L, 0).size(), 4900u);
    EXPECT_EQ(RenderScientific(1.1e4900L, 3), "1.100E+4900");
}

TEST(Renderings, NonFiniteValuesAreNamed)
{
    EXPECT_EQ(RenderFixed(std::numeric_limits<long double>::infinity(), 3), "INF");
    EXPECT_EQ(RenderScientific(-std::numeric_limits<long double>::infinity(), 3), "-INF");
    EXPECT_EQ(RenderGrouped(std::numeric_limits<long double>::quiet_NaN(), 3), "NAN");
}

TEST(Trimming, DropsTrailingZerosAndABareSeparator)
{
    const std::pair<const char *, const char *> cases[] = {
        {"21.790", "21.79"},   {"100.000", "100"},    {"0.000", "0"},
        {"100", "100"},        {"5.000E-5", "5E-5"},  {"1.200E+6", "1.2E+6"},
        {"2.179E+4", "2.179E+4"}, {"", ""},           {"1,000.500", "1,000.5"},
        {"-0.50", "-0.5"},     {"10E+10", "10E+10"},
    };
    for (const auto &[rendered, trimmed] : cases)
        EXPECT_EQ(TrimTrailingZeroes(rendered), trimmed) << rendered;
}

TEST(RenderEditValue, MainWindowSettings)
{
    const std::pair<long double, const char *> cases[] = {
        {21.79L, "21.79"},  {1020.0L, "1020"},        {0.0L, "0"},
        {0.00015L, "0"},    {0.00009L, "9E-5"},       {9999.9996L, "10000"},
        {10000.0L, "1E+4"}, {21790.0L, "2.179E+4"},   {-3.5L, "-3.5"},
        {0.0001L, "1E-4"},  {-10000.0L, "-1E+4"},     {1.23456L, "1.235"},
        {-0.0004L, "0"},    {1.1e4900L, "1.1E+4900"},
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(RenderEditValue(value, MainWindowSettings()), text) << static_cast<double>(value);
}

TEST(RenderEditValue, EverySetting)
{
    RenderSettings settings;   // the edit's defaults: 4 decimals, scientific everywhere
    EXPECT_EQ(RenderEditValue(21.79L, settings), "2.1790E+1");
    EXPECT_EQ(RenderEditValue(0.0L, settings), "0.0000E+0");

    settings.SciRange = true;
    EXPECT_EQ(RenderEditValue(0.0L, settings), "0.0000");
    EXPECT_EQ(RenderEditValue(1000000.0L, settings), "1.0000E+6");
    EXPECT_EQ(RenderEditValue(999999.0L, settings), "999999.0000");

    settings.ShowThousandSeparators = true;
    EXPECT_EQ(RenderEditValue(999999.0L, settings), "999,999.0000");
    settings.TrimTrailingZeroes = true;
    EXPECT_EQ(RenderEditValue(999999.0L, settings), "999,999");

    settings.DecimalPlaces = 0;
    EXPECT_EQ(RenderEditValue(100.0L, settings), "100");
    EXPECT_EQ(RenderEditValue(0.0L, settings), "0");
    EXPECT_EQ(RenderEditValue(5e7L, settings), "5E+7");
    settings.TrimTrailingZeroes = false;
    EXPECT_EQ(RenderEditValue(5.5e7L, settings), "5.5E+7");

    settings.BlankWhenZero = true;
    EXPECT_EQ(RenderEditValue(0.0L, settings), "");
    settings.SciRange = false;
    EXPECT_EQ(RenderEditValue(0.0L, settings), "");
    settings.TrimTrailingZeroes = true;
    EXPECT_EQ(RenderEditValue(-0.0L, settings), "");
    EXPECT_EQ(RenderEditValue(1.0L, settings), "1E+0");
}

struct ParseCase {
    const char *text;
    long double value;
};

TEST(ParseEditText, CleansThenReads)
{
    const ParseCase cases[] = {
        {"12%", 12.0L},   {"%12", 12.0L},   {"1%2", 12.0L},  {"1,234.5", 1234.5L},
        {"12,5", 125.0L}, {"1.", 1.0L},     {"1e", 1.0L},    {"1e-", 1.0L},
        {"1E+", 1.0L},    {"-", 0.0L},      {"+", 0.0L},     {"E", 0.0L},
        {".", 0.0L},      {"", 0.0L},       {"  \t", 0.0L},  {" 7 ", 7.0L},
        {"\t7\n", 7.0L},  {"1.5e3", 1500.0L}, {"-2.5E-2", -0.025L}, {"+.5", 0.5L},
        {"1.1E4900", 1.1e4900L}, {"- ", 0.0L}, {"5 e", 5.0L},
    };
    for (const ParseCase &c : cases)
        EXPECT_EQ(ParseEditText(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseEditText, RejectsWithTheCleanedText)
{
    const std::pair<std::string_view, const char *> cases[] = {
        {"abc", "'abc' is not a valid floating point value"},
        {"1-2,", "'1-2' is not a valid floating point value"},
        {"1.2.3", "'1.2.3' is not a valid floating point value"},
        {"--1", "'--1' is not a valid floating point value"},
        {" 1e5000 ", "'1e5000' is not a valid floating point value"},
        {"inf", "'inf' is not a valid floating point value"},
        {"0x10", "'0x10' is not a valid floating point value"},
        {"1 2", "'1 2' is not a valid floating point value"},
        {"1%2%", "'12%' is not a valid floating point value"},
        {std::string_view("1\0" "2", 3), "'1\xEF\xBF\xBD" "2' is not a valid floating point value"},
    };
    for (const auto &[text, message] : cases) {
        try {
            ParseEditText(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const ConversionError &error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}

TEST(ReadNumber, SubnormalValuesReadAsThemselves)
{
    constexpr long double smallest = std::numeric_limits<long double>::denorm_min();
    const std::string rendered = RenderScientific(smallest, 3);
    ASSERT_EQ(rendered, "3.645E-4951");
    EXPECT_EQ(*ReadNumber(rendered), smallest);
    EXPECT_EQ(*ReadNumber("-3.645E-4951"), -smallest);
    const long double subnormal = std::numeric_limits<long double>::min() / 1024;
    EXPECT_EQ(*ReadNumber(RenderScientific(subnormal, 17)), subnormal);
    EXPECT_EQ(*ReadNumber("1e-4952"), 0.0L);
    EXPECT_TRUE(std::signbit(*ReadNumber("-1e-4952")));
}

using test::CommaLocale;

TEST_F(CommaLocale, NumbersReadAndRenderTheSame)
{
    EXPECT_EQ(RenderFixed(1234.5L, 3), "1234.500");
    EXPECT_EQ(RenderGrouped(1234.5L, 3), "1,234.500");
    EXPECT_EQ(RenderScientific(21790.0L, 3), "2.179E+4");
    EXPECT_EQ(RenderEditValue(21.79L, MainWindowSettings()), "21.79");
    EXPECT_EQ(RenderEditValue(0.00009L, MainWindowSettings()), "9E-5");
    EXPECT_EQ(ParseEditText("1,234.5"), 1234.5L);
    EXPECT_EQ(ParseEditText("1.5e3"), 1500.0L);
    EXPECT_EQ(*ReadNumber("0.1"), 0.1L);
    EXPECT_FALSE(ReadNumber("0,1").has_value());
    EXPECT_THROW(ParseEditText("1.2.3"), ConversionError);
}

// The separators are the process-wide ones, whatever they are set to.
TEST(NumberFormat, OtherSeparatorsAreFollowedEverywhere)
{
    SetNumberFormat({',', '.'});
    EXPECT_EQ(RenderGrouped(1234.5L, 1), "1.234,5");
    EXPECT_EQ(RenderScientific(1234.5L, 1), "1,2E+3");
    EXPECT_EQ(TrimTrailingZeroes("1,500"), "1,5");
    EXPECT_EQ(ParseEditText("1.234,5"), 1234.5L);
    EXPECT_EQ(*ReadNumber("1,5"), 1.5L);
    EXPECT_FALSE(ReadNumber("1.5").has_value());
    SetNumberFormat({});
    EXPECT_EQ(GetNumberFormat().decimal, '.');
    EXPECT_EQ(GetNumberFormat().thousands, ',');
}

} // namespace
} // namespace velmaro
