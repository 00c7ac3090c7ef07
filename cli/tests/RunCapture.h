#pragma once

// The runner run in-process over argv-style arguments, its two streams kept as text.

#include "cli/Command.h"

#include <sstream>
#include <string>
#include <vector>

namespace velmaro::test {

struct RunResult {
    int status;
    std::string out, err;
};

inline RunResult RunWith(const std::vector<std::string> &arguments)
{
    RunResult r{};
    std::ostringstream out, err;
    r.status = cli::Run(arguments, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

} // namespace velmaro::test
