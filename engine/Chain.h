#pragma once

// The stages in the window's order, each guarded as the window guards it, for the headless
// runner and the benchmarks: a failing stage is recorded and the next stage still runs.

#include <string>
#include <vector>

namespace velmaro {

struct ModelState;

struct StageFailure {
    std::string routine;
    std::string message;
};

std::vector<StageFailure> RunGuardedChain(ModelState &model);

} // namespace velmaro
