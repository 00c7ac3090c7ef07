// ComputeHydrograph visits only the ordinates each step reaches and precomputes the weights of
// the unit hydrograph. Here it is held against the plain loop over every ordinate of every
// step, written out as the method states it, on inputs that reach every corner of nr and nb.

#include "engine/EngineError.h"
#include "engine/ModelState.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

using namespace velmaro;

namespace {

struct ReferenceFailure {};

double Checked(double x)
{
    if (!std::isfinite(x))
        throw ReferenceFailure{};
    return x;
}

double Divided(double a, double b)
{
    if (b == 0)
        throw ReferenceFailure{};
    return Checked(a / b);
}

// The routine as written: Tp, qu, nr, nb, nf, the count, every step over every ordinate, then
// the sums. Each operation that fails throws before its result is stored.
void ReferenceHydrograph(ModelState &m)
{
    const int n = m.StepCount;
    const double d = m.TimeStep / 60;
    const double tp = Checked(0.5 * m.TimeStep / 60 + 0.6 * m.ConcentrationTime);
    const double qu = Divided(Checked(0.208 * m.WatershedArea), tp);
    const double nrSteps = std::nearbyint(Divided(tp, d)); // ties to even in the default mode
    if (nrSteps + 1 > INT32_MAX || nrSteps + 1 < INT32_MIN)
        throw HydrographCapacityError("32-bit");
    const double nbSteps = std::trunc(Divided(Checked(2.67 * tp), d));
    if (nbSteps + 3 > INT32_MAX || nbSteps + 3 < INT32_MIN)
        throw HydrographCapacityError("32-bit");
    const std::int32_t nr = static_cast<std::int32_t>(nrSteps + 1);
    const std::int32_t nb = static_cast<std::int32_t>(nbSteps + 3);
    const std::int32_t nf = nb - nr;
    const std::int64_t count = std::int64_t{nb} + n - 1;
    if (count > kHydrographCapacity)
        throw HydrographCapacityError("capacity");

    m.HydrographCount = static_cast<std::int32_t>(count);
    m.Hydrograph.ResetTo(m.HydrographCount);
    for (int i = 1; i <= n; ++i) {
        const double mi = Checked(qu * m.RunoffIncrement[i]);
        for (int j = 1; j <= m.HydrographCount; ++j) {
            if (i - 1 < j && j <= i - 1 + nr)
                m.Hydrograph[j] = Checked(m.Hydrograph[j] + (double(j - i + 1) / nr) * mi);
            else if (i - 1 + nr < j && j <= i - 1 + nb)
                m.Hydrograph[j] = Checked(m.Hydrograph[j] + (double(i - 1 + nb - j) / nf) * mi);
        }
    }
    m.TotalVolume = 0;
    m.PeakDischarge = 0;
    for (int j = 1; j <= m.HydrographCount; ++j) {
        m.TotalVolume = Checked(m.TotalVolume + Checked(Checked(m.Hydrograph[j] * m.TimeStep) * 60));
        if (m.Hydrograph[j] > m.PeakDischarge)
            m.PeakDischarge = m.Hydrograph[j];
    }
    m.SpecificVolume = Divided(m.TotalVolume / m.WatershedArea, 1000);
}

enum class Outcome { Computed, ArithmeticFailure, Refused };

template <typename Compute> Outcome Run(Compute compute)
{
    try {
        compute();
        return Outcome::Computed;
    } catch (const HydrographCapacityError &) {
        return Outcome::Refused;
    } catch (const ArithmeticError &) {
        return Outcome::ArithmeticFailure;
    } catch (const ReferenceFailure &) {
        return Outcome::ArithmeticFailure;
    }
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

struct Inputs {
    double timeStep, concentration, area;
    int steps;
    double increment; // step k gets increment * (k % 7 - 2): rises, falls and zeros
};

std::string Describe(const Inputs &c)
{
    std::ostringstream s;
    s.precision(17);
    s << "TimeStep " << c.timeStep << ", Tc " << c.concentration << ", area " << c.area
      << ", n " << c.steps << ", increment " << c.increment;
    return s.str();
}

ModelState StateFor(const Inputs &c)
{
    ModelState m;
    m.SetDefaults();
    m.TimeStep = c.timeStep;
    m.ConcentrationTime = c.concentration;
    m.WatershedArea = c.area;
    m.StepCount = c.steps;
    for (int k = 1; k <= 100; ++k)
        m.RunoffIncrement[k] = c.increment * (k % 7 - 2);
    // Results left from an earlier run show what a failure keeps.
    m.HydrographCount = 3;
    m.Hydrograph.ResetTo(3);
    m.Hydrograph[2] = 1.25;
    m.TotalVolume = 11;
    m.PeakDischarge = 12;
    m.SpecificVolume = 13;
    return m;
}

void ExpectSameAsReference(const Inputs &c)
{
    ModelState engine = StateFor(c);
    ModelState reference = engine;
    const Outcome engineOutcome = Run([&] { engine.ComputeHydrograph(); });
    const Outcome referenceOutcome = Run([&] { ReferenceHydrograph(reference); });
    SCOPED_TRACE(Describe(c));
    ASSERT_EQ(engineOutcome, referenceOutcome);
    ASSERT_EQ(engine.HydrographCount, reference.HydrographCount);
    ASSERT_EQ(engine.Hydrograph.Size(), reference.Hydrograph.Size());
    for (int j = 1; j <= engine.Hydrograph.Size(); ++j)
        ASSERT_TRUE(SameBits(engine.Hydrograph[j], reference.Hydrograph[j]))
            << "ordinate " << j << ": " << engine.Hydrograph[j] << " against "
            << reference.Hydrograph[j];
    EXPECT_TRUE(SameBits(engine.TotalVolume, reference.TotalVolume))
        << engine.TotalVolume << " against " << reference.TotalVolume;
    EXPECT_TRUE(SameBits(engine.PeakDischarge, reference.PeakDischarge))
        << engine.PeakDischarge << " against " << reference.PeakDischarge;
    EXPECT_TRUE(SameBits(engine.SpecificVolume, reference.SpecificVolume))
        << engine.SpecificVolume << " against " << reference.SpecificVolume;
}

} // namespace

TEST(HydrographReferenceTest, ChosenInputsGiveBitIdenticalResults)
{
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    const double tc = 2.3328705; // near the default watershed's
    const Inputs cases[] = {
        {30, tc, 70.26, 6, 1},            // the default shape
        {30, tc, 70.26, 1, 5},            // the unit hydrograph alone
        {60, 2 / 0.6, 70.26, 3, 1},       // Tp / D = 2.5: tie to even
        {60, 3 / 0.6, 70.26, 3, 1},       // Tp / D = 3.5
        {30, 0, 70.26, 100, 2},           // nr = 1, the shortest unit hydrograph
        {1, tc, 70.26, 100, 0.3},         // a long one
        {0.1, tc, 70.26, 100, 0.3},       // tiny steps: thousands of ordinates
        {0.01, tc, 70.26, 100, 0.3},
        {1e-3, tc, 70.26, 100, 0.3},      // beyond the capacity
        {1e-300, tc, 70.26, 6, 1},        // beyond the 32-bit range
        {5e-324, tc, 70.26, 6, 1},        // D underflows to 0
        {-30, tc, 70.26, 6, 1},           // negative steps: nr and nb at or below 1
        {-60, tc, 70.26, 100, 1},
        {-120, tc, 70.26, 100, 1},        // Tp / D = -0.2: nr = 1, nb = 3
        {-300, tc, 70.26, 100, 1},        // Tp < 0 and D < 0: a negative qu
        {-1, tc, 70.26, 100, 1},          // nb far below 0: a negative count
        {-1e-3, tc, 70.26, 100, 1},
        {-1e-300, tc, 70.26, 6, 1},
        {60, (-2147483650.5 / 2.67 - 0.5) / 0.6, 70.26, 6, 1}, // nb = -2147483647
        {30, -5, 70.26, 100, 1},          // a negative concentration time
        {30, -1.0 / 2.4, 70.26, 6, 1},    // Tp = 0
        {0, tc, 70.26, 6, 1},             // no time step
        {30, tc, 0, 6, 1},                // no area: fails at the specific volume
        {30, tc, 1e300, 6, 1e10},         // a step's runoff beyond double range
        {30, tc, 1e308, 6, 2},            // ordinates beyond double range
        {30, tc, 1e306, 6, 1},            // the volume beyond double range
    };
    for (const Inputs &c : cases)
        ExpectSameAsReference(c);
}

TEST(HydrographReferenceTest, RandomInputsGiveBitIdenticalResults)
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> exponent(-4, 3);
    std::uniform_real_distribution<double> unit(0, 1);
    std::uniform_int_distribution<int> steps(1, 100);
    for (int round = 0; round < 400; ++round) {
        const double sign = unit(random) < 0.2 ? -1 : 1;
        const Inputs c{sign * std::pow(10, exponent(random)), 10 * unit(random) - 1,
                       1000 * unit(random), steps(random), 50 * unit(random)};
        ExpectSameAsReference(c);
        if (HasFatalFailure())
            return;
    }
}
