#include "Chain.h"

#include "ModelState.h"

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

} // namespace velmaro
