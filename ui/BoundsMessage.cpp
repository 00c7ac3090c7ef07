#include "BoundsMessage.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace velmaro {

namespace {

std::string IntegerText(int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// Writes |value| as the significant digits (trailing zeros dropped) and the decimal exponent of
// the first one, rounded to two digits.
void TwoSignificantDigits(long double magnitude, std::string &digits, int &exponent)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // text is "d.de+x" or "d.de-x".
    digits = {text[0], text[2]};
    if (digits.back() == '0')
        digits.pop_back();
    std::string_view power = text.substr(text.find('e') + 1);
    const bool negative = power.front() == '-';
    power.remove_prefix(1);
    exponent = 0;
    std::from_chars(power.data(), power.data() + power.size(), exponent);
    if (negative)
        exponent = -exponent;
}

std::string FixedText(const std::string &digits, int exponent)
{
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto integerDigits = static_cast<std::size_t>(exponent + 1);
    if (digits.size() <= integerDigits)
        return digits + std::string(integerDigits - digits.size(), '0');
    return digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

std::string ScientificText(const std::string &digits, int exponent)
{
    std::string text(1, digits[0]);
    if (digits.size() > 1)
        text += "." + digits.substr(1);
    return text + "E" + IntegerText(exponent);
}

} // namespace

std::string FormatGeneral2(long double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    std::string digits;
    int exponent = 0;
    TwoSignificantDigits(std::fabs(value), digits, exponent);
    const std::string sign = value < 0 ? "-" : "";
    if (exponent < 2 && exponent >= -5)
        return sign + FixedText(digits, exponent);
    return sign + ScientificText(digits, exponent);
}

std::string BoundsErrorText(long double baseMin, long double baseMax)
{
    return "The input value is outside the allowed range (" + FormatGeneral2(baseMin) + " - " +
           FormatGeneral2(baseMax) + ")";
}

} // namespace velmaro
