#include "engine/EngineError.h"
#include "engine/ModelState.h"

#include <gtest/gtest.h>

#include <vector>

using namespace velmaro;

namespace {

constexpr double kTol = 5e-6;

ModelState Defaults()
{
    ModelState m;
    m.SetDefaults();
    return m;
}

void RunAll(ModelState &m)
{
    m.ComputeConcentrationTime();
    m.ComputeRainfall();
    m.ComputeRetention();
    m.ComputeRunoffDepth();
    m.ComputeHydrograph();
}

void ExpectSeries(const Series &s, const std::vector<double> &expected, double tol = kTol)
{
    for (std::size_t k = 0; k < expected.size(); ++k)
        EXPECT_NEAR(s[static_cast<int>(k + 1)], expected[k], tol) << "slot " << k + 1;
}

} // namespace

TEST(HydrologyTest, DefaultWatershedGivesItsKnownResults)
{
    ModelState m = Defaults();
    RunAll(m);
    EXPECT_NEAR(m.ConcentrationTime, 2.33287, kTol);
    ExpectSeries(m.RainPartial, {9.4, 22.6, 73.4, 13.2, 7.3, 6.0});
    ExpectSeries(m.RainCumulative, {9.4, 32.0, 105.4, 118.6, 125.9, 131.9});
    ExpectSeries(m.Hyetograph, {18.8, 45.2, 146.8, 26.4, 14.6, 12.0});
    EXPECT_NEAR(m.PotentialRetention, 44.82353, kTol);
    ExpectSeries(m.RunoffDepth, {0, 3.33200, 57.77156, 69.59231, 76.23193, 81.73464});
    ASSERT_EQ(m.HydrographCount, 16);
    const double expected[] = {0,         7.37913,   135.32147, 289.44234, 458.26748, 627.68326,
                               607.64257, 546.46419, 462.17911, 358.74393, 255.30875, 151.87358,
                               52.65505,  22.32978,  6.96367,   0};
    for (int j = 1; j <= 16; ++j)
        EXPECT_NEAR(m.Hydrograph[j], expected[j - 1], kTol) << "ordinate " << j;
    EXPECT_EQ(m.Hydrograph[16], 0);
    EXPECT_NEAR(m.PeakDischarge, 627.68326, kTol);
    EXPECT_NEAR(m.TotalVolume, 7168058, 1);
    EXPECT_NEAR(m.SpecificVolume, 102.02189, kTol);
}

TEST(HydrologyTest, DerivedInitialAbstraction)
{
    ModelState m = Defaults();
    m.AssignInitialAbstraction = 0;
    RunAll(m);
    EXPECT_NEAR(m.InitialAbstraction, 8.96471, kTol);
    ExpectSeries(m.RunoffDepth, {0.00419, 7.81954, 65.83494, 77.81943, 84.53241, 90.08818});
}

TEST(HydrologyTest, CumulativeInputDerivesPartialHeights)
{
    ModelState m = Defaults();
    m.PartialSeries = 0;
    m.StepCount = 3;
    m.EnteredCumulative[1] = 10;
    m.EnteredCumulative[2] = 10;
    m.EnteredCumulative[3] = 25;
    m.ComputeRainfall();
    ExpectSeries(m.RainPartial, {10, 0, 15}, 0);
    ExpectSeries(m.RainCumulative, {10, 10, 25}, 0);
    ExpectSeries(m.Hyetograph, {20, 0, 30}, 0);

    m.StepCount = 2;
    m.EnteredCumulative[2] = 8; // out of order: the partial height stays negative
    m.ComputeRainfall();
    EXPECT_EQ(m.RainPartial[2], -2);
    EXPECT_EQ(m.Hyetograph[2], -4);
}

TEST(HydrologyTest, SingleStepIsTheUnitHydrographAlone)
{
    ModelState m = Defaults();
    m.StepCount = 1;
    m.EnteredPartial[1] = 50;
    RunAll(m);
    // nb = 11 at the default geometry and time step.
    ASSERT_EQ(m.HydrographCount, 11);
    const double peak = m.Hydrograph[4];
    EXPECT_EQ(m.PeakDischarge, peak);
    for (int j = 1; j <= 4; ++j)
        EXPECT_NEAR(m.Hydrograph[j], peak * j / 4, 1e-9);
    for (int j = 5; j <= 11; ++j)
        EXPECT_NEAR(m.Hydrograph[j], peak * (11 - j) / 7, 1e-9);
}

TEST(HydrologyTest, RisingLimbLengthRoundsTiesToEven)
{
    // Tp / D = 0.5 + 0.6 Tc / D with D = 1 hour; choose Tc so that Tp / D is exactly x.5.
    const struct {
        double tpOverD;
        int nr;
    } cases[] = {{2.5, 3}, {3.5, 5}};
    for (const auto &c : cases) {
        ModelState m = Defaults();
        m.TimeStep = 60;
        m.ConcentrationTime = (c.tpOverD - 0.5) / 0.6;
        m.StepCount = 1;
        m.RunoffIncrement[1] = 1;
        m.ComputeHydrograph();
        // The single unit hydrograph peaks at ordinate nr.
        int peakAt = 1;
        for (int j = 1; j <= m.HydrographCount; ++j)
            if (m.Hydrograph[j] == m.PeakDischarge)
                peakAt = j;
        EXPECT_EQ(peakAt, c.nr) << c.tpOverD;
    }
}

TEST(HydrologyTest, CurveNumberHundredLeavesNoRetention)
{
    ModelState m = Defaults();
    m.CurveNumber = 100;
    m.ComputeRainfall();
    m.ComputeRetention();
    m.ComputeRunoffDepth();
    EXPECT_EQ(m.PotentialRetention, 0);
    ExpectSeries(m.RunoffDepth, {0, 14, 87.4, 100.6, 107.9, 113.9}, 1e-9);
}

TEST(HydrologyTest, RainEqualToTheAbstractionGivesNoRunoff)
{
    ModelState m = Defaults();
    m.EnteredPartial[1] = 18;
    m.EnteredPartial[2] = 0;
    m.EnteredPartial[3] = 10;
    m.StepCount = 3;
    m.ComputeRainfall();
    m.ComputeRetention();
    m.ComputeRunoffDepth();
    EXPECT_EQ(m.RunoffDepth[1], 0);
    EXPECT_EQ(m.RunoffDepth[2], 0);
    EXPECT_NEAR(m.RunoffDepth[3], 100.0 / (10 + m.PotentialRetention), 1e-12);
}

// Each failure stops its routine at the failing operation: what it wrote before stays written,
// everything else keeps its old value.
TEST(HydrologyFailureTest, ConcentrationTimeKeepsItsOldValue)
{
    const struct {
        double flow, level;
    } cases[] = {{21.79, 0}, {0, 0}, {21.79, -1020}, {-21.79, 1020}, {1e120, 1}};
    for (const auto &c : cases) {
        ModelState m = Defaults();
        m.ConcentrationTime = 42;
        m.FlowLength = c.flow;
        m.LevelDifference = c.level;
        EXPECT_THROW(m.ComputeConcentrationTime(), ArithmeticError) << c.flow << " " << c.level;
        EXPECT_EQ(m.ConcentrationTime, 42);
    }
    ModelState m = Defaults();
    m.FlowLength = 0;
    m.ComputeConcentrationTime();
    EXPECT_EQ(m.ConcentrationTime, 0);
}

TEST(HydrologyFailureTest, ZeroTimeStepWritesHeightsButNoIntensity)
{
    ModelState m = Defaults();
    m.TimeStep = 0;
    m.Hyetograph[1] = -7;
    EXPECT_THROW(m.ComputeRainfall(), ArithmeticError);
    ExpectSeries(m.RainCumulative, {9.4, 32.0, 105.4, 118.6, 125.9, 131.9});
    EXPECT_EQ(m.Hyetograph[1], -7);
}

TEST(HydrologyFailureTest, ZeroCurveNumberKeepsRetentionAndAbstraction)
{
    ModelState m = Defaults();
    m.AssignInitialAbstraction = 0;
    m.PotentialRetention = 5;
    m.CurveNumber = 0;
    EXPECT_THROW(m.ComputeRetention(), ArithmeticError);
    EXPECT_EQ(m.PotentialRetention, 5);
    EXPECT_EQ(m.InitialAbstraction, 18);
}

TEST(HydrologyFailureTest, ZeroRunoffDenominatorKeepsEarlierDepthsOnly)
{
    ModelState m = Defaults();
    m.ComputeRainfall();
    m.InitialAbstraction = 0;
    m.PotentialRetention = -32; // P - Ia + S = 0 at step 2 (P = 32)
    m.RunoffDepth[2] = -1;
    m.RunoffIncrement[1] = -1;
    EXPECT_THROW(m.ComputeRunoffDepth(), ArithmeticError);
    EXPECT_NEAR(m.RunoffDepth[1], 9.4 * 9.4 / (9.4 - 32), 1e-12);
    EXPECT_EQ(m.RunoffDepth[2], -1);
    EXPECT_EQ(m.RunoffIncrement[1], -1);
}

TEST(HydrologyFailureTest, HydrographWithoutTimeOrPeakTimeWritesNothing)
{
    const struct {
        double timeStep, concentration;
    } cases[] = {{0, 2.33}, {0, 0}, {30, -0.41666666666666669}};
    for (const auto &c : cases) {
        ModelState m = Defaults();
        RunAll(m);
        const ModelState before = m;
        m.TimeStep = c.timeStep;
        m.ConcentrationTime = c.concentration;
        EXPECT_THROW(m.ComputeHydrograph(), ArithmeticError) << c.timeStep;
        EXPECT_EQ(m.HydrographCount, before.HydrographCount);
        EXPECT_EQ(m.Hydrograph[6], before.Hydrograph[6]);
        EXPECT_EQ(m.TotalVolume, before.TotalVolume);
        EXPECT_EQ(m.PeakDischarge, before.PeakDischarge);
    }
}

TEST(HydrologyFailureTest, ZeroAreaWritesAllButTheSpecificVolume)
{
    ModelState m = Defaults();
    RunAll(m);
    m.WatershedArea = 0;
    m.SpecificVolume = 123;
    EXPECT_THROW(m.ComputeHydrograph(), ArithmeticError);
    EXPECT_EQ(m.HydrographCount, 16);
    for (int j = 1; j <= 16; ++j)
        EXPECT_EQ(m.Hydrograph[j], 0);
    EXPECT_EQ(m.TotalVolume, 0);
    EXPECT_EQ(m.PeakDischarge, 0);
    EXPECT_EQ(m.SpecificVolume, 123);
}

// At a one-minute step, Tp = 1/120 + 0.6 Tc hours and nb = trunc(2.67 Tp / D) + 3.
static ModelState WithLongConcentrationTime(double hours)
{
    ModelState m = Defaults();
    RunAll(m);
    m.TimeStep = 1;
    m.ConcentrationTime = hours;
    return m;
}

TEST(HydrographCapacityTest, CountsUpToTheCapacityAreComputed)
{
    ModelState m = WithLongConcentrationTime(1000);
    m.ComputeHydrograph();
    EXPECT_EQ(m.HydrographCount, 96129);
    EXPECT_EQ(m.Hydrograph[96129], 0);
    EXPECT_GT(m.PeakDischarge, 0);
}

TEST(HydrographCapacityTest, LargerCountsAreRefusedBeforeAnythingIsWritten)
{
    const struct {
        double concentration;
        const char *message;
    } cases[] = {
        {1100, "The hydrograph would need 105741 ordinates; at most 100000 can be computed."},
        {1e12,
         "The hydrograph would need more than 2147483647 ordinates; at most 100000 can be computed."},
    };
    for (const auto &c : cases) {
        ModelState m = WithLongConcentrationTime(c.concentration);
        const double peakBefore = m.PeakDischarge;
        try {
            m.ComputeHydrograph();
            ADD_FAILURE() << "computed " << m.HydrographCount << " ordinates";
        } catch (const HydrographCapacityError &e) {
            EXPECT_STREQ(e.what(), c.message);
        }
        EXPECT_EQ(m.HydrographCount, 16);
        EXPECT_EQ(m.Hydrograph.Size(), 16);
        EXPECT_EQ(m.PeakDischarge, peakBefore);
    }
}

TEST(HydrologyTest, StepCountOutsideTheSeriesIsRefused)
{
    for (int n : {0, -1, 101}) {
        ModelState m = Defaults();
        m.StepCount = n;
        EXPECT_THROW(m.ComputeRainfall(), StepCountError);
        EXPECT_THROW(m.ComputeRunoffDepth(), StepCountError);
        EXPECT_THROW(m.ComputeHydrograph(), StepCountError);
    }
}

// Inputs a user can type past the range message (negative or tiny time steps, negative curve
// numbers) must never touch ordinates outside the store, whatever counts they give.
TEST(HydrologyTest, OddInputsStayInsideTheStore)
{
    const struct {
        double timeStep;
        int steps, curveNumber;
    } cases[] = {{-30, 6, 85}, {-1, 100, 85}, {-0.01, 100, 85}, {-300, 100, 85},
                 {1e300, 6, 85}, {1, 100, -5}, {30, 100, 101}};
    for (const auto &c : cases) {
        ModelState m = Defaults();
        m.TimeStep = c.timeStep;
        m.StepCount = c.steps;
        m.CurveNumber = c.curveNumber;
        for (int k = 1; k <= 100; ++k)
            m.EnteredPartial[k] = k % 5;
        try {
            RunAll(m);
        } catch (const EngineError &) {
        }
        EXPECT_EQ(m.Hydrograph.Size(), std::max(m.HydrographCount, 0)) << c.timeStep;
    }
}
