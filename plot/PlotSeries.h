#pragma once

// What the plot window draws, worked out without any widget: every stage run on a copy of the
// window's model, the curves in the units the window's lists show, the peak, and a line for each
// group of curves that could not be drawn.

#include <optional>
#include <string>
#include <vector>

namespace velmaro {

struct ModelState;

// The units chosen above the rainfall and Runoff grids, converted the way those grids convert.
struct PlotUnits {
    std::string intensity = "mm/hr";
    double intensityDivisor = 1; // shown = mm/hr / divisor
    std::string discharge = "m³/s";
    double dischargeFactor = 1;  // shown = m³/s × factor
    std::string depth = "mm";    // the cumulative depths, in the runoff depth grid's unit
    double depthDivisor = 1;     // shown = mm / divisor
};

struct PlotPeak {
    double hours = 0;
    double discharge = 0; // in the chosen unit
};

struct PlotCurves {
    // Rainfall steps k = 1..StepCount end at k × TimeStep / 60 hours.
    std::vector<double> stepHours;
    std::vector<double> intensity;        // chosen unit
    std::vector<double> cumulativeRain;   // in PlotUnits::depth
    std::vector<double> cumulativeRunoff; // in PlotUnits::depth
    // Hydrograph ordinates j = 1..HydrographCount lie at j × TimeStep / 60 hours.
    std::vector<double> ordinateHours;
    std::vector<double> discharge;        // chosen unit
    double stepLength = 0;                // hours, the width of one hyetogram bar
    bool rainfallDrawn = false;
    bool runoffDepthDrawn = false;
    bool hydrographDrawn = false;
    std::optional<PlotPeak> peak;         // none when no ordinate is above zero
    std::vector<std::string> notDrawn;    // why a group of curves is missing, one line each
};

// Runs every stage on `model` (the caller's copy) as the window guards them, and collects the
// curves. A group of curves is drawn only when every stage it rests on succeeded.
PlotCurves ComputePlotCurves(ModelState &model, const PlotUnits &units);

// "Peak 627.683 m³/s at 3 h", the value written as the window's result fields write it.
std::string PeakLabel(const PlotPeak &peak, const PlotUnits &units);

// The values of the drawn curves at a time under the pointer: the step holding that time for the
// rainfall, the nearest ordinate for the discharge. Empty outside every curve.
std::string ValuesAt(const PlotCurves &curves, const PlotUnits &units, double hours);

} // namespace velmaro
