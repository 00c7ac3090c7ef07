#pragma once

// The stages in the window's order, each guarded as the window guards it, for the headless
// runner and the benchmarks: a failing stage is recorded and the next stage still runs.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velmaro {

struct ModelState;

struct StageFailure {
    std::string routine;
    std::string message;
};

std::vector<StageFailure> RunGuardedChain(ModelState &model);

// The stages whose results the window shows and the report prints, in the chain's order:
// retention and runoff depth run as one.
enum class Stage { ConcentrationTime, Rainfall, RunoffDepth, Hydrograph };
inline constexpr std::size_t kStageCount = 4;

// Whether each stage's results follow from the current inputs. A stage's results are stale when
// its last run failed, or when it ran on a stale result of a stage it reads; they then keep
// what they were, and the reason is the failure's message.
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

} // namespace velmaro
