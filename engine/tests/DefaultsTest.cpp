#include "engine/ModelState.h"

#include <gtest/gtest.h>

using velmaro::ModelState;

TEST(SetDefaultsTest, LoadsTheDefaultWatershedAndNoResult)
{
    ModelState m;
    m.SetDefaults();
    EXPECT_EQ(m.FlowLength, 21.79);
    EXPECT_EQ(m.LevelDifference, 1020);
    EXPECT_EQ(m.WatershedArea, 70.26);
    EXPECT_EQ(m.SoilGroup, 1);
    EXPECT_EQ(m.AssignInitialAbstraction, 1);
    EXPECT_EQ(m.InitialAbstraction, 18);
    EXPECT_EQ(m.TimeStep, 30);
    EXPECT_EQ(m.PartialSeries, 1);
    EXPECT_EQ(m.StepCount, 6);
    EXPECT_EQ(m.LandUse, 0);
    EXPECT_EQ(m.CurveNumber, 85);
    const double rain[] = {9.4, 22.6, 73.4, 13.2, 7.3, 6.0};
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(m.EnteredPartial[k], rain[k - 1]);

    EXPECT_EQ(m.ConcentrationTime, 0);
    EXPECT_EQ(m.PotentialRetention, 0);
    EXPECT_EQ(m.TotalVolume, 0);
    EXPECT_EQ(m.SpecificVolume, 0);
    EXPECT_EQ(m.PeakDischarge, 0);
    EXPECT_EQ(m.HydrographCount, 0);
    EXPECT_EQ(m.Hydrograph.Size(), 0);
    for (int k = 1; k <= 100; ++k) {
        EXPECT_EQ(m.EnteredCumulative[k], 0);
        EXPECT_EQ(m.RainCumulative[k] + m.RainPartial[k] + m.Hyetograph[k], 0);
        EXPECT_EQ(m.RunoffDepth[k] + m.RunoffIncrement[k], 0);
    }
}

TEST(SetDefaultsTest, LeavesEverythingItDoesNotName)
{
    ModelState m;
    for (int k = 1; k <= 100; ++k) {
        m.EnteredPartial[k] = 1000 + k;
        m.EnteredCumulative[k] = 2000 + k;
    }
    m.ConcentrationTime = 7;
    m.PotentialRetention = 8;
    m.SetDefaults();
    for (int k = 7; k <= 100; ++k)
        EXPECT_EQ(m.EnteredPartial[k], 1000 + k);
    for (int k = 1; k <= 100; ++k)
        EXPECT_EQ(m.EnteredCumulative[k], 2000 + k);
    EXPECT_EQ(m.ConcentrationTime, 7);
    EXPECT_EQ(m.PotentialRetention, 8);
}

TEST(SeriesTest, SlotsOutsideOneToHundredDoNotExist)
{
    ModelState m;
    EXPECT_THROW(m.EnteredPartial[0], std::out_of_range);
    EXPECT_THROW(m.EnteredPartial[101], std::out_of_range);
    EXPECT_THROW(m.Hydrograph[1], std::out_of_range);
}
