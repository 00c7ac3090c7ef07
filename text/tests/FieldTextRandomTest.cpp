#include "text/FieldText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace velmaro {
namespace {

constexpr unsigned kSeed = 20240611;

// The value as a display rounds it, worked out by the standard library instead of our digit
// code (they differ only on ties, which random values do not hit).
long double LibraryRounded(long double x, std::chars_format format, int precision)
{
    char buffer[8192];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x, format, precision);
    long double value = 0;
    std::from_chars(buffer, end, value);
    return value;
}

long double RandomValue(std::mt19937_64 &random)
{
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 12);
    std::bernoulli_distribution negative(0.5);
    const long double x = static_cast<long double>(mantissa(random)) *
                          std::pow(10.0L, static_cast<long double>(exponent(random)));
    return negative(random) ? -x : x;
}

TEST(RandomRoundTrip, RenderedThenParsedGivesTheValueAsShown)
{
    std::mt19937_64 random(kSeed);
    std::uniform_int_distribution<int> decimals(0, 8);
    std::bernoulli_distribution flag(0.5);
    for (int i = 0; i < 20000; ++i) {
        const long double x = RandomValue(random);
        RenderSettings settings;
        settings.DecimalPlaces = decimals(random);
        settings.SciRange = flag(random);
        settings.TrimTrailingZeroes = flag(random);
        settings.ShowThousandSeparators = flag(random);
        settings.SciMin = 0.0001L;
        settings.SciMax = 10000.0L;
        const std::string text = RenderEditValue(x, settings);
        const long double shown = ParseEditText(text);

        const long double a = std::fabs(x);
        const bool fixed = settings.SciRange && settings.SciMin < a && a < settings.SciMax;
        const long double expected =
            fixed ? LibraryRounded(x, std::chars_format::fixed, settings.DecimalPlaces)
                  : LibraryRounded(x, std::chars_format::scientific,
                                   std::max(settings.DecimalPlaces, 1));
        ASSERT_EQ(shown, expected + 0.0L) << text << " for " << static_cast<double>(x);
        // The edit shows the value read back again: that text reads as the same value and
        // renders to itself (a value rounded onto SciMin or SciMax changes notation once).
        const std::string again = RenderEditValue(shown, settings);
        ASSERT_EQ(ParseEditText(again), shown) << again;
        ASSERT_EQ(RenderEditValue(ParseEditText(again), settings), again);
    }
}

TEST(RandomBytes, ParseEditTextReadsOrRaisesTheConversionError)
{
    std::mt19937_64 random(kSeed);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> byte(0, 255);
    // Bytes drawn mostly from the characters a number is made of, so that many strings parse.
    const std::string numberish = "0123456789+-eE.,% ";
    std::uniform_int_distribution<std::size_t> pick(0, numberish.size() - 1);
    std::bernoulli_distribution anyByte(0.3);
    int parsed = 0;
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text.push_back(anyByte(random) ? static_cast<char>(byte(random)) : numberish[pick(random)]);
        try {
            const long double value = ParseEditText(text);
            ASSERT_TRUE(std::isfinite(value)) << text;
            ++parsed;
        } catch (const ConversionError &error) {
            const std::string message = error.what();
            ASSERT_EQ(message.front(), '\'');
            ASSERT_TRUE(message.ends_with("' is not a valid floating point value")) << message;
        }
    }
    EXPECT_GT(parsed, 1000);
}

} // namespace
} // namespace velmaro
