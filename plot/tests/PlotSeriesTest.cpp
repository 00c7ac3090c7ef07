#include "plot/PlotSeries.h"

#include "engine/Chain.h"
#include "engine/ModelState.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmaro {
namespace {

ModelState Defaults()
{
    ModelState model;
    model.SetDefaults();
    return model;
}

// The window's model after a full recomputation, to compare the plot's curves with.
ModelState Computed(ModelState model)
{
    RunGuardedChain(model);
    return model;
}

TEST(PlotCurves, AreTheModelsSeriesInTheChosenUnits)
{
    const PlotUnits chosen{"cm/hr", 10, "l/s", 1000};
    ModelState copy = Defaults();
    const PlotCurves curves = ComputePlotCurves(copy, chosen);
    const ModelState model = Computed(Defaults());

    ASSERT_EQ(curves.stepHours.size(), 6u);
    ASSERT_EQ(curves.ordinateHours.size(), 16u);
    EXPECT_DOUBLE_EQ(curves.stepLength, 0.5);
    for (int k = 1; k <= 6; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        EXPECT_DOUBLE_EQ(curves.stepHours[i], k * 0.5);
        EXPECT_DOUBLE_EQ(curves.intensity[i], model.Hyetograph[k] / 10) << k;
        EXPECT_DOUBLE_EQ(curves.cumulativeRain[i], model.RainCumulative[k]) << k;
        EXPECT_DOUBLE_EQ(curves.cumulativeRunoff[i], model.RunoffDepth[k]) << k;
    }
    for (int j = 1; j <= 16; ++j) {
        const auto i = static_cast<std::size_t>(j - 1);
        EXPECT_DOUBLE_EQ(curves.ordinateHours[i], j * 0.5);
        EXPECT_DOUBLE_EQ(curves.discharge[i], model.Hydrograph[j] * 1000) << j;
    }
    ASSERT_TRUE(curves.peak);
    EXPECT_DOUBLE_EQ(curves.peak->hours, 3);
    EXPECT_DOUBLE_EQ(curves.peak->discharge, model.PeakDischarge * 1000);
    EXPECT_TRUE(curves.notDrawn.empty());
}

struct FailureCase {
    const char *name;
    std::function<void(ModelState &)> change;
    bool rainfall, runoffDepth, hydrograph;
    std::vector<std::string> lines;
};

class PlotFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PlotFailure, LeavesOutTheCurvesOfAFailedStageAndSaysWhy)
{
    const FailureCase &c = GetParam();
    ModelState model = Defaults();
    c.change(model);
    const PlotCurves curves = ComputePlotCurves(model, PlotUnits{});
    EXPECT_EQ(curves.rainfallDrawn, c.rainfall);
    EXPECT_EQ(curves.runoffDepthDrawn, c.runoffDepth);
    EXPECT_EQ(curves.hydrographDrawn, c.hydrograph);
    EXPECT_EQ(curves.notDrawn, c.lines);
    EXPECT_EQ(curves.discharge.empty(), !c.hydrograph);
    EXPECT_EQ(curves.cumulativeRunoff.empty(), !c.runoffDepth);
    EXPECT_EQ(curves.intensity.empty(), !c.rainfall);
    EXPECT_EQ(curves.peak.has_value(), c.hydrograph);
}

INSTANTIATE_TEST_SUITE_P(
    Stages, PlotFailure,
    ::testing::Values(
        FailureCase{"NoLevelDifference", [](ModelState &m) { m.LevelDifference = 0; }, true, true, false,
                    {"Hydrograph not drawn: the concentration time stage failed (Floating point "
                     "division by zero)"}},
        FailureCase{"NoTimeStep", [](ModelState &m) { m.TimeStep = 0; }, false, false, false,
                    {"Hyetogram and cumulative rainfall not drawn: the rainfall stage failed "
                     "(Floating point division by zero)",
                     "Cumulative runoff depth not drawn: the rainfall stage failed (Floating point "
                     "division by zero)",
                     "Hydrograph not drawn: the rainfall stage failed (Floating point division by "
                     "zero)"}},
        FailureCase{"CurveNumberZero", [](ModelState &m) { m.CurveNumber = 0; }, true, false, false,
                    {"Cumulative runoff depth not drawn: the retention stage failed (Floating point "
                     "division by zero)",
                     "Hydrograph not drawn: the retention stage failed (Floating point division by "
                     "zero)"}},
        FailureCase{"TooManyOrdinates", [](ModelState &m) { m.TimeStep = 0.001; }, true, true, false,
                    {"Hydrograph not drawn: the hydrograph stage failed (The hydrograph would need "
                     "224245 ordinates; at most 100000 can be computed.)"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PlotCurves, HaveNoPeakWithoutRunoff)
{
    ModelState model = Defaults();
    model.InitialAbstraction = 1000; // every step's rainfall stays in the abstraction
    const PlotCurves curves = ComputePlotCurves(model, PlotUnits{});
    EXPECT_TRUE(curves.hydrographDrawn);
    EXPECT_FALSE(curves.peak);
}

TEST(PlotLabels, PeakReadsLikeThePeakDischargeField)
{
    EXPECT_EQ(PeakLabel({3, 627.683256}, PlotUnits{}), "Peak 627.683 m³/s at 3 h");
    EXPECT_EQ(PeakLabel({2.25, 627683.256}, PlotUnits{"mm/hr", 1, "l/s", 1000}),
              "Peak 6.277E+5 l/s at 2.25 h");
}

TEST(PlotLabels, ValuesUnderThePointerComeFromTheStepAndTheNearestOrdinate)
{
    ModelState model = Defaults();
    const PlotCurves curves = ComputePlotCurves(model, PlotUnits{});
    EXPECT_EQ(ValuesAt(curves, PlotUnits{}, 1.3),
              "1.3 h:    step 3    intensity 146.8 mm/hr    cumulative rainfall 105.4 mm    "
              "cumulative runoff 57.77156 mm    discharge 135.32147 m³/s at 1.5 h");
    // Past the rainfall only the hydrograph remains; outside every curve nothing is said.
    EXPECT_EQ(ValuesAt(curves, PlotUnits{}, 5.1), "5.1 h:    discharge 358.74393 m³/s at 5 h");
    const PlotUnits us{"in/hr", 25.4, "ft³/s", 1 / 0.028316846592, "in", 25.4};
    EXPECT_EQ(ValuesAt(ComputePlotCurves(model, us), us, 1.3),
              "1.3 h:    step 3    intensity 5.77953 in/hr    cumulative rainfall 4.14961 in    "
              "cumulative runoff 2.27447 in    discharge 4778.83264 ft³/s at 1.5 h");
    EXPECT_EQ(ValuesAt(curves, PlotUnits{}, -1), "");
    EXPECT_EQ(ValuesAt(curves, PlotUnits{}, 9), "");
}

} // namespace
} // namespace velmaro

namespace velmaro {
namespace {

TEST(PlotCurves, CarryTheVolumeCheckInTheSpecificVolumeFieldsUnit)
{
    ModelState model = Defaults();
    PlotUnits units;
    units.volumeCheck = {"cm", 0.1L, 0};
    EXPECT_EQ(ComputePlotCurves(model, units).volumeCheck, "Hydrograph 10.202 cm for 8.173 cm of runoff: +24.8 %");
}

TEST(PlotCurves, CompareEveryUnitHydrographOverTheSameRunoff)
{
    ModelState model = Defaults();
    model.UnitHydrograph = 2;
    const PlotUnits litres{"mm/hr", 1, "l/s", 1000};
    const PlotCurves curves = ComputePlotCurves(model, litres, true);
    ASSERT_EQ(curves.compared.size(), 3u);
    const struct {
        const char *caption;
        bool chosen;
        std::size_t ordinates;
        const char *label;
    } expected[] = {
        {"Triangular", false, 16, "Triangular: peak 6.277E+5 l/s at 3 h"},
        {"Triangular, volume kept", false, 16, "Triangular, volume kept: peak 5.029E+5 l/s at 3 h"},
        {"NRCS curvilinear", true, 22, "NRCS curvilinear (chosen): peak 6.155E+5 l/s at 3 h"},
    };
    for (std::size_t code = 0; code < 3; ++code) {
        const ComparedHydrograph &c = curves.compared[code];
        SCOPED_TRACE(expected[code].caption);
        EXPECT_EQ(c.caption, expected[code].caption);
        EXPECT_EQ(c.chosen, expected[code].chosen);
        EXPECT_EQ(c.discharge.size(), expected[code].ordinates);
        EXPECT_EQ(c.ordinateHours.size(), expected[code].ordinates);
        EXPECT_TRUE(c.failure.empty());
        EXPECT_EQ(ComparedLabel(c, litres), expected[code].label);
    }
    EXPECT_EQ(curves.compared[2].discharge, curves.discharge) << "the chosen one is the plot's own";
    EXPECT_EQ(ComputePlotCurves(model, litres).compared.size(), 0u) << "only when asked";
}

// A time step of 0.2 s: the triangle fits the store, the NRCS curve does not. An earlier stage
// that failed leaves nothing to compare.
TEST(PlotCurves, CompareSaysWhichUnitHydrographCouldNotBeComputed)
{
    ModelState model = Defaults();
    model.TimeStep = 0.2 / 60;
    const PlotCurves curves = ComputePlotCurves(model, PlotUnits{}, true);
    ASSERT_EQ(curves.compared.size(), 3u);
    EXPECT_TRUE(curves.compared[0].failure.empty());
    EXPECT_GT(curves.compared[0].discharge.size(), 50000u);
    EXPECT_EQ(ComparedLabel(curves.compared[2], PlotUnits{}),
              "NRCS curvilinear: not computed (The hydrograph would need 125983 ordinates; at most "
              "100000 can be computed.)");

    ModelState curveChosen = Defaults();
    curveChosen.TimeStep = 0.2 / 60;
    curveChosen.UnitHydrograph = 2;
    const PlotCurves refused = ComputePlotCurves(curveChosen, PlotUnits{}, true);
    EXPECT_FALSE(refused.hydrographDrawn);
    ASSERT_EQ(refused.compared.size(), 3u);
    EXPECT_EQ(refused.compared[0].discharge, curves.compared[0].discharge);
    EXPECT_EQ(ComparedLabel(refused.compared[2], PlotUnits{}),
              "NRCS curvilinear (chosen): not computed (The hydrograph would need 125983 ordinates; at "
              "most 100000 can be computed.)");

    ModelState noRetention = Defaults();
    noRetention.CurveNumber = 0;
    EXPECT_TRUE(ComputePlotCurves(noRetention, PlotUnits{}, true).compared.empty());
}

} // namespace
} // namespace velmaro
