// The three unit hydrographs: the triangular one exactly as before, the same triangle keeping
// the runoff's volume, and the NRCS curve held against a plain computation from its table; the
// time to peak and the continuity error each of them gives.

#include "engine/EngineError.h"
#include "engine/ModelState.h"
#include "engine/UnitHydrograph.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace velmaro;

namespace {

constexpr std::uint8_t Code(UnitHydrographKind kind) { return static_cast<std::uint8_t>(kind); }

constexpr UnitHydrographKind kKinds[] = {UnitHydrographKind::Triangular,
                                         UnitHydrographKind::TriangularVolumeKept,
                                         UnitHydrographKind::NrcsCurvilinear};

ModelState ComputedDefaults(UnitHydrographKind kind)
{
    ModelState m;
    m.SetDefaults();
    m.UnitHydrograph = Code(kind);
    m.ComputeConcentrationTime();
    m.ComputeRainfall();
    m.ComputeRetention();
    m.ComputeRunoffDepth();
    m.ComputeHydrograph();
    return m;
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

double Relative(double value, double reference) { return std::fabs(value - reference) / std::fabs(reference); }

// The NRCS dimensionless unit hydrograph as tabulated (t/Tp, q/qp).
constexpr double kNrcsTable[][2] = {
    {0.0, 0.000}, {0.1, 0.030}, {0.2, 0.100}, {0.3, 0.190}, {0.4, 0.310}, {0.5, 0.470},
    {0.6, 0.660}, {0.7, 0.820}, {0.8, 0.930}, {0.9, 0.990}, {1.0, 1.000}, {1.1, 0.990},
    {1.2, 0.930}, {1.3, 0.860}, {1.4, 0.780}, {1.5, 0.680}, {1.6, 0.560}, {1.7, 0.460},
    {1.8, 0.390}, {1.9, 0.330}, {2.0, 0.280}, {2.2, 0.207}, {2.4, 0.147}, {2.6, 0.107},
    {2.8, 0.077}, {3.0, 0.055}, {3.2, 0.040}, {3.4, 0.029}, {3.6, 0.021}, {3.8, 0.015},
    {4.0, 0.011}, {4.5, 0.005}, {5.0, 0.000}};

double NrcsRatio(double timeRatio)
{
    for (std::size_t k = 1; k < std::size(kNrcsTable); ++k) {
        const double *a = kNrcsTable[k - 1];
        const double *b = kNrcsTable[k];
        if (timeRatio >= a[0] && timeRatio < b[0])
            return a[1] + (b[1] - a[1]) * (timeRatio - a[0]) / (b[0] - a[0]);
    }
    return 0;
}

struct ReferenceHydrograph {
    std::vector<double> ordinates;
    double peak = 0, peakHours = 0, volume = 0;
};

// Each step's runoff over the curve read at (j - i + 1) D / Tp, the curve scaled so that its
// ordinates times the step in seconds make 1 mm over the area; the curve lasts trunc(5 Tp / D) + 1
// steps.
ReferenceHydrograph NrcsReference(const ModelState &m)
{
    const double d = m.TimeStep / 60;
    const double tp = d / 2 + 0.6 * m.ConcentrationTime;
    const int length = static_cast<int>(std::trunc(5 * tp / d)) + 1;
    double ratioSum = 0;
    for (int u = 1; u <= length; ++u)
        ratioSum += NrcsRatio(u * d / tp);
    const double peakPerMillimetre = 1000 * m.WatershedArea / (ratioSum * m.TimeStep * 60);
    ReferenceHydrograph h;
    h.ordinates.assign(static_cast<std::size_t>(length + m.StepCount - 1), 0.0);
    for (int i = 1; i <= m.StepCount; ++i)
        for (int j = i; j <= length + i - 1; ++j)
            h.ordinates[static_cast<std::size_t>(j - 1)] +=
                m.RunoffIncrement[i] * peakPerMillimetre * NrcsRatio((j - i + 1) * d / tp);
    for (std::size_t j = 0; j < h.ordinates.size(); ++j) {
        h.volume += h.ordinates[j] * m.TimeStep * 60;
        if (h.ordinates[j] > h.peak) {
            h.peak = h.ordinates[j];
            h.peakHours = static_cast<double>(j + 1) * m.TimeStep / 60;
        }
    }
    return h;
}

} // namespace

TEST(UnitHydrographTest, TriangularIsTheDefaultAndGivesTodaysNumbersBitForBit)
{
    ModelState m;
    m.SetDefaults();
    EXPECT_EQ(m.UnitHydrograph, Code(UnitHydrographKind::Triangular));
    m = ComputedDefaults(UnitHydrographKind::Triangular);
    const double today[] = {
        0x0p+0,           0x1.d843aabb27781p+2, 0x1.0ea497d3499d6p+7, 0x1.21713d46a97cap+8,
        0x1.ca44796d4fcabp+8, 0x1.39d77517ae94ep+9, 0x1.2fd23fbb70bebp+9, 0x1.113b6a9089187p+9,
        0x1.ce2dd9d78e0d7p+8, 0x1.66be721d8d5e3p+8, 0x1.fe9e14c7195ep+7, 0x1.2fbf455317ffap+7,
        0x1.a53d884094322p+5, 0x1.6546c4d56853fp+4, 0x1.bdacc46869caap+2, 0x0p+0};
    ASSERT_EQ(m.HydrographCount, 16);
    for (int j = 1; j <= 16; ++j)
        EXPECT_TRUE(SameBits(m.Hydrograph[j], today[j - 1])) << "ordinate " << j;
    EXPECT_TRUE(SameBits(m.PeakDischarge, 0x1.39d77517ae94ep+9));
    EXPECT_NEAR(m.PeakDischarge, 627.68326, 5e-6);
    EXPECT_TRUE(SameBits(m.TotalVolume, 0x1.b580e6ec6e051p+22));
    EXPECT_TRUE(SameBits(m.SpecificVolume, 0x1.9816695c348b6p+6));
}

TEST(UnitHydrographTest, VolumeKeptGivesTheRunoffDepthWhateverTheStepAreaAndConcentrationTime)
{
    const double timeSteps[] = {0.1, 1, 7, 30, 60, 180};
    const double areas[] = {0.05, 70.26, 4321};
    const double flowLengths[] = {0.3, 21.79, 160}; // concentration times of minutes to a day
    for (const double timeStep : timeSteps)
        for (const double area : areas)
            for (const double flowLength : flowLengths) {
                ModelState m;
                m.SetDefaults();
                m.TimeStep = timeStep;
                m.WatershedArea = area;
                m.FlowLength = flowLength;
                m.UnitHydrograph = Code(UnitHydrographKind::TriangularVolumeKept);
                m.ComputeConcentrationTime();
                m.ComputeRainfall();
                m.ComputeRetention();
                m.ComputeRunoffDepth();
                ModelState triangular = m;
                triangular.UnitHydrograph = Code(UnitHydrographKind::Triangular);
                m.ComputeHydrograph();
                triangular.ComputeHydrograph();
                SCOPED_TRACE(testing::Message() << "time step " << timeStep << ", area " << area
                                                << ", Tc " << m.ConcentrationTime);
                EXPECT_LE(Relative(m.SpecificVolume, m.RunoffDepth[6]), 1e-12);
                EXPECT_LE(std::fabs(m.ContinuityError), 1e-10);
                // The same triangle, only its height changed.
                ASSERT_EQ(m.HydrographCount, triangular.HydrographCount);
                const double scale = m.PeakDischarge / triangular.PeakDischarge;
                for (int j = 1; j <= m.HydrographCount; ++j)
                    ASSERT_NEAR(m.Hydrograph[j], scale * triangular.Hydrograph[j], 1e-12 * m.PeakDischarge) << j;
                EXPECT_EQ(m.PeakTime, triangular.PeakTime);
            }
}

TEST(UnitHydrographTest, NrcsCurvilinearFollowsThePlainComputationFromItsTable)
{
    const struct {
        double timeStep, concentration, area;
        int steps;
    } watersheds[] = {
        {30, 2.33287, 70.26, 6},   // the default watershed
        {15, 0.9, 3.2, 40},        // a small one, steps shorter than the table's spacing
        {1, 5.5, 812, 100},        // a slow one, long curve
        {60, 0.25, 0.8, 12},       // a step longer than Tp: few points of the curve
        {4.5, 3.0, 25, 30},        // Tp / D a whole number: a point on each tabulated time
    };
    for (const auto &w : watersheds) {
        ModelState m;
        m.SetDefaults();
        m.UnitHydrograph = Code(UnitHydrographKind::NrcsCurvilinear);
        m.TimeStep = w.timeStep;
        m.ConcentrationTime = w.concentration;
        m.WatershedArea = w.area;
        m.StepCount = w.steps;
        double depth = 0;
        for (int k = 1; k <= w.steps; ++k) {
            m.RunoffIncrement[k] = (k * 37 % 11) * 0.7; // uneven, with dry steps
            depth += m.RunoffIncrement[k];
        }
        m.RunoffDepth[w.steps] = depth;
        const ReferenceHydrograph reference = NrcsReference(m);
        m.ComputeHydrograph();
        SCOPED_TRACE(testing::Message() << "time step " << w.timeStep << ", Tc " << w.concentration);
        ASSERT_EQ(m.HydrographCount, static_cast<int>(reference.ordinates.size()));
        for (int j = 1; j <= m.HydrographCount; ++j)
            ASSERT_NEAR(m.Hydrograph[j], reference.ordinates[static_cast<std::size_t>(j - 1)],
                        1e-12 * reference.peak) << "ordinate " << j;
        EXPECT_EQ(m.Hydrograph[m.HydrographCount], 0);
        EXPECT_LE(Relative(m.PeakDischarge, reference.peak), 1e-12);
        EXPECT_EQ(m.PeakTime, reference.peakHours);
        EXPECT_LE(Relative(m.TotalVolume, reference.volume), 1e-12);
        EXPECT_LE(Relative(m.SpecificVolume, depth), 1e-12);
    }
}

TEST(UnitHydrographTest, NrcsTableIsBuiltIn)
{
    const auto table = NrcsDimensionlessTable();
    ASSERT_EQ(table.size(), std::size(kNrcsTable));
    for (std::size_t k = 0; k < table.size(); ++k) {
        EXPECT_EQ(table[k].time, kNrcsTable[k][0]) << k;
        EXPECT_EQ(table[k].discharge, kNrcsTable[k][1]) << k;
    }
}

TEST(UnitHydrographTest, EachChoiceAtTheDefaults)
{
    const struct {
        UnitHydrographKind kind;
        double peak, peakTime, specificVolume;
        int count;
    } expected[] = {
        {UnitHydrographKind::Triangular, 627.68326, 3, 102.02189, 16},
        {UnitHydrographKind::TriangularVolumeKept, 502.86723, 3, 81.73464, 16},
        {UnitHydrographKind::NrcsCurvilinear, 615.48141, 3, 81.73464, 22},
    };
    for (const auto &e : expected) {
        const ModelState m = ComputedDefaults(e.kind);
        SCOPED_TRACE(kUnitHydrographKeys[Code(e.kind)]);
        EXPECT_NEAR(m.PeakDischarge, e.peak, 5e-6);
        EXPECT_EQ(m.PeakTime, e.peakTime);
        EXPECT_NEAR(m.SpecificVolume, e.specificVolume, 5e-6);
        EXPECT_NEAR(m.ContinuityError, (m.SpecificVolume - m.RunoffDepth[6]) / m.RunoffDepth[6] * 100, 1e-12);
        EXPECT_EQ(m.HydrographCount, e.count);
    }
    EXPECT_NEAR(ComputedDefaults(UnitHydrographKind::Triangular).ContinuityError, 24.82087, 5e-6);
}

// The end of the first ordinate reaching the peak: with no runoff every ordinate is 0, the peak
// 0, and the first ordinate reaches it.
TEST(UnitHydrographTest, TimeToPeakOfAHydrographOfZerosIsItsFirstOrdinate)
{
    for (const UnitHydrographKind kind : kKinds) {
        ModelState m;
        m.SetDefaults();
        m.InitialAbstraction = 500; // more than all the rain
        m.UnitHydrograph = Code(kind);
        m.ComputeConcentrationTime();
        m.ComputeRainfall();
        m.ComputeRetention();
        m.ComputeRunoffDepth();
        m.ComputeHydrograph();
        SCOPED_TRACE(kUnitHydrographKeys[Code(kind)]);
        EXPECT_EQ(m.PeakDischarge, 0);
        EXPECT_EQ(m.PeakTime, 0.5);
        EXPECT_EQ(m.SpecificVolume, 0);
        EXPECT_TRUE(std::isnan(m.ContinuityError)); // no runoff to compare with
    }
}

// A plateau: ordinates 3 to 6 all at the peak give the time of the third.
TEST(UnitHydrographTest, TimeToPeakIsTheFirstOrdinateAtThePeak)
{
    ModelState m;
    m.SetDefaults();
    m.TimeStep = 60;
    m.ConcentrationTime = 0; // Tp = 0.5 h: nr = 1, nb = 4
    for (int k = 1; k <= 6; ++k)
        m.RunoffIncrement[k] = 1; // from the third ordinate on, the triangles add up to a flat top
    m.RunoffDepth[6] = 6;
    m.ComputeHydrograph();
    ASSERT_EQ(m.Hydrograph[3], m.PeakDischarge);
    ASSERT_EQ(m.Hydrograph[6], m.PeakDischarge);
    EXPECT_GT(m.PeakDischarge, m.Hydrograph[2]);
    EXPECT_EQ(m.PeakTime, 3);
}

TEST(UnitHydrographTest, EveryChoiceFailsWhereTheTriangleFailsAndWritesNothing)
{
    const struct {
        double timeStep, concentration;
    } cases[] = {{0, 2.33}, {0, 0}, {30, -0.41666666666666669}};
    for (const UnitHydrographKind kind : kKinds)
        for (const auto &c : cases) {
            ModelState m = ComputedDefaults(kind);
            const ModelState before = m;
            m.TimeStep = c.timeStep;
            m.ConcentrationTime = c.concentration;
            EXPECT_THROW(m.ComputeHydrograph(), ArithmeticError) << kUnitHydrographKeys[Code(kind)];
            EXPECT_EQ(m.HydrographCount, before.HydrographCount);
            EXPECT_EQ(m.PeakDischarge, before.PeakDischarge);
            EXPECT_EQ(m.PeakTime, before.PeakTime);
            EXPECT_EQ(m.ContinuityError, before.ContinuityError);
        }
}

TEST(UnitHydrographTest, NoAreaWritesAllButTheSpecificVolumeAndContinuity)
{
    for (const UnitHydrographKind kind : kKinds) {
        ModelState m = ComputedDefaults(kind);
        m.WatershedArea = 0;
        m.SpecificVolume = 123;
        m.ContinuityError = 4;
        EXPECT_THROW(m.ComputeHydrograph(), ArithmeticError);
        EXPECT_EQ(m.PeakDischarge, 0);
        EXPECT_EQ(m.PeakTime, 0.5);
        EXPECT_EQ(m.SpecificVolume, 123);
        EXPECT_EQ(m.ContinuityError, 4);
    }
}

// At a one-minute step and Tc = 600 h, the triangle needs 64 ordinates per 100 of the curve's:
// the curve no longer fits the store.
TEST(UnitHydrographTest, ACurveLongerThanTheStoreIsRefusedWithItsCount)
{
    ModelState m = ComputedDefaults(UnitHydrographKind::NrcsCurvilinear);
    m.TimeStep = 1;
    m.ConcentrationTime = 600;
    for (const UnitHydrographKind kind : {UnitHydrographKind::Triangular, UnitHydrographKind::TriangularVolumeKept}) {
        ModelState fits = m;
        fits.UnitHydrograph = Code(kind);
        fits.ComputeHydrograph();
        EXPECT_EQ(fits.HydrographCount, 57681);
    }
    try {
        m.ComputeHydrograph();
        ADD_FAILURE() << "computed " << m.HydrographCount << " ordinates";
    } catch (const HydrographCapacityError &e) {
        EXPECT_STREQ(e.what(), "The hydrograph would need 108008 ordinates; at most 100000 can be computed.");
    }
    EXPECT_EQ(m.HydrographCount, 22);
    EXPECT_EQ(m.Hydrograph.Size(), 22);
}

TEST(UnitHydrographTest, AnUnknownChoiceIsRefused)
{
    ModelState m = ComputedDefaults(UnitHydrographKind::Triangular);
    m.UnitHydrograph = 3;
    m.PeakDischarge = 7;
    EXPECT_THROW(m.ComputeHydrograph(), EngineError);
    EXPECT_EQ(m.PeakDischarge, 7);
}

// Negative and tiny time steps, typed past the range message, never touch ordinates outside the
// store, whichever unit hydrograph.
TEST(UnitHydrographTest, OddInputsStayInsideTheStore)
{
    for (const UnitHydrographKind kind : kKinds)
        for (const double timeStep : {-30.0, -1.0, -0.01, -300.0, 1e300, 1e-300}) {
            ModelState m = ComputedDefaults(kind);
            m.TimeStep = timeStep;
            try {
                m.ComputeHydrograph();
            } catch (const EngineError &) {
            }
            EXPECT_EQ(m.Hydrograph.Size(), std::max(m.HydrographCount, 0)) << timeStep;
        }
}
