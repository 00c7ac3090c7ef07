#pragma once

// The --help text of velmaro-cli.

#include <string>

namespace velmaro::cli {

// The forms of the command, the inputs with what each takes (InputsUsage), series files,
// design storms and the exit statuses.
std::string Usage();

} // namespace velmaro::cli
