#pragma once

// The range message the window shows when the user leaves an input outside its limits.

#include <string>

namespace velmaro {

// "The input value is outside the allowed range (<min> - <max>)", limits in the base unit, each
// in the 2-significant-digit general format.
std::string BoundsErrorText(long double baseMin, long double baseMax);

} // namespace velmaro
