#pragma once

// The units the window offers for each of its input fields, as unit entries
// "name|factor|offset" with the base unit first. A study names a field's unit by its name, and
// reads its value back to the base unit through these same entries, so an entry keeps its name
// once a study may hold it; new units are appended.

#include <string_view>

namespace velmaro {

inline constexpr std::string_view kFlowLengthUnits[] = {"km|1|0", "m|1000|0"};
inline constexpr std::string_view kLevelDifferenceUnits[] = {"m|1|0", "cm|100|0"};
inline constexpr std::string_view kWatershedAreaUnits[] = {"km²|1|0", "ha|100|0", "m²|1000000|0"};
inline constexpr std::string_view kInitialAbstractionUnits[] = {"mm|1|0", "cm|0.1|0"};
inline constexpr std::string_view kTimeStepUnits[] = {
    "min|1|0", "sec|60|0", "hrs|0.016666666666666666666666666666667|0"};
inline constexpr std::string_view kRainfallHeightUnits[] = {"mm|1|0", "cm|0.1|0", "m|0.001|0"};
inline constexpr std::string_view kCurveNumberUnits[] = {"-|1|0"};

} // namespace velmaro
