#include "text/MachineText.h"

#include "text/DecimalDigits.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <system_error>

namespace velmaro {

using namespace digits;

namespace {

// A "+" may lead a number as in the edit fields; from_chars itself takes only a "-".
std::string_view WithoutPlus(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] != '+' && text[1] != '-')
        text.remove_prefix(1);
    return text;
}

// What from_chars makes of the whole text after such a "+": stopping short of the end refuses
// the text as surely as a malformed number does.
struct WholeDouble {
    std::string_view number; // the text without its "+"
    double value = 0;
    std::errc error{};
};

WholeDouble ReadWholeDouble(std::string_view text)
{
    WholeDouble read{WithoutPlus(text)};
    const char *const last = read.number.data() + read.number.size();
    const auto [end, ec] = std::from_chars(read.number.data(), last, read.value, std::chars_format::general);
    read.error = end == last ? ec : std::errc::invalid_argument;
    return read;
}

std::size_t SkipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && text[at] >= '0' && text[at] <= '9')
        ++at;
    return at;
}

// The decimal exponent of the leading digit, for telling overflow from underflow.
long long LeadingMagnitude(std::string_view integer, std::string_view fraction, long long exponent)
{
    const std::size_t firstInteger = integer.find_first_not_of('0');
    if (firstInteger != std::string_view::npos)
        return static_cast<long long>(integer.size() - firstInteger) - 1 + exponent;
    const std::size_t firstFraction = fraction.find_first_not_of('0');
    if (firstFraction == std::string_view::npos)
        return 0;
    return exponent - static_cast<long long>(firstFraction) - 1;
}

long long SaturatedExponent(std::string_view digits, bool negative)
{
    constexpr long long kCap = 1000000;
    long long value = 0;
    for (char c : digits)
        value = std::min(kCap, value * 10 + (c - '0'));
    return negative ? -value : value;
}

// A magnitude below the normal range: from_chars gives up there, strtold rounds it to the
// nearest subnormal or to zero. The C locale is passed so that "." is read whatever the process
// locale.
long double ReadUnderflow(const std::string &plain)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtold_l(plain.c_str(), nullptr, cLocale);
}

} // namespace

std::string ListingText(double x)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    return TrimNumberPart(FixedFromDigits(ShortestDigitsOf(x), 5, '.', nullptr), '.');
}

std::string RangeBoundText(long double value)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (value == 0)
        return "0";
    DecimalDigits two = DigitsOf(value, 2);
    if (two.digits.back() == '0')
        two.digits.pop_back();
    const std::string sign = two.negative ? "-" : "";
    if (two.exponent < 2 && two.exponent >= -5)
        return sign + PositionalText(two.digits, two.exponent);
    std::string mantissa(1, two.digits[0]);
    if (two.digits.size() > 1)
        mantissa += "." + two.digits.substr(1);
    return sign + mantissa + "E" + std::to_string(two.exponent);
}

std::string RoundTripText(double value)
{
    if (std::isfinite(value)) {
        const DecimalDigits shortest = ShortestDigitsOf(value);
        if (shortest.exponent >= -5 && shortest.exponent <= 14)
            return (shortest.negative ? "-" : "") + PositionalText(shortest.digits, shortest.exponent);
    }
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return std::string(buffer, end);
}

std::optional<long double> ReadNumber(std::string_view text, char decimal)
{
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return std::nullopt;
    const bool negative = text[at] == '-';
    if (text[at] == '+' || text[at] == '-')
        ++at;
    const std::size_t integerEnd = SkipDigits(text, at);
    const std::string_view integer = text.substr(at, integerEnd - at);
    at = integerEnd;
    const bool hasSeparator = at < text.size() && text[at] == decimal;
    std::string_view fraction;
    if (hasSeparator) {
        const std::size_t fractionEnd = SkipDigits(text, at + 1);
        fraction = text.substr(at + 1, fractionEnd - at - 1);
        at = fractionEnd;
    }
    if (integer.empty() && fraction.empty() && !hasSeparator)
        return std::nullopt;
    bool negativeExponent = false;
    std::string_view exponentDigits;
    if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
        ++at;
        negativeExponent = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        const std::size_t exponentEnd = SkipDigits(text, at);
        exponentDigits = text.substr(at, exponentEnd - at);
        if (exponentDigits.empty())
            return std::nullopt;
        at = exponentEnd;
    }
    if (text.find_first_not_of(' ', at) != std::string_view::npos)
        return std::nullopt;

    // from_chars reads "." whatever the C locale; it needs digits on both sides.
    std::string plain = negative ? "-" : "";
    plain += integer.empty() ? std::string_view("0") : integer;
    plain += '.';
    plain += fraction.empty() ? std::string_view("0") : fraction;
    if (!exponentDigits.empty()) {
        plain += negativeExponent ? "e-" : "e";
        plain += exponentDigits;
    }
    long double value = 0.0L;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (LeadingMagnitude(integer, fraction, SaturatedExponent(exponentDigits, negativeExponent)) > 0)
            return std::nullopt;
        return ReadUnderflow(plain);
    }
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> ReadInteger(std::string_view text)
{
    const std::string_view number = WithoutPlus(text);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

std::optional<double> ReadPlainNumber(std::string_view text)
{
    const WholeDouble read = ReadWholeDouble(text);
    if (read.error != std::errc() || !std::isfinite(read.value))
        return std::nullopt;
    return read.value;
}

std::optional<double> ReadPlainNumberOrTiny(std::string_view text)
{
    const WholeDouble read = ReadWholeDouble(text);
    if (read.error == std::errc())
        return std::isfinite(read.value) ? std::optional(read.value) : std::nullopt;
    if (read.error != std::errc::result_out_of_range)
        return std::nullopt;
    // Beyond the double range either way: the edit fields read the text in extended precision,
    // below its range too, and hand the model the nearest double.
    const std::optional<long double> wide = ReadNumber(read.number, '.');
    if (!wide || std::fabs(*wide) >= DBL_MIN)
        return std::nullopt;
    return static_cast<double>(*wide);
}

std::optional<double> ReadPlainNumberOrTiny(std::string_view text, bool decimalComma)
{
    if (!decimalComma || std::count(text.begin(), text.end(), ',') != 1)
        return ReadPlainNumberOrTiny(text);
    std::string number(text);
    std::replace(number.begin(), number.end(), ',', '.');
    return ReadPlainNumberOrTiny(number);
}

} // namespace velmaro
