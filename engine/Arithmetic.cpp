#include "engine/Arithmetic.h"

#include <cstdint>

namespace velmaro::arith {

namespace {

double IntegerPower(double base, std::int64_t exponent)
{
    const bool reciprocal = exponent < 0;
    std::uint64_t remaining = reciprocal ? static_cast<std::uint64_t>(-exponent)
                                         : static_cast<std::uint64_t>(exponent);
    double result = 1.0;
    double factor = base;
    while (remaining != 0) {
        if (remaining & 1U)
            result = Mul(result, factor);
        remaining >>= 1U;
        if (remaining != 0)
            factor = Mul(factor, factor);
    }
    return reciprocal ? Div(1.0, result) : result;
}

} // namespace

double Power(double base, double exponent)
{
    if (exponent == 0.0)
        return 1.0;
    if (base == 0.0 && exponent > 0.0)
        return 0.0;
    if (exponent == std::trunc(exponent) && std::fabs(exponent) <= static_cast<double>(kInt32Max))
        return IntegerPower(base, static_cast<std::int64_t>(exponent));
    if (base < 0.0)
        throw ArithmeticError(kInvalidOperation);
    if (base == 0.0)
        throw ArithmeticError(kDivisionByZero); // ln 0 under a negative exponent
    return Finite(std::exp(Mul(exponent, std::log(base))));
}

double Nearest(double x)
{
    // Round half to even independently of the floating-point environment's rounding mode.
    const double floor = std::floor(x);
    const double fraction = x - floor;
    if (fraction > 0.5)
        return floor + 1.0;
    if (fraction < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

} // namespace velmaro::arith
