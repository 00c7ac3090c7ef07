// The five hydrology routines. Each reads its inputs from the state, writes its results back
// and stops at the first failing operation, so the fields written before it keep their values.

#include "engine/Arithmetic.h"
#include "engine/ModelState.h"
#include "engine/UnitHydrograph.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <span>
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

// ordinates[k] += shares[k] * m. Four at a time: the additions do not depend on each other, and
// the curve number keystroke spends most of its time here.
void AddScaled(std::span<double> ordinates, const double *shares, double m)
{
    const std::size_t count = ordinates.size();
    std::size_t k = 0;
    for (; k + 4 <= count; k += 4) {
        const double a = ordinates[k] + shares[k] * m;
        const double b = ordinates[k + 1] + shares[k + 1] * m;
        const double c = ordinates[k + 2] + shares[k + 2] * m;
        const double d = ordinates[k + 3] + shares[k + 3] * m;
        ordinates[k] = a;
        ordinates[k + 1] = b;
        ordinates[k + 2] = c;
        ordinates[k + 3] = d;
    }
    for (; k < count; ++k)
        ordinates[k] += shares[k] * m;
}

// One rainfall step's unit hydrograph on the time step, as shares of its peak. Places first to
// last may be non-zero, and at place `length` the shape is back to 0, so n rainfall steps give
// length + n - 1 ordinates.
struct LaidUnitHydrograph {
    std::int32_t length;
    std::int64_t first;
    std::int64_t last;
    std::function<std::vector<double>(std::int64_t low, std::int64_t high)> shares;
};

LaidUnitHydrograph LayTriangle(double tp, double hours, double peakSteps)
{
    const std::int32_t nr = StepLength(Nearest(peakSteps), 1);
    const std::int32_t nb = StepLength(Trunc(Div(Mul(kBaseLengthRatio, tp), hours)), 3);
    return {nb, std::min<std::int64_t>(1, nr + 1), std::max(nr, nb),
            [nr, nb](std::int64_t low, std::int64_t high) { return TriangleShares(nr, nb, low, high); }};
}

// The first place at or past the table's end is 0 and closes the shape.
LaidUnitHydrograph LayNrcsCurve(double, double, double peakSteps)
{
    const double end = NrcsDimensionlessTable().back().time;
    const std::int32_t length = StepLength(Trunc(Mul(end, peakSteps)), 1);
    return {length, 1, length,
            [peakSteps](std::int64_t low, std::int64_t high) { return NrcsShares(peakSteps, low, high); }};
}

struct UnitHydrographMethod {
    LaidUnitHydrograph (*lay)(double tp, double hours, double peakSteps);
    // Its peak is set so that 1 mm of runoff gives 1 mm of hydrograph, in place of 0.208 A / Tp.
    bool holdsOneMillimetre;
};

// By the codes of UnitHydrographKind.
constexpr std::array<UnitHydrographMethod, kUnitHydrographKinds> kMethods{{
    {LayTriangle, false},
    {LayTriangle, true},
    {LayNrcsCurve, true},
}};

const UnitHydrographMethod &MethodOf(std::uint8_t code)
{
    if (code >= kMethods.size())
        throw EngineError("There is no unit hydrograph " + std::to_string(code) + ".");
    return kMethods[code];
}

// 1 mm over A km² is 1000 A m³; the shape holds the sum of its shares times its peak times the
// time step in seconds.
double PeakHoldingOneMillimetre(const std::vector<double> &shares, double area, double timeStep)
{
    double sum = 0;
    for (const double share : shares)
        sum += share;
    return Div(Mul(1000, area), Mul(Mul(sum, timeStep), 60));
}

// (value - reference) / reference in percent; NaN, for none, when the reference is 0 or the
// quotient leaves the double range.
double PercentDifference(double value, double reference)
{
    constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    if (reference == 0)
        return kNone;
    const double percent = (value - reference) / reference * 100;
    return std::isfinite(percent) ? percent : kNone;
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
    const UnitHydrographMethod &method = MethodOf(UnitHydrograph);
    const double hours = TimeStep / 60;
    const double tp = Add(Mul(0.5, TimeStep) / 60, Mul(kTpConcentrationShare, ConcentrationTime));
    const double qu = Div(Mul(kUnitPeakCoefficient, WatershedArea), tp);
    const double peakSteps = Div(tp, hours);
    const LaidUnitHydrograph unit = method.lay(tp, hours, peakSteps);

    const std::int64_t count = static_cast<std::int64_t>(unit.length) + n - 1;
    if (count > kInt32Max)
        RefuseHydrograph(kBeyond32Bits);
    if (count > kHydrographCapacity)
        RefuseHydrograph(std::to_string(count));

    // u = j - i + 1 is ordinate j's place in the unit hydrograph of step i. Only places that
    // land on ordinates 1 to count can matter, so the shares stay within the count whatever the
    // shape's places.
    const std::int64_t uLow = std::max<std::int64_t>(unit.first, 2 - n);
    const std::int64_t uHigh = std::min<std::int64_t>(unit.last, count);
    const std::vector<double> weight = unit.shares(uLow, uHigh);
    const double peak =
        method.holdsOneMillimetre ? PeakHoldingOneMillimetre(weight, WatershedArea, TimeStep) : qu;

    HydrographCount = static_cast<std::int32_t>(count);
    Hydrograph.ResetTo(HydrographCount);

    // No ordinate can exceed the sum of |m| over the steps so far: while that sum is finite no
    // addition can overflow, and only past that is each addition checked, before it is stored.
    const std::span<double> h = Hydrograph.Ordinates();
    double reach = 0;
    for (int i = 1; i <= n; ++i) {
        const double m = Mul(peak, RunoffIncrement[i]);
        reach += std::fabs(m);
        const bool mayOverflow = !std::isfinite(reach);
        const std::int64_t first = std::max<std::int64_t>(uLow, 2 - i);
        const std::int64_t last = std::min<std::int64_t>(uHigh, count - i + 1);
        if (last < first)
            continue;
        const std::span<double> ordinates = h.subspan(static_cast<std::size_t>(first + i - 2),
                                                      static_cast<std::size_t>(last - first + 1));
        const double *share = weight.data() + (first - uLow);
        if (mayOverflow) {
            for (std::size_t k = 0; k < ordinates.size(); ++k)
                ordinates[k] = Finite(ordinates[k] + share[k] * m);
        } else {
            AddScaled(ordinates, share, m);
        }
    }

    TotalVolume = 0;
    PeakDischarge = 0;
    // The first ordinate reaching the peak, 0 for none. The peak starts at 0, so a zero ordinate
    // (-0.0 too) reaches it until a higher one comes; a hydrograph of negative ordinates or of
    // none has no such ordinate.
    int reaching = 0;
    for (int j = 1; j <= HydrographCount; ++j) {
        TotalVolume = Add(TotalVolume, Mul(Mul(Hydrograph[j], TimeStep), 60));
        if (Hydrograph[j] > PeakDischarge) {
            PeakDischarge = Hydrograph[j];
            reaching = j;
        } else if (reaching == 0 && Hydrograph[j] == PeakDischarge) {
            reaching = j;
        }
    }
    PeakTime = reaching == 0 ? 0 : Div(Mul(static_cast<double>(reaching), TimeStep), 60);
    SpecificVolume = Div(Div(TotalVolume, WatershedArea), 1000);
    ContinuityError = PercentDifference(SpecificVolume, RunoffDepth[n]);
}

} // namespace velmaro
