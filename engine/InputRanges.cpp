#include "engine/InputRanges.h"

#include <algorithm>
#include <iterator>

namespace velmaro {

namespace {

struct NamedRange {
    std::string_view input;
    InputRange range;
};

constexpr InputRange kNotNegative{0, kNoUpperLimit};

constexpr NamedRange kRanges[] = {
    {"FlowLength", kNotNegative},
    {"LevelDifference", kNotNegative},
    {"WatershedArea", kNotNegative},
    {"TimeStep", kNotNegative},
    {"CurveNumber", {0, 100}},
    {"EnteredPartial", kNotNegative},
    {"EnteredCumulative", kNotNegative},
};

} // namespace

std::optional<InputRange> RangeOfInput(std::string_view input)
{
    const auto found = std::find_if(std::begin(kRanges), std::end(kRanges),
                                    [input](const NamedRange &named) { return named.input == input; });
    if (found == std::end(kRanges))
        return std::nullopt;
    return found->range;
}

} // namespace velmaro
