#pragma once

// The whole model state as one JSON object: every field under its own name, numbers that read
// back to the same double, and the stages that failed.

#include "cli/Inputs.h"
#include "engine/Chain.h"

#include <string>
#include <vector>

namespace velmaro {
struct ModelState;
}

namespace velmaro::cli {

// Scalars as numbers (null when not finite), each series up to StepCount, the hydrograph up to
// HydrographCount, then "failures": {"routine", "message"} for each stage that failed, in order,
// and "warnings": {"input", "message"} for each value computed with outside its range.
std::string RenderJson(const ModelState &model, const std::vector<StageFailure> &failures,
                       const std::vector<InputWarning> &warnings = {});

} // namespace velmaro::cli
