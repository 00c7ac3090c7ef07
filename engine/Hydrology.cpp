// The five hydrology routines. Each reads its inputs from the state, writes its results back
// and stops at the first failing operation, so the fields written before it keep their values.

#include "engine/Arithmetic.h"
#include "engine/ModelState.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace velmaro {

using namespace arith;

namespace {

constexpr double kTpConcentrationShare = 0.6;
constexpr double kUnitPeakCoefficient = 0.208; // m³/s per mm of runoff, km² and hours
constexpr double kBaseLengthRatio = 2.67;      // base length of the unit hydrograph over Tp

void RequireStepCount(std::int32_t n)
{
    if (n < 1 || n > kSeriesSlots)
        throw StepCountError("The number of rainfall steps must lie between 1 and 100; it is " +
                             std::to_string(n) + ".");
}

// The count said when nr, nb or the count itself does not fit a 32-bit integer.
constexpr const char *kBeyond32Bits = "more than 2147483647";

[[noreturn]] void RefuseHydrograph(const std::string &count)
{
    throw HydrographCapacityError("The hydrograph would need " + count +
                                  " ordinates; at most 100000 can be computed.");
}

// A length in time steps as a 32-bit integer; anything beyond that range cannot be stored.
// The whole number of steps plus a few is exact in a double wherever the sum fits the range.
std::int32_t StepLength(double steps, std::int32_t add)
{
    const double length = steps + add;
    if (length > static_cast<double>(kInt32Max) || length < static_cast<double>(kInt32Min))
        RefuseHydrograph(kBeyond32Bits);
    return static_cast<std::int32_t>(length);
}

// The unit hydrograph's ordinates at places uLow to uHigh (element u - uLow): rising by 1/nr up
// to the peak at u = nr, then falling by 1/(nb - nr) to 0 at u = nb, and 0 outside.
std::vector<double> UnitHydrographWeights(std::int64_t uLow, std::int64_t uHigh, std::int32_t nr,
                                          std::int32_t nb)
{
    const double nf = static_cast<double>(static_cast<std::int64_t>(nb) - nr);
    std::vector<double> weight(static_cast<std::size_t>(std::max<std::int64_t>(uHigh - uLow + 1, 0)));
    for (std::int64_t u = uLow; u <= uHigh; ++u) {
        double &w = weight[static_cast<std::size_t>(u - uLow)];
        if (u >= 1 && u <= nr)
            w = static_cast<double>(u) / nr;
        else if (u > nr && u <= nb)
            w = static_cast<double>(nb - u) / nf;
    }
    return weight;
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

    const std::int64_t count = static_cast<std::int64_t>(nb) + n - 1;
    if (count > kInt32Max)
        RefuseHydrograph(kBeyond32Bits);
    if (count > kHydrographCapacity)
        RefuseHydrograph(std::to_string(count));

    HydrographCount = static_cast<std::int32_t>(count);
    Hydrograph.ResetTo(HydrographCount);

    // u = j - i + 1 is ordinate j's place in the unit hydrograph of step i. Only places that
    // land on ordinates 1 to count can matter, so the table stays within the count whatever nr
    // and nb.
    const std::int64_t uLow = std::max<std::int64_t>(std::min<std::int64_t>(1, nr + 1), 2 - n);
    const std::int64_t uHigh = std::min<std::int64_t>(std::max(nr, nb), count);
    const std::vector<double> weight = UnitHydrographWeights(uLow, uHigh, nr, nb);

    // No ordinate can exceed the sum of |m| over the steps so far: while that sum is finite no
    // addition can overflow, and only past that is each addition checked, before it is stored.
    const std::span<double> h = Hydrograph.Ordinates();
    double reach = 0;
    for (int i = 1; i <= n; ++i) {
        const double m = Mul(qu, RunoffIncrement[i]);
        reach += std::fabs(m);
        const bool mayOverflow = !std::isfinite(reach);
        const std::int64_t first = std::max<std::int64_t>(uLow, 2 - i);
        const std::int64_t last = std::min<std::int64_t>(uHigh, count - i + 1);
        for (std::int64_t u = first; u <= last; ++u) {
            double &ordinate = h[static_cast<std::size_t>(u + i - 2)];
            const double sum = ordinate + weight[static_cast<std::size_t>(u - uLow)] * m;
            ordinate = mayOverflow ? Finite(sum) : sum;
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
