#include "Chain.h"

#include "ModelState.h"

#include <array>
#include <exception>

namespace velmaro {

namespace {

// Runs one routine; on failure records it and answers false.
bool Guarded(std::vector<StageFailure> &failures, const char *routine, ModelState &model,
             void (ModelState::*compute)())
{
    try {
        (model.*compute)();
        return true;
    } catch (const std::exception &error) {
        failures.push_back({routine, error.what()});
        return false;
    }
}

} // namespace

std::vector<StageFailure> RunGuardedChain(ModelState &model)
{
    std::vector<StageFailure> failures;
    Guarded(failures, "ComputeConcentrationTime", model, &ModelState::ComputeConcentrationTime);
    Guarded(failures, "ComputeRainfall", model, &ModelState::ComputeRainfall);
    if (Guarded(failures, "ComputeRetention", model, &ModelState::ComputeRetention))
        Guarded(failures, "ComputeRunoffDepth", model, &ModelState::ComputeRunoffDepth);
    Guarded(failures, "ComputeHydrograph", model, &ModelState::ComputeHydrograph);
    return failures;
}

namespace {

// The stages whose results each stage reads, in the order of Stage.
const std::array<std::vector<Stage>, kStageCount> kReadStages{{
    {},
    {},
    {Stage::Rainfall},
    {Stage::ConcentrationTime, Stage::RunoffDepth},
}};

} // namespace

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

} // namespace velmaro
