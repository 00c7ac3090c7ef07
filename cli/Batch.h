#pragma once

// Batch studies: one case per row of a CSV file, one CSV row of results per case. Rows are read,
// run and written one at a time, so the memory used does not grow with the number of cases.

#include "cli/Inputs.h"

#include <iosfwd>
#include <string>

namespace velmaro {
struct ModelState;
}

namespace velmaro::cli {

// The exit status of a batch in which some rows were skipped.
inline constexpr int kRowsSkipped = 3;

// Runs every case of the CSV stream `cases` (named casesName in messages): a header row of input
// names, then one row per case whose cells set those inputs on a copy of `base` (an empty cell
// keeps the base's value); the storm of the command line, or of the case's own DesignStorm and
// StormDepth cells, is laid on each case after its other cells, as a single run lays it, and
// the command line's series files with times must step as the case's time step. Writes the
// header and one row of inputs and results per case to out; a row that cannot be read, or holds
// a value out of its range, is named on err and skipped (OutOfRange::Refuse), or each value of
// the case out of its range is named on err (Warn).
// Returns 0, or kRowsSkipped. A header that cannot be used, or input that cannot be read on,
// throws UsageError.
int RunCases(std::istream &cases, const std::string &casesName, const ModelState &base,
             const BaseArguments &commandLine, OutOfRange outOfRange, std::ostream &out, std::ostream &err);
// RunCases over the file casesName, or over standard input for "-". A file that cannot be read
// throws UsageError.
int RunCasesFile(const std::string &casesName, const ModelState &base, const BaseArguments &commandLine,
                 OutOfRange outOfRange, std::ostream &out, std::ostream &err);

} // namespace velmaro::cli
