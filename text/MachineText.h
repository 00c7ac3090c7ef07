#pragma once

// Numbers written and read as plain text, with "." as the decimal point whatever the process's
// number format or the C library's locale: the result grids and report listings, range
// messages, files and tables, the runner's arguments.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmaro {

// A number as the result grids, the report listings and the plot's labels write it: at least
// one integer digit, at most five decimals without trailing zeros, no grouping
// (21.79, 4.5, 3, 0.00001).
std::string ListingText(double x);

// A bound quoted in a range message, with 2 significant digits: fixed notation for numbers of
// at most 2 integer digits that are at least 0.00001, else scientific with "E", the exponent's
// sign only when negative and no leading zeros; trailing zeros dropped. 0 -> "0", 100 -> "1E2",
// 1.1E4900 -> "1.1E4900".
std::string RangeBoundText(long double value);

// The shortest digits that read back as value, for files and tables that are read again:
// positional for decimal exponents -5 to 14 ("0.00001", "100000000000000"), else "1e-06",
// "1.5e+20"; "inf", "nan" for non-finite values.
std::string RoundTripText(double value);

// The bare number grammar: [spaces][+|-]digits[<decimal>digits][(E|e)[+|-]digits][spaces], with
// a digit or the separator in the number part; nothing for any other text or a magnitude beyond
// the long double range. A magnitude below it reads as the nearest subnormal value, or 0.
std::optional<long double> ReadNumber(std::string_view text, char decimal);

// [+|-]digits within the 64-bit range; nothing for any other text (blanks included).
std::optional<std::int64_t> ReadInteger(std::string_view text);
// A number written for a machine: an optional exponent, an optional leading "+" as the edit
// fields allow; nothing for other text or a non-finite value.
std::optional<double> ReadPlainNumber(std::string_view text);
// As ReadPlainNumber, but a magnitude below the smallest normal double reads as the edit fields
// hand it to the model: the nearest double, a subnormal value or a signed zero, whatever its
// exponent or its number of digits. NaN and infinity are refused.
std::optional<double> ReadPlainNumberOrTiny(std::string_view text);
// As ReadPlainNumberOrTiny; with decimalComma a single comma reads as the point, so a number
// typed as a comma-decimal locale writes it reads, while "1.234,5" and "1,5,1" stay no numbers.
std::optional<double> ReadPlainNumberOrTiny(std::string_view text, bool decimalComma);

} // namespace velmaro
