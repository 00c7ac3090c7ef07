#pragma once

// The velmaro-cli command line: its options and inputs, handed to a single run or a batch.

#include <iosfwd>
#include <string>
#include <vector>

namespace velmaro::cli {

// The whole command over argv-style arguments, writing to out and err: --help prints the usage;
// otherwise the inputs are set on the default model, which then runs once or is the base of
// every case of --cases. Returns the exit status: 2 with a one-line message for a bad argument.
int Run(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err);

} // namespace velmaro::cli
