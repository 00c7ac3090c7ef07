#pragma once

// The ranges the user's inputs are held to, in base units: the window's fields show their range
// message outside them and the headless runner refuses such values. One table, so that the two
// agree. A value outside its range is still computed with: by the window after its message, by
// the runner when told to.

#include <optional>
#include <string_view>

namespace velmaro {

// No upper limit: beyond the double range, so the window's fields keep it in extended precision.
inline constexpr long double kNoUpperLimit = 1.1E4900L;

struct InputRange {
    long double low;
    long double high;

    bool Holds(long double value) const { return value >= low && value <= high; }
};

// The range of an input by its name in ModelFields (for a series, the range of each of its
// values); nothing for an input without one: the initial abstraction, the counts and choices.
std::optional<InputRange> RangeOfInput(std::string_view input);

} // namespace velmaro
