#include "Chain.h"

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

} // namespace
} // namespace velmaro
