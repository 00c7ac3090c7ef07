#pragma once

// A promise of the code a harness drives: broken, the harness aborts, so that libFuzzer, or the
// replay of the seeds, reports the input that broke it.

#include <cstdlib>

namespace velmaro::fuzz {

inline void Expect(bool promise)
{
    if (!promise)
        std::abort();
}

} // namespace velmaro::fuzz
