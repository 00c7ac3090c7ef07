#pragma once

// The stages in the window's order, each guarded as the window guards it, for the headless
// runner and the benchmarks: a failing stage is recorded and the next stage still runs.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro {

struct ModelState;

// The stages whose results the window shows and the report prints, in the chain's order:
// retention and runoff depth run as one.
enum class Stage { ConcentrationTime, Rainfall, RunoffDepth, Hydrograph };
inline constexpr std::size_t kStageCount = 4;

struct StageFailure {
    std::string routine;
    std::string message;
    Stage stage;
};

// Runs every stage; a stage stops at its first failing routine and the next stage still runs.
std::vector<StageFailure> RunGuardedChain(ModelState &model);

// The routine's name as a user knows it ("runoff depth"); the routine itself for another.
std::string_view RoutineCaption(std::string_view routine);

// Whether a stage's results follow from those of another, directly or through stages between.
bool RestsOn(Stage result, Stage on);

class StageStaleness {
public:
    void RunFailed(Stage stage, std::string message);
    // A run that finished: current, unless a stage it reads is stale.
    void RunFinished(Stage stage);
    // Nothing while the stage's results are current.
    const std::optional<std::string> &Reason(Stage stage) const
    {
        return reasons_[static_cast<std::size_t>(stage)];
    }

private:
    std::array<std::optional<std::string>, kStageCount> reasons_;
};

// The staleness a guarded run leaves behind: each stage failed in it or finished on what it read.
StageStaleness StalenessAfter(const std::vector<StageFailure> &failures);

} // namespace velmaro
