#pragma once

// How the model takes the extended values of the window's units fields, so that the window and
// whatever else hands field values to the model (a study) give it the same numbers.

#include <cstdint>

namespace velmaro {

// The nearest double; a value beyond the double range becomes an infinity, which the routines
// refuse as an arithmetic failure.
double ModelNumber(long double value);

// Truncated towards zero (85.9 gives 85) and held within the 32-bit range instead of
// overflowing it; NaN gives 0.
std::int32_t ModelWholeNumber(long double value);

} // namespace velmaro
