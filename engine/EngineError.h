#pragma once

#include <stdexcept>
#include <string>

namespace velmaro {

// Every failure raised by the hydrology routines. The window's guarded stages catch this type.
class EngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An arithmetic operation that cannot give a finite double: division by zero (0/0 included),
// a negative base under a fractional exponent, or a result beyond double range.
class ArithmeticError : public EngineError {
public:
    using EngineError::EngineError;
};

// The hydrograph store holds at most HydrographCapacity ordinates; larger inputs are refused
// before anything is written, and the window shows this message instead of dropping it.
class HydrographCapacityError : public EngineError {
public:
    using EngineError::EngineError;
};

// StepCount outside 1 to 100 would address series slots that do not exist.
class StepCountError : public EngineError {
public:
    using EngineError::EngineError;
};

} // namespace velmaro
