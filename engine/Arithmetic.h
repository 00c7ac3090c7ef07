#pragma once

// Checked double arithmetic for the hydrology routines: each helper throws ArithmeticError at
// the operation that fails, so a routine stops exactly there and keeps what it already wrote.

#include "engine/EngineError.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace velmaro::arith {

// The range of the 32-bit integers the model's counts are stored in.
inline constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

inline constexpr const char *kDivisionByZero = "Floating point division by zero";
inline constexpr const char *kInvalidOperation = "Invalid floating point operation";
inline constexpr const char *kOverflow = "Floating point overflow";

inline double Finite(double x)
{
    if (!std::isfinite(x))
        throw ArithmeticError(std::isnan(x) ? kInvalidOperation : kOverflow);
    return x;
}

inline double Div(double a, double b)
{
    if (b == 0.0)
        throw ArithmeticError(kDivisionByZero);
    return Finite(a / b);
}

inline double Mul(double a, double b) { return Finite(a * b); }
inline double Add(double a, double b) { return Finite(a + b); }
inline double Sub(double a, double b) { return Finite(a - b); }

// power(b, e): e = 0 gives 1; b = 0 with e > 0 gives 0; a whole e within the 32-bit range is
// done by multiplication (negative bases allowed); otherwise exp(e ln b), undefined for b < 0.
double Power(double base, double exponent);

// Whole number nearest to x, ties to the even neighbour (2.5 -> 2, 3.5 -> 4).
double Nearest(double x);

// x without its fraction, towards zero.
inline double Trunc(double x) { return std::trunc(x); }

} // namespace velmaro::arith
