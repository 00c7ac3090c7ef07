#pragma once

// One run of the chain on a model whose inputs are set, written as JSON or as CSV tables.

#include <iosfwd>

namespace velmaro {
struct ModelState;
}

namespace velmaro::cli {

enum class OutputFormat { Json, Csv };

// Runs every stage, each guarded, and writes the result to out: the whole state as JSON (the
// failures inside it), or the result tables as CSV with each failed stage named on err.
void RunSingle(ModelState &model, OutputFormat format, std::ostream &out, std::ostream &err);

} // namespace velmaro::cli
