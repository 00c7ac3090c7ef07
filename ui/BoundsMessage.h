#pragma once

// The range message the window shows when the user leaves an input outside its limits.

#include <string>

namespace velmaro {

// General format with 2 significant digits: fixed notation for numbers of at most 2 integer
// digits that are at least 0.00001, else scientific with "E", the exponent's sign only when
// negative and no leading zeros; trailing zeros dropped. 0 -> "0", 100 -> "1E2",
// 1.1E4900 -> "1.1E4900". Independent of the C library locale.
std::string FormatGeneral2(long double value);

// "The input value is outside the allowed range (<min> - <max>)", limits in the base unit.
std::string BoundsErrorText(long double baseMin, long double baseMax);

} // namespace velmaro
