// The five hydrology routines. Each reads its inputs from the state, writes its results back
// and stops at the first failing operation, so the fields written before it keep their values.

#include "Arithmetic.h"
#include "ModelState.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace velmaro {

using namespace arith;

namespace {

constexpr double kTpConcentrationShare = 0.6;
constexpr double kUnitPeakCoefficient = 0.208; // m³/s per mm of runoff, km² and hours
constexpr double kBaseLengthRatio = 2.67;      // base length of the unit hydrograph over Tp
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();

void RequireStepCount(std::int32_t n)
{
    if (n < 1 || n > kSeriesSlots)
        throw StepCountError("The number of rainfall steps must lie between 1 and 100; it is " +
                             std::to_string(n) + ".");
}

[[noreturn]] void RefuseHydrograph(const std::string &count)
{
    throw HydrographCapacityError("The hydrograph would need " + count +
                                  " ordinates; at most 100000 can be computed.");
}

// A length in time steps as a 32-bit integer; anything beyond that range cannot be stored.
std::int32_t StepLength(double steps, std::int32_t add)
{
    if (steps > static_cast<double>(kInt32Max - add) || steps < static_cast<double>(kInt32Min - add))
        RefuseHydrograph("more than 2147483647");
    return static_cast<std::int32_t>(steps) + add;
}

} // namespace

void ModelState::ComputeConcentrationTime()
{
    const double c = Power(FlowLength, 3);
    const double x = Div(Mul(0.89, c), LevelDifference);
    ConcentrationTime = Power(x, 0.385);
}

void ModelState::ComputeRainfall()
{
    const int n = StepCount;
    RequireStepCount(n);
    if (PartialSeries == 1) {
        RainPartial[1] = RainCumulative[1] = EnteredPartial[1];
        for (int k = 2; k <= n; ++k) {
            RainCumulative[k] = Add(RainCumulative[k - 1], EnteredPartial[k]);
            RainPartial[k] = EnteredPartial[k];
        }
    } else {
        RainPartial[1] = RainCumulative[1] = EnteredCumulative[1];
        for (int k = 2; k <= n; ++k) {
            RainPartial[k] = Sub(EnteredCumulative[k], EnteredCumulative[k - 1]);
            RainCumulative[k] = EnteredCumulative[k];
        }
    }
    const double hours = TimeStep / 60;
    for (int k = 1; k <= n; ++k)
        Hyetograph[k] = Div(RainPartial[k], hours);
}

void ModelState::ComputeRetention()
{
    const double retention = Sub(Div(25400, static_cast<double>(CurveNumber)), 254);
    PotentialRetention = retention;
    if (AssignInitialAbstraction == 0)
        InitialAbstraction = Mul(0.2, PotentialRetention);
}

void ModelState::ComputeRunoffDepth()
{
    const int n = StepCount;
    RequireStepCount(n);
    const double ia = InitialAbstraction;
    const double s = PotentialRetention;
    for (int k = 1; k <= n; ++k) {
        const double p = RainCumulative[k];
        if (p > ia) {
            const double excess = Sub(p, ia);
            RunoffDepth[k] = Div(Mul(excess, excess), Add(excess, s));
        } else {
            RunoffDepth[k] = 0;
        }
    }
    RunoffIncrement[1] = RunoffDepth[1];
    for (int k = 2; k <= n; ++k)
        RunoffIncrement[k] = Sub(RunoffDepth[k], RunoffDepth[k - 1]);
}

void ModelState::ComputeHydrograph()
{
    const int n = StepCount;
    RequireStepCount(n);
    const double hours = TimeStep / 60;
    const double tp = Add(Mul(0.5, TimeStep) / 60, Mul(kTpConcentrationShare, ConcentrationTime));
    const double qu = Div(Mul(kUnitPeakCoefficient, WatershedArea), tp);
    const double peakSteps = Div(tp, hours);
    const std::int32_t nr = StepLength(Nearest(peakSteps), 1);
    const std::int32_t nb = StepLength(Trunc(Div(Mul(kBaseLengthRatio, tp), hours)), 3);
    const double nf = static_cast<double>(static_cast<std::int64_t>(nb) - nr);

    const std::int64_t count = static_cast<std::int64_t>(nb) + n - 1;
    if (count > kInt32Max)
        RefuseHydrograph("more than 2147483647");
    if (count > kHydrographCapacity)
        RefuseHydrograph(std::to_string(count));

    HydrographCount = static_cast<std::int32_t>(count);
    Hydrograph.ResetTo(HydrographCount);

    // Step i feeds only ordinates i to i - 1 + nb: rising up to its peak at i - 1 + nr, then
    // falling. Visiting just that base keeps the work at n x nb whatever the count is.
    for (int i = 1; i <= n; ++i) {
        const double m = Mul(qu, RunoffIncrement[i]);
        const std::int64_t peak = i - 1 + static_cast<std::int64_t>(nr);
        const std::int64_t base = i - 1 + static_cast<std::int64_t>(nb);
        for (std::int64_t j = i; j <= std::min(peak, count); ++j) {
            double &h = Hydrograph[static_cast<int>(j)];
            h = Add(h, Mul(static_cast<double>(j - i + 1) / nr, m));
        }
        for (std::int64_t j = std::max<std::int64_t>(1, peak + 1); j <= std::min(base, count); ++j) {
            double &h = Hydrograph[static_cast<int>(j)];
            h = Add(h, Mul(static_cast<double>(base - j) / nf, m));
        }
    }

    TotalVolume = 0;
    PeakDischarge = 0;
    for (int j = 1; j <= HydrographCount; ++j) {
        TotalVolume = Add(TotalVolume, Mul(Mul(Hydrograph[j], TimeStep), 60));
        if (Hydrograph[j] > PeakDischarge)
            PeakDischarge = Hydrograph[j];
    }
    SpecificVolume = Div(Div(TotalVolume, WatershedArea), 1000);
}

} // namespace velmaro
