#include "plot/PlotSeries.h"

#include "engine/Chain.h"
#include "engine/ModelState.h"
#include "engine/UnitHydrograph.h"
#include "text/FieldText.h"
#include "text/MachineText.h"
#include "text/VolumeCheckText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <exception>
#include <iterator>
#include <optional>
#include <span>

namespace velmaro {

namespace {

// Each group of curves with the stage whose results it draws.
struct CurveGroup {
    const char *caption;
    Stage stage;
    bool PlotCurves::*drawn;
};
constexpr std::array<CurveGroup, 3> kGroups{{
    {"Hyetogram and cumulative rainfall", Stage::Rainfall, &PlotCurves::rainfallDrawn},
    {"Cumulative runoff depth", Stage::RunoffDepth, &PlotCurves::runoffDepthDrawn},
    {"Hydrograph", Stage::Hydrograph, &PlotCurves::hydrographDrawn},
}};

// The first failure, in chain order, of a stage the group's results rest on.
const StageFailure *FirstFailure(const std::vector<StageFailure> &failures, const CurveGroup &group)
{
    const auto found = std::find_if(failures.begin(), failures.end(), [&group](const StageFailure &f) {
        return RestsOn(group.stage, f.stage);
    });
    return found == failures.end() ? nullptr : &*found;
}

template <class Value>
std::vector<double> Sampled(int count, Value value)
{
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int k = 1; k <= count; ++k)
        samples.push_back(value(k));
    return samples;
}

void TakeRainfall(PlotCurves &curves, const ModelState &model, const PlotUnits &units)
{
    const int n = model.StepCount;
    const double step = model.TimeStep / 60;
    curves.stepHours = Sampled(n, [step](int k) { return k * step; });
    curves.intensity =
        Sampled(n, [&](int k) { return model.Hyetograph[k] / units.intensityDivisor; });
    curves.cumulativeRain = Sampled(n, [&](int k) { return model.RainCumulative[k] / units.depthDivisor; });
}

// The model's hydrograph in the chosen unit, with the first ordinate reaching its peak.
void TakeOrdinates(const ModelState &model, const PlotUnits &units, std::vector<double> &hours,
                   std::vector<double> &discharge, std::optional<PlotPeak> &peak)
{
    const int count = model.HydrographCount;
    const double step = model.TimeStep / 60;
    const std::span<const double> ordinates = model.Hydrograph.Ordinates();
    hours = Sampled(count, [step](int j) { return j * step; });
    discharge = Sampled(count, [&](int j) {
        return ordinates[static_cast<std::size_t>(j - 1)] * units.dischargeFactor;
    });
    // The first ordinate reaching the peak, as the engine finds it.
    const auto highest = std::max_element(discharge.begin(), discharge.end());
    if (highest != discharge.end() && *highest > 0) {
        const auto at = static_cast<std::size_t>(std::distance(discharge.begin(), highest));
        peak = PlotPeak{hours[at], *highest};
    }
}

void TakeHydrograph(PlotCurves &curves, const ModelState &model, const PlotUnits &units)
{
    TakeOrdinates(model, units, curves.ordinateHours, curves.discharge, curves.peak);
    curves.volumeCheck = VolumeCheckText(model.SpecificVolume, model.RunoffDepth[model.StepCount],
                                         model.ContinuityError, units.volumeCheck);
}

// Each unit hydrograph laid over the runoff the chain computed; the chosen one is the plot's own.
std::vector<ComparedHydrograph> CompareUnitHydrographs(const ModelState &computed, const PlotCurves &curves,
                                                       const std::optional<std::string> &chosenFailure,
                                                       const PlotUnits &units)
{
    std::vector<ComparedHydrograph> compared;
    // ComputeHydrograph reads only the inputs and the runoff, which no kind changes, and writes
    // each of its results afresh, so one copy serves every kind in turn, even after one that
    // failed part way.
    ModelState model = computed;
    for (std::size_t code = 0; code < kUnitHydrographKinds; ++code) {
        ComparedHydrograph &c = compared.emplace_back();
        c.caption = kUnitHydrographCaptions[code];
        c.chosen = code == computed.UnitHydrograph;
        if (c.chosen) {
            c.ordinateHours = curves.ordinateHours;
            c.discharge = curves.discharge;
            c.peak = curves.peak;
            c.failure = chosenFailure.value_or(std::string());
            continue;
        }
        model.UnitHydrograph = static_cast<std::uint8_t>(code);
        try {
            model.ComputeHydrograph();
            TakeOrdinates(model, units, c.ordinateHours, c.discharge, c.peak);
        } catch (const std::exception &failure) {
            c.failure = failure.what();
        }
    }
    return compared;
}

// "627.683 m³/s at 3 h"
std::string PeakValues(const PlotPeak &peak, const PlotUnits &units)
{
    return RenderEditValue(peak.discharge, kUnitsFieldRendering) + " " + units.discharge + " at " +
           ListingText(peak.hours) + " h";
}

// Index of the step whose interval ((k-1)D, kD] holds the time, or nothing.
std::optional<std::size_t> StepHolding(const PlotCurves &curves, double hours)
{
    if (curves.stepHours.empty() || curves.stepLength <= 0 || hours <= 0)
        return std::nullopt;
    const auto k = static_cast<std::size_t>(std::ceil(hours / curves.stepLength));
    if (k < 1 || k > curves.stepHours.size())
        return std::nullopt;
    return k - 1;
}

std::optional<std::size_t> NearestOrdinate(const PlotCurves &curves, double hours)
{
    if (curves.ordinateHours.empty() || curves.stepLength <= 0)
        return std::nullopt;
    const double position = std::round(hours / curves.stepLength);
    if (position < 1 || position > static_cast<double>(curves.ordinateHours.size()))
        return std::nullopt;
    return static_cast<std::size_t>(position) - 1;
}

} // namespace

PlotCurves ComputePlotCurves(ModelState &model, const PlotUnits &units, bool compare)
{
    const std::vector<StageFailure> failures = RunGuardedChain(model);
    PlotCurves curves;
    curves.stepLength = model.TimeStep / 60;
    for (const CurveGroup &group : kGroups) {
        const StageFailure *failure = FirstFailure(failures, group);
        curves.*group.drawn = failure == nullptr;
        if (failure)
            curves.notDrawn.push_back(std::string(group.caption) + " not drawn: the " +
                                      std::string(RoutineCaption(failure->routine)) + " stage failed (" +
                                      failure->message + ")");
    }
    if (curves.rainfallDrawn)
        TakeRainfall(curves, model, units);
    // The runoff depth rests on the rainfall stage, so its step times are already taken.
    if (curves.runoffDepthDrawn)
        curves.cumulativeRunoff =
            Sampled(model.StepCount, [&](int k) { return model.RunoffDepth[k] / units.depthDivisor; });
    if (curves.hydrographDrawn)
        TakeHydrograph(curves, model, units);
    // Every stage but the hydrograph's own is one it rests on: once they computed, only the
    // hydrograph's own failure can remain.
    const bool inputsComputed = std::all_of(failures.begin(), failures.end(),
                                            [](const StageFailure &f) { return f.stage == Stage::Hydrograph; });
    if (compare && inputsComputed) {
        const std::optional<std::string> chosenFailure =
            failures.empty() ? std::nullopt : std::optional(failures.front().message);
        curves.compared = CompareUnitHydrographs(model, curves, chosenFailure, units);
    }
    return curves;
}

std::string PeakLabel(const PlotPeak &peak, const PlotUnits &units)
{
    return "Peak " + PeakValues(peak, units);
}

std::string ComparedLabel(const ComparedHydrograph &compared, const PlotUnits &units)
{
    const std::string name = compared.caption + (compared.chosen ? " (chosen)" : "");
    if (!compared.failure.empty())
        return name + ": not computed (" + compared.failure + ")";
    if (!compared.peak)
        return name + ": no runoff";
    return name + ": peak " + PeakValues(*compared.peak, units);
}

std::string ValuesAt(const PlotCurves &curves, const PlotUnits &units, double hours)
{
    std::string text;
    const auto add = [&text](const std::string &item) { text += (text.empty() ? "" : "    ") + item; };
    if (const auto k = StepHolding(curves, hours)) {
        add("step " + std::to_string(*k + 1));
        if (curves.rainfallDrawn) {
            add("intensity " + ListingText(curves.intensity[*k]) + " " + units.intensity);
            add("cumulative rainfall " + ListingText(curves.cumulativeRain[*k]) + " " + units.depth);
        }
        if (curves.runoffDepthDrawn)
            add("cumulative runoff " + ListingText(curves.cumulativeRunoff[*k]) + " " + units.depth);
    }
    if (const auto j = NearestOrdinate(curves, hours); j && curves.hydrographDrawn)
        add("discharge " + ListingText(curves.discharge[*j]) + " " + units.discharge + " at " +
            ListingText(curves.ordinateHours[*j]) + " h");
    if (text.empty())
        return text;
    return ListingText(hours) + " h:    " + text;
}

} // namespace velmaro
