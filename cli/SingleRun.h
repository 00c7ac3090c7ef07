#pragma once

// One run of the chain on a model whose inputs are set, written as JSON or as CSV tables.

#include <iosfwd>
#include <vector>

namespace velmaro {
struct ModelState;
}

namespace velmaro::cli {

struct InputWarning;

enum class OutputFormat { Json, Csv };

// Runs every stage, each guarded, and writes the result to out: the whole state as JSON (the
// failures and the inputs computed with out of range inside it), or the result tables as CSV
// with each such input and each failed stage named on err.
void RunSingle(ModelState &model, const std::vector<InputWarning> &warnings, OutputFormat format,
               std::ostream &out, std::ostream &err);

} // namespace velmaro::cli
