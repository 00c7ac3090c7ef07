#pragma once

// The headless runner: arguments NAME=VALUE onto a defaulted state, the guarded chain, and the
// whole state printed as one JSON object.

#include "Chain.h"

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

// Sets one input field from "NAME=VALUE"; numbers use "." whatever the locale.
void ApplyArgument(ModelState &model, std::string_view argument);

std::string RenderJson(const ModelState &model, const std::vector<StageFailure> &failures);

// The whole run over argv-style arguments; returns the exit status and fills out / err.
int Run(const std::vector<std::string> &arguments, std::string &out, std::string &err);

} // namespace velmaro::cli
