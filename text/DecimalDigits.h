#pragma once

// The decimal digits of a number and the layouts built from them, shared by the edit fields'
// text and the machine text of this folder; nothing outside text/ includes it.

#include <string>
#include <string_view>

namespace velmaro::digits {

// Every rounding of the edit fields starts from this many significant digits.
inline constexpr int kSignificantDigits = 18;

// |value| = d0.d1d2... x 10^exponent, its digits kept without the point.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// The decimal digits of x taken to `significant` digits.
DecimalDigits DigitsOf(long double x, int significant = kSignificantDigits);
// The shortest digits that read back as x: a double shows the decimal it was written from.
DecimalDigits ShortestDigitsOf(double x);

bool AllZero(std::string_view digits);
// The first `count` digits, rounded half away from zero by the digit after them.
std::string RoundToCount(const std::string &digits, int count);

// "INF", "-INF" or "NAN".
std::string NonFiniteText(long double x);
// The digits laid out with the point after the digit worth 10^exponent: "0.00ddd", "ddd00" or
// "dd.d".
std::string PositionalText(std::string_view digits, int exponent);
// Fixed notation: the integer digits (at least one, grouped by `thousands` when given), then
// `decimals` (0..18) digits after `decimal`.
std::string FixedFromDigits(const DecimalDigits &value, int decimals, char decimal,
                            const char *thousands);
// Drops trailing zeros after `decimal`, then a bare separator; a text without it stays whole.
std::string TrimNumberPart(std::string_view text, char decimal);

} // namespace velmaro::digits
