#pragma once

// Design storms laid on the rainfall series: the NRCS 24-hour distributions (Types I, IA, II and
// III) and a uniform storm. Plain C++, no Qt.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::rainfall {

enum class StormType { TypeI, TypeIA, TypeII, TypeIII, Uniform };

struct StormName {
    StormType type;
    std::string_view key;     // as the runner takes it: I, IA, II, III, uniform
    std::string_view caption; // as the dialog lists it
    std::string_view shortName; // as a line about the series names it
};
std::span<const StormName> StormNames();
std::optional<StormType> StormTypeFromKey(std::string_view key);

// The fraction (0 to 1) of the 24-hour depth fallen by `hours` in an NRCS distribution, read from
// its published table and interpolated linearly between the table's times.
double NrcsFraction(StormType type, double hours);
// The table's times (hours) and the fractions of one NRCS type at those times.
std::span<const double> NrcsTableHours();
std::span<const double> NrcsTableFractions(StormType type);

// Steps of a 24-hour storm at this time step (minutes). Throws SeriesError when 24 h is not a
// whole number of steps or makes more than 100; the message names the nearest time steps that
// work.
int StormStepCount(double timeStepMinutes);

// What a storm was made from, kept with the series it laid so that the series can be told as
// that storm.
struct StormRecipe {
    StormType type = StormType::TypeII;
    double depthMm = 0;
    double timeStepMinutes = 0;
};

struct Storm {
    std::vector<double> partial;    // mm fallen in steps 1, 2, ...
    std::vector<double> cumulative; // mm fallen by the end of steps 1, 2, ...
};

// Time steps in minutes as the window holds them: equal but for the last bits of a conversion
// (0.5 hrs is 30 min).
bool SameTimeStep(double aMinutes, double bMinutes);
// Whether the storm was laid at another time step than the one the series is now read at, so
// that the series is told as that storm and offered to be laid again.
bool MadeForAnotherStep(const StormRecipe &recipe, double timeStepMinutes);

// The storm depth in the unit a user of these height units reads a storm in: inches when the
// heights show inches (a storm read off a U.S. map), mm otherwise.
struct StormDepth {
    double value;
    std::string_view unit;
};
StormDepth StormDepthIn(double depthMm, std::string_view heightUnit);

// "NRCS Type II, 120 mm, made for 30 min steps": the line that tells a series laid by a storm at
// another time step than the one it is now read at.
std::string StormMadeText(const StormRecipe &recipe, std::string_view heightUnit);

// A storm of depthMm: an NRCS type over 24 h at the time step, or the uniform storm spread
// evenly over stepCount steps. Throws SeriesError for a negative depth or a time step (NRCS) or
// a step count (uniform) that does not work.
Storm MakeStorm(StormType type, double depthMm, double timeStepMinutes, int stepCount);

// The storm of a recipe laid again at another time step, lasting as long as it did: an NRCS type
// its 24 hours, the uniform storm the laidStepCount steps it was laid on at the recipe's step.
// Throws SeriesError when that time does not cut into 1 to 100 whole steps.
Storm RemakeStorm(const StormRecipe &recipe, int laidStepCount, double timeStepMinutes);

} // namespace velmaro::rainfall
