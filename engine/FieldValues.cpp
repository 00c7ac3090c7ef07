#include "engine/FieldValues.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace velmaro {

double ModelNumber(long double value)
{
    if (value > DBL_MAX)
        return std::numeric_limits<double>::infinity();
    if (value < -DBL_MAX)
        return -std::numeric_limits<double>::infinity();
    return static_cast<double>(value);
}

std::int32_t ModelWholeNumber(long double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0L)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0L)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace velmaro
