#pragma once

// The units the window offers for each of its input fields, as unit entries
// "name|factor|offset" with the base unit first. A study names a field's unit by its name, and
// reads its value back to the base unit through these same entries, so an entry keeps its name
// once a study may hold it; new units are appended.

#include <string_view>

namespace velmaro {

// The U.S. customary entries come after the described ones. Their factors carry more digits than
// an extended number holds, so each reads as the exact conversion rounded once: 1 ft = 0.3048 m,
// 1 in = 25.4 mm, 1 mi = 1609.344 m, 1 ac = 4046.8564224 m².
inline constexpr const char kFootPerKm[] = "ft|3280.83989501312335958005249343832020997375328|0";
inline constexpr const char kMilePerKm[] = "mi|0.621371192237333969617434184363318221585938121|0";
inline constexpr const char kFootPerM[] = "ft|3.28083989501312335958005249343832020997375328|0";
inline constexpr const char kAcrePerKm2[] = "ac|247.105381467165342248243929198806260075534129|0";
inline constexpr const char kSquareMilePerKm2[] = "mi²|0.386102158542445847262881139373134781368022077|0";
inline constexpr const char kInchPerMm[] = "in|0.0393700787401574803149606299212598425196850394|0";

inline constexpr std::string_view kFlowLengthUnits[] = {"km|1|0", "m|1000|0", kFootPerKm, kMilePerKm};
inline constexpr std::string_view kLevelDifferenceUnits[] = {"m|1|0", "cm|100|0", kFootPerM};
inline constexpr std::string_view kWatershedAreaUnits[] = {"km²|1|0", "ha|100|0", "m²|1000000|0",
                                                           kAcrePerKm2, kSquareMilePerKm2};
inline constexpr std::string_view kInitialAbstractionUnits[] = {"mm|1|0", "cm|0.1|0", kInchPerMm};
inline constexpr std::string_view kTimeStepUnits[] = {
    "min|1|0", "sec|60|0", "hrs|0.016666666666666666666666666666667|0"};
inline constexpr std::string_view kRainfallHeightUnits[] = {"mm|1|0", "cm|0.1|0", "m|0.001|0",
                                                            kInchPerMm};
inline constexpr std::string_view kCurveNumberUnits[] = {"-|1|0"};

} // namespace velmaro
