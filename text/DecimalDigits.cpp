#include "text/DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace velmaro::digits {

namespace {

constexpr int kMaxDecimals = 18;

DecimalDigits DigitsOfText(const char *first, const char *last, bool negative)
{
    DecimalDigits result;
    result.negative = negative;
    const char *e = std::find(first, last, 'e');
    for (const char *p = first; p != e; ++p)
        if (*p >= '0' && *p <= '9')
            result.digits.push_back(*p);
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), last, result.exponent);
    return result;
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

} // namespace

DecimalDigits DigitsOf(long double x, int significant)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                   std::chars_format::scientific, significant - 1);
    return DigitsOfText(buffer, end, std::signbit(x));
}

DecimalDigits ShortestDigitsOf(double x)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x),
                                   std::chars_format::scientific);
    return DigitsOfText(buffer, end, std::signbit(x));
}

bool AllZero(std::string_view digits)
{
    return digits.find_first_not_of('0') == std::string_view::npos;
}

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

std::string PositionalText(std::string_view digits, int exponent)
{
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + std::string(digits);
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits)
        return std::string(digits) + std::string(integerDigits - digits.size(), '0');
    return std::string(digits.substr(0, integerDigits)) + "." + std::string(digits.substr(integerDigits));
}

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

std::string TrimNumberPart(std::string_view text, char decimal)
{
    if (text.find(decimal) == std::string_view::npos)
        return std::string(text);
    std::size_t end = text.find_last_not_of('0') + 1;
    if (end > 0 && text[end - 1] == decimal)
        --end;
    return std::string(text.substr(0, end));
}

} // namespace velmaro::digits
