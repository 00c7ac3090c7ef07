#pragma once

// What the plot window draws, worked out without any widget: every stage run on a copy of the
// window's model, the curves in the units the window's lists show, the peak, and a line for each
// group of curves that could not be drawn.

#include "text/UnitModel.h"

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
    UnitEntry volumeCheck{"mm", 1, 0}; // the specific volume field's unit
};

struct PlotPeak {
    double hours = 0;
    double discharge = 0; // in the chosen unit
};

// One unit hydrograph's hydrograph over the same runoff, drawn beside the others when comparing.
struct ComparedHydrograph {
    std::string caption;               // as the Runoff tab lists it
    bool chosen = false;               // the one the Runoff tab computes with
    std::vector<double> ordinateHours;
    std::vector<double> discharge;     // chosen unit
    std::optional<PlotPeak> peak;      // none when no ordinate is above zero
    std::string failure;               // why it could not be computed; empty when it was
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
    std::string volumeCheck;              // the Runoff tab's line, with the hydrograph
    // Every unit hydrograph's, in the order of their codes, when asked to compare and the
    // stages the hydrograph rests on computed.
    std::vector<ComparedHydrograph> compared;
};

// Runs every stage on `model` (the caller's copy) as the window guards them, and collects the
// curves. A group of curves is drawn only when every stage it rests on succeeded. `compare` adds
// the hydrograph of every unit hydrograph.
PlotCurves ComputePlotCurves(ModelState &model, const PlotUnits &units, bool compare = false);

// "Peak 627.683 m³/s at 3 h", the value written as the window's result fields write it.
std::string PeakLabel(const PlotPeak &peak, const PlotUnits &units);

// "NRCS curvilinear: peak 615.481 m³/s at 3 h", "(chosen)" after the Runoff tab's; the failure
// in place of the peak when it could not be computed.
std::string ComparedLabel(const ComparedHydrograph &compared, const PlotUnits &units);

// The values of the drawn curves at a time under the pointer: the step holding that time for the
// rainfall, the nearest ordinate for the discharge. Empty outside every curve.
std::string ValuesAt(const PlotCurves &curves, const PlotUnits &units, double hours);

} // namespace velmaro
