#include "text/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <system_error>

namespace velmaro {

namespace {

NumberFormat processFormat;

constexpr int kMaxDecimals = 18;
constexpr int kSignificantDigits = 18;

// |value| = d0.d1d2... x 10^exponent, its digits kept without the point.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

DecimalDigits DigitsOf(const char *first, const char *last, bool negative)
{
    DecimalDigits result;
    result.negative = negative;
    const char *e = std::find(first, last, 'e');
    for (const char *p = first; p != e; ++p)
        if (IsDigit(*p))
            result.digits.push_back(*p);
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), last, result.exponent);
    return result;
}

// The decimal digits of x taken to `significant` digits; the 18 of the default are the base of
// every rounding here.
DecimalDigits DigitsOf(long double x, int significant = kSignificantDigits)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                   std::chars_format::scientific, significant - 1);
    return DigitsOf(buffer, end, std::signbit(x));
}

// The shortest digits that read back as x: a double shows the decimal it was written from.
DecimalDigits ShortestDigitsOf(double x)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                   std::chars_format::scientific);
    return DigitsOf(buffer, end, std::signbit(x));
}

// The digits laid out with the point after the digit worth 10^exponent: "0.00ddd", "ddd00" or
// "dd.d".
std::string PositionalText(std::string_view digits, int exponent)
{
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + std::string(digits);
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return std::string(digits) + std::string(integerDigits - digits.size(), '0');
    return std::string(digits.substr(0, integerDigits)) + "." + std::string(digits.substr(integerDigits));
}

// A "+" may lead a number as in the edit fields; from_chars itself takes only a "-".
std::string_view WithoutPlus(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] != '+' && text[1] != '-')
        text.remove_prefix(1);
    return text;
}

// Adds one unit in the last place of a digit string; "999" becomes "1000".
void Increment(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

bool AllZero(std::string_view digits)
{
    return digits.find_first_not_of('0') == std::string_view::npos;
}

// The first `count` digits, rounded half away from zero by the digit after them.
std::string RoundToCount(const std::string &digits, int count)
{
    if (count < 0)
        return "0";
    if (count >= static_cast<int>(digits.size()))
        return digits + std::string(static_cast<std::size_t>(count) - digits.size(), '0');
    std::string kept = count == 0 ? std::string("0") : digits.substr(0, static_cast<std::size_t>(count));
    if (digits[static_cast<std::size_t>(count)] >= '5')
        Increment(kept);
    return kept;
}

std::string NonFiniteText(long double x)
{
    if (std::isnan(x))
        return "NAN";
    return std::signbit(x) ? "-INF" : "INF";
}

std::string GroupThousands(std::string_view integer, char thousands)
{
    std::string grouped;
    const std::size_t n = integer.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped.push_back(thousands);
        grouped.push_back(integer[i]);
    }
    return grouped;
}

// Fixed notation from decimal digits: the integer digits (at least one), then `decimals` digits.
std::string FixedFromDigits(const DecimalDigits &value, int decimals, char decimal,
                            const char *thousands)
{
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    std::string units = RoundToCount(value.digits, value.exponent + decimals + 1);
    units.erase(0, std::min(units.find_first_not_of('0'), units.size()));
    if (units.size() < static_cast<std::size_t>(decimals) + 1)
        units.insert(0, static_cast<std::size_t>(decimals) + 1 - units.size(), '0');
    const std::size_t integerLength = units.size() - static_cast<std::size_t>(decimals);
    std::string integer = units.substr(0, integerLength);
    std::string text = value.negative && !AllZero(units) ? "-" : "";
    text += thousands ? GroupThousands(integer, *thousands) : integer;
    if (decimals > 0) {
        text.push_back(decimal);
        text.append(units, integerLength);
    }
    return text;
}

std::string RenderFixedWith(long double x, int decimals, const char *thousands)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    return FixedFromDigits(DigitsOf(x), decimals, processFormat.decimal, thousands);
}

std::string TrimNumberPart(std::string_view text, char decimal)
{
    if (text.find(decimal) == std::string_view::npos)
        return std::string(text);
    std::size_t end = text.find_last_not_of('0') + 1;
    if (end > 0 && text[end - 1] == decimal)
        --end;
    return std::string(text.substr(0, end));
}

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

void TrimBlanks(std::string &text)
{
    auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    text.erase(text.begin(), first);
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
}

// An embedded NUL would cut the message short: it is shown as U+FFFD.
std::string Printable(std::string_view text)
{
    std::string shown;
    for (char c : text)
        shown += c == '\0' ? std::string_view("\xEF\xBF\xBD") : std::string_view(&c, 1);
    return shown;
}

bool IsUnfinishedEnd(char c)
{
    return c == '+' || c == '-' || c == 'E' || c == 'e' || c == processFormat.decimal;
}

std::size_t SkipDigits(std::string_view text, std::size_t at)
{
    while (at < text.size() && IsDigit(text[at]))
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

void SetNumberFormat(NumberFormat format)
{
    processFormat = format;
}

const NumberFormat &GetNumberFormat()
{
    return processFormat;
}

bool FloatIsZero(long double x)
{
    // The literal rounds down to the largest long double below 5E-324, so "<=" is the exact "<".
    return std::fabs(x) <= 5e-324L;
}

bool SameFloat(long double a, long double b)
{
    const long double tolerance =
        (a != 0.0L && b != 0.0L) ? 1e-17L * std::min(std::fabs(a), std::fabs(b)) : 1e-17L;
    return tolerance >= std::fabs(a - b);
}

std::string RenderFixed(long double x, int decimals)
{
    return RenderFixedWith(x, decimals, nullptr);
}

std::string RenderGrouped(long double x, int decimals)
{
    return RenderFixedWith(x, decimals, &processFormat.thousands);
}

std::string RenderScientific(long double x, int decimals)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    const int significant = std::clamp(decimals + 1, 2, kSignificantDigits);
    DecimalDigits value = DigitsOf(x);
    std::string mantissa = RoundToCount(value.digits, significant);
    int exponent = value.exponent;
    if (mantissa.size() > static_cast<std::size_t>(significant)) {
        mantissa.pop_back();
        ++exponent;
    }
    const bool zero = AllZero(mantissa);
    if (zero)
        exponent = 0;
    std::string text = value.negative && !zero ? "-" : "";
    text.push_back(mantissa[0]);
    text.push_back(processFormat.decimal);
    text.append(mantissa, 1);
    text += exponent >= 0 ? "E+" : "E-";
    char digits[8];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, std::abs(exponent));
    text.append(digits, end);
    return text;
}

std::string TrimTrailingZeroes(std::string_view rendered)
{
    const std::size_t e = rendered.find('E');
    if (e == std::string_view::npos)
        return TrimNumberPart(rendered, processFormat.decimal);
    return TrimNumberPart(rendered.substr(0, e), processFormat.decimal) +
           std::string(rendered.substr(e));
}

std::string RenderEditValue(long double v, const RenderSettings &settings)
{
    if (settings.BlankWhenZero && FloatIsZero(v))
        return {};
    const long double a = std::fabs(v);
    const bool fixed =
        settings.SciRange && ((settings.SciMin < a && a < settings.SciMax) || FloatIsZero(a));
    std::string text;
    if (!fixed)
        text = RenderScientific(v, settings.DecimalPlaces);
    else if (settings.ShowThousandSeparators)
        text = RenderGrouped(v, settings.DecimalPlaces);
    else
        text = RenderFixed(v, settings.DecimalPlaces);
    return settings.TrimTrailingZeroes ? TrimTrailingZeroes(text) : text;
}

long double ParseEditText(std::string_view typed)
{
    std::string text(typed);
    if (const std::size_t percent = text.find('%'); percent != std::string::npos)
        text.erase(percent, 1);
    std::erase(text, processFormat.thousands);
    TrimBlanks(text);
    while (!text.empty() && IsUnfinishedEnd(text.back())) {
        text.pop_back();
        TrimBlanks(text);
    }
    if (text.empty())
        return 0.0L;
    if (std::optional<long double> value = ReadNumber(text))
        return *value;
    throw ConversionError("'" + Printable(text) + "' is not a valid floating point value");
}

std::optional<long double> ReadNumber(std::string_view text)
{
    return ReadNumber(text, processFormat.decimal);
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

std::string FormatGeneral2(long double value)
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

std::string ShortestText(double value)
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
    const std::string_view number = WithoutPlus(text);
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::general);
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> ReadPlainNumberOrTiny(std::string_view text)
{
    if (const std::optional<double> value = ReadPlainNumber(text))
        return value;
    // from_chars refuses such a magnitude as out of range for a double; as a long double it reads.
    const std::string_view number = WithoutPlus(text);
    long double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::general);
    if (ec != std::errc() || end != number.data() + number.size() || std::fabs(value) >= DBL_MIN)
        return std::nullopt;
    return static_cast<double>(value);
}

std::string FormatPattern0_5(double x)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    return TrimNumberPart(FixedFromDigits(ShortestDigitsOf(x), 5, '.', nullptr), '.');
}

} // namespace velmaro
