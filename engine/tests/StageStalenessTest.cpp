#include "engine/Chain.h"

#include <gtest/gtest.h>

namespace velmaro {
namespace {

TEST(StageStalenessTest, AFailureMakesItsStageAndTheStagesThatReadItStaleUntilTheyRunAgain)
{
    StageStaleness stages;
    for (Stage stage : {Stage::ConcentrationTime, Stage::Rainfall, Stage::RunoffDepth, Stage::Hydrograph})
        stages.RunFinished(stage);
    EXPECT_FALSE(stages.Reason(Stage::Hydrograph));

    // A curve number of 0: the runoff depths keep the old ones, the hydrograph spreads them.
    stages.RunFailed(Stage::RunoffDepth, "Floating point division by zero");
    stages.RunFinished(Stage::Hydrograph);
    EXPECT_EQ(stages.Reason(Stage::RunoffDepth), "Floating point division by zero");
    EXPECT_EQ(stages.Reason(Stage::Hydrograph), "Floating point division by zero");
    EXPECT_FALSE(stages.Reason(Stage::Rainfall));
    EXPECT_FALSE(stages.Reason(Stage::ConcentrationTime));

    // A stale concentration time reaches the hydrograph as well; a stage's own failure wins.
    stages.RunFailed(Stage::ConcentrationTime, "Invalid floating point operation");
    stages.RunFinished(Stage::Hydrograph);
    EXPECT_TRUE(stages.Reason(Stage::Hydrograph));
    stages.RunFailed(Stage::Hydrograph, "The hydrograph would need more ordinates");
    EXPECT_EQ(stages.Reason(Stage::Hydrograph), "The hydrograph would need more ordinates");

    // Runs that succeed on current results make everything current again.
    for (Stage stage : {Stage::ConcentrationTime, Stage::Rainfall, Stage::RunoffDepth, Stage::Hydrograph})
        stages.RunFinished(stage);
    for (Stage stage : {Stage::ConcentrationTime, Stage::Rainfall, Stage::RunoffDepth, Stage::Hydrograph})
        EXPECT_FALSE(stages.Reason(stage));
}

// A guarded run leaves each stage stale that failed or rests on one that did; the plot and the
// runner's CSV name the first failure a group of results rests on.
TEST(StageStalenessTest, AGuardedRunTellsWhichStagesItComputed)
{
    const std::vector<StageFailure> failures = {
        {"ComputeRainfall", "rain", Stage::Rainfall},
        {"ComputeHydrograph", "flow", Stage::Hydrograph},
    };
    const StageStaleness after = StalenessAfter(failures);
    EXPECT_FALSE(after.Reason(Stage::ConcentrationTime));
    EXPECT_EQ(after.Reason(Stage::Rainfall), "rain");
    EXPECT_EQ(after.Reason(Stage::RunoffDepth), "rain");
    EXPECT_EQ(after.Reason(Stage::Hydrograph), "flow");

    EXPECT_TRUE(RestsOn(Stage::Hydrograph, Stage::Rainfall));
    EXPECT_TRUE(RestsOn(Stage::RunoffDepth, Stage::RunoffDepth));
    EXPECT_FALSE(RestsOn(Stage::RunoffDepth, Stage::ConcentrationTime));
    EXPECT_FALSE(RestsOn(Stage::Rainfall, Stage::Hydrograph));
    EXPECT_EQ(RoutineCaption("ComputeRunoffDepth"), "runoff depth");
}

} // namespace
} // namespace velmaro
