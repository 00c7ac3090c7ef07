#pragma once

// The headless runner: arguments NAME=VALUE onto a defaulted state, the guarded chain, and the
// whole state printed as one JSON object.

#include "engine/Chain.h"

#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro {
struct ModelState;
}

namespace velmaro::cli {

// A bad argument: the runner prints the message and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The --help text; the inputs are listed from the model's field table.
std::string Usage();

// The message with its control characters shown escaped ("\n", "\x01"), so that each message
// stays one line however the bad text was quoted.
std::string OneLine(std::string_view message);

bool IsInputName(std::string_view name);
// Sets one input field by its name; numbers use "." whatever the locale.
void ApplyInput(ModelState &model, std::string_view name, std::string_view value);
// Sets one input field from "NAME=VALUE".
void ApplyArgument(ModelState &model, std::string_view argument);
// A series file sets the step count to its length; a StepCount given beside it wins whatever
// their order. Called once every input is set, sets the given step count, if any, again.
void ApplyGivenStepCount(ModelState &model, std::optional<std::string_view> given);

std::string RenderJson(const ModelState &model, const std::vector<StageFailure> &failures);

// The whole run over argv-style arguments, writing to out and err; returns the exit status.
int Run(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err);

} // namespace velmaro::cli
