#include "engine/Chain.h"

#include "engine/ModelState.h"

#include <algorithm>
#include <array>
#include <exception>

namespace velmaro {

namespace {

// The routines in the window's order, with the stage each belongs to.
struct ChainRoutine {
    const char *routine;
    const char *caption;
    Stage stage;
    void (ModelState::*compute)();
};
const std::array<ChainRoutine, 5> kRoutines{{
    {"ComputeConcentrationTime", "concentration time", Stage::ConcentrationTime,
     &ModelState::ComputeConcentrationTime},
    {"ComputeRainfall", "rainfall", Stage::Rainfall, &ModelState::ComputeRainfall},
    {"ComputeRetention", "retention", Stage::RunoffDepth, &ModelState::ComputeRetention},
    {"ComputeRunoffDepth", "runoff depth", Stage::RunoffDepth, &ModelState::ComputeRunoffDepth},
    {"ComputeHydrograph", "hydrograph", Stage::Hydrograph, &ModelState::ComputeHydrograph},
}};

// The stages whose results each stage reads, in the order of Stage.
const std::array<std::vector<Stage>, kStageCount> kReadStages{{
    {},
    {},
    {Stage::Rainfall},
    {Stage::ConcentrationTime, Stage::RunoffDepth},
}};

} // namespace

std::vector<StageFailure> RunGuardedChain(ModelState &model)
{
    std::vector<StageFailure> failures;
    for (const ChainRoutine &r : kRoutines) {
        // The runoff depth needs the retention computed in the same stage.
        if (!failures.empty() && failures.back().stage == r.stage)
            continue;
        try {
            (model.*r.compute)();
        } catch (const std::exception &error) {
            failures.push_back({r.routine, error.what(), r.stage});
        }
    }
    return failures;
}

std::string_view RoutineCaption(std::string_view routine)
{
    const auto found = std::find_if(kRoutines.begin(), kRoutines.end(),
                                    [routine](const ChainRoutine &r) { return routine == r.routine; });
    return found == kRoutines.end() ? routine : found->caption;
}

bool RestsOn(Stage result, Stage on)
{
    const std::vector<Stage> &reads = kReadStages[static_cast<std::size_t>(result)];
    return result == on ||
           std::any_of(reads.begin(), reads.end(), [on](Stage read) { return RestsOn(read, on); });
}

void StageStaleness::RunFailed(Stage stage, std::string message)
{
    reasons_[static_cast<std::size_t>(stage)] = std::move(message);
}

void StageStaleness::RunFinished(Stage stage)
{
    std::optional<std::string> &reason = reasons_[static_cast<std::size_t>(stage)];
    reason.reset();
    for (const Stage read : kReadStages[static_cast<std::size_t>(stage)])
        if (const auto &readReason = Reason(read); readReason && !reason)
            reason = readReason;
}

StageStaleness StalenessAfter(const std::vector<StageFailure> &failures)
{
    StageStaleness staleness;
    for (std::size_t index = 0; index < kStageCount; ++index) {
        const Stage stage = static_cast<Stage>(index);
        const auto failed = std::find_if(failures.begin(), failures.end(),
                                         [stage](const StageFailure &f) { return f.stage == stage; });
        if (failed != failures.end())
            staleness.RunFailed(stage, failed->message);
        else
            staleness.RunFinished(stage);
    }
    return staleness;
}

} // namespace velmaro
