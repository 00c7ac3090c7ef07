#include "text/MachineText.h"

#include "text/FieldText.h"
#include "text/tests/CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace velmaro {
namespace {

struct ParseCase {
    const char *text;
    long double value;
};

TEST(ReadNumber, TheBareGrammar)
{
    const ParseCase accepted[] = {
        {"0", 0.0L},        {"  -12.5  ", -12.5L}, {"+3", 3.0L},     {".5", 0.5L},
        {"5.", 5.0L},       {".", 0.0L},           {"1e3", 1000.0L}, {"1E-3", 0.001L},
        {"2e+2", 200.0L},   {"0.016666666666666666666666666666667", 1.0L / 60.0L},
        {"1.1E4900", 1.1e4900L}, {"1e-6000", 0.0L},
        {"000000000000000000000000000001", 1.0L},
    };
    for (const ParseCase &c : accepted) {
        const auto value = ReadNumber(c.text, '.');
        ASSERT_TRUE(value.has_value()) << c.text;
        EXPECT_EQ(*value, c.value) << c.text;
    }
    const char *rejected[] = {"", " ", "+", "-", "e3", "1e", "1e+", "1,5", "1.2.3",
                              "1e3.5", "12%", "nan", "inf", "1e5000", "-1.2e4933", "\t1",
                              "1 e3", "++1", "1_000"};
    for (const char *text : rejected)
        EXPECT_FALSE(ReadNumber(text, '.').has_value()) << text;
    // The separator is the caller's: the grammar has no other one.
    EXPECT_EQ(*ReadNumber("-1,5e1", ','), -15.0L);
    EXPECT_FALSE(ReadNumber("1.5", ',').has_value());
}

TEST(ReadNumber, TheLongDoubleRangeIsTheLimit)
{
    EXPECT_EQ(*ReadNumber("1.18973149535723176e4932", '.'), 1.18973149535723176e4932L);
    EXPECT_FALSE(ReadNumber("1.2e4932", '.').has_value());
    EXPECT_FALSE(ReadNumber("100000000000000000000e4920", '.').has_value());
    EXPECT_FALSE(ReadNumber("1e99999999999999999999", '.').has_value());
    EXPECT_EQ(*ReadNumber("0e99999999999999999999", '.'), 0.0L);
    EXPECT_EQ(*ReadNumber("0.000000001e-4960", '.'), 0.0L);
}

TEST(ListingText, AtMostFiveDecimalsNoGrouping)
{
    const std::pair<double, const char *> cases[] = {
        {0.0, "0"},           {21.79, "21.79"},       {1234567.0, "1234567"},
        {0.123456, "0.12346"}, {0.000004, "0"},       {-0.000004, "0"},
        {-0.000005, "-0.00001"}, {0.000005, "0.00001"}, {-3.5, "-3.5"},
        {2.675, "2.675"},     {1.000005, "1.00001"},  {0.5, "0.5"},
        {99999.999995, "100000"}, {1e20, "100000000000000000000"},
    };
    for (const auto &[value, text] : cases)
        EXPECT_EQ(ListingText(value), text) << value;
}

// The plain texts beside the edit fields' own: range messages, table cells, the runner's and the
// report template's numbers. Each row names the call it checks.
TEST(PlainNumberText, OneTableOfFormatsAndReads)
{
    const auto bound = [](long double x) { return RangeBoundText(x); };
    const auto integer = [](std::string_view t) {
        const auto v = ReadInteger(t);
        return v ? std::to_string(*v) : std::string("none");
    };
    const auto plain = [](std::string_view t) {
        const auto v = ReadPlainNumber(t);
        return v ? RoundTripText(*v) : std::string("none");
    };
    const auto plainOrTiny = [](std::string_view t) {
        const auto v = ReadPlainNumberOrTiny(t);
        return v ? RoundTripText(*v) : std::string("none");
    };
    const struct {
        std::string text;
        const char *expected;
    } cases[] = {
        // Two significant digits; rounding can add an integer digit and so switch to "E".
        {bound(0), "0"},                {bound(-0.0L), "0"},       {bound(100), "1E2"},
        {bound(1.1E4900L), "1.1E4900"}, {bound(50), "50"},         {bound(99), "99"},
        {bound(99.96L), "1E2"},         {bound(1234), "1.2E3"},    {bound(0.5L), "0.5"},
        {bound(2.26L), "2.3"},          {bound(0.123L), "0.12"},   {bound(0.00001L), "0.00001"},
        {bound(0.0000012L), "1.2E-6"},  {bound(-5), "-5"},         {bound(-1.1E4900L), "-1.1E4900"},
        {bound(1.1E-4900L), "1.1E-4900"},
        {bound(std::numeric_limits<long double>::infinity()), "INF"},
        {bound(-std::numeric_limits<long double>::infinity()), "-INF"},
        {bound(std::numeric_limits<long double>::quiet_NaN()), "NAN"},
        // The shortest digits that read back, positional for exponents -5 to 14.
        {RoundTripText(98), "98"},         {RoundTripText(1.25), "1.25"},   {RoundTripText(1.6), "1.6"},
        {RoundTripText(0.1), "0.1"},       {RoundTripText(-2.5), "-2.5"},   {RoundTripText(100000), "100000"},
        {RoundTripText(0.00001), "0.00001"}, {RoundTripText(1e-6), "1e-06"},
        {RoundTripText(1e14), "100000000000000"}, {RoundTripText(1e15), "1e+15"},
        {RoundTripText(1.5e20), "1.5e+20"}, {RoundTripText(0.1 + 0.2), "0.30000000000000004"},
        {RoundTripText(0), "0"},           {RoundTripText(-0.0), "-0"},
        {RoundTripText(std::numeric_limits<double>::infinity()), "inf"},
        // Integers: one sign, digits only, the 64-bit range.
        {integer("0"), "0"},              {integer("-3"), "-3"},          {integer("+7"), "7"},
        {integer("00000000013"), "13"},   {integer("9223372036854775807"), "9223372036854775807"},
        {integer("9223372036854775808"), "none"}, {integer(""), "none"},  {integer("+"), "none"},
        {integer("-"), "none"},           {integer("+-3"), "none"},       {integer("++3"), "none"},
        {integer(" 1"), "none"},          {integer("1 "), "none"},        {integer("1a"), "none"},
        {integer("1.5"), "none"},         {integer(std::string_view("1\0" "2", 3)), "none"},
        // Machine numbers: "." always, an optional "+", finite only.
        {plain("2.5"), "2.5"},            {plain("+2.5"), "2.5"},         {plain("-2.5"), "-2.5"},
        {plain("1e3"), "1000"},           {plain("1E-3"), "0.001"},       {plain(".5"), "0.5"},
        {plain("5."), "5"},               {plain("+"), "none"},           {plain("+-1"), "none"},
        {plain("++1"), "none"},           {plain(""), "none"},            {plain(" 1"), "none"},
        {plain("1,5"), "none"},           {plain("1e"), "none"},          {plain("inf"), "none"},
        {plain("nan"), "none"},           {plain("1e400"), "none"},       {plain("0x10"), "none"},
        // The same, with magnitudes below the double range read as the nearest double.
        {plain("1e-400"), "none"},        {plainOrTiny("1e-400"), "0"},   {plainOrTiny("-1e-400"), "-0"},
        {plainOrTiny("+1e-400"), "0"},    {plainOrTiny("4e-324"), "5e-324"},
        {plainOrTiny("2.5"), "2.5"},      {plainOrTiny("+-1e-400"), "none"}, {plainOrTiny("++1e-400"), "none"},
        {plainOrTiny("1e-400x"), "none"}, {plainOrTiny("1e400"), "none"},
        // Below the extended range too, whatever the exponent or the number of digits.
        {plainOrTiny("1e-99999"), "0"},   {plainOrTiny("-1e-99999"), "-0"},
        {plainOrTiny("5e-99999999999999999999"), "0"},
        {plainOrTiny("0." + std::string(5000, '0') + "5"), "0"},
        {plainOrTiny("-0." + std::string(5000, '0') + "5e4000"), "-0"},
        {plainOrTiny("0." + std::string(5000, '0') + "5e5000"), "0.5"},
        {plainOrTiny("1e-99999e"), "none"}, {plainOrTiny("1e-99999 "), "none"},
        // NaN and infinity are never numbers, however they are spelled.
        {plainOrTiny("nan"), "none"},     {plainOrTiny("NaN"), "none"},  {plainOrTiny("-nan"), "none"},
        {plainOrTiny("+nan"), "none"},    {plainOrTiny("nan(1)"), "none"}, {plainOrTiny("inf"), "none"},
        {plainOrTiny("-Infinity"), "none"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text, c.expected);
}


using test::CommaLocale;

TEST_F(CommaLocale, MachineTextKeepsThePoint)
{
    EXPECT_EQ(ListingText(0.123456), "0.12346");
    EXPECT_EQ(RangeBoundText(0.123L), "0.12");
    EXPECT_EQ(RangeBoundText(1234), "1.2E3");
    EXPECT_EQ(RoundTripText(1.25), "1.25");
    EXPECT_EQ(*ReadPlainNumber("1.25"), 1.25);
    EXPECT_FALSE(ReadPlainNumber("1,25").has_value());
}

// The edit fields' separators are set for the process; machine text never takes them.
TEST(NumberFormat, MachineTextKeepsThePointWhateverTheProcessFormat)
{
    SetNumberFormat({',', '.'});
    EXPECT_EQ(ListingText(1.5), "1.5");
    EXPECT_EQ(RangeBoundText(1.5L), "1.5");
    EXPECT_EQ(RoundTripText(1234.5), "1234.5");
    EXPECT_EQ(*ReadNumber("1.5", '.'), 1.5L);
    EXPECT_EQ(*ReadPlainNumber("1.5"), 1.5);
    SetNumberFormat({});
}

} // namespace
} // namespace velmaro
