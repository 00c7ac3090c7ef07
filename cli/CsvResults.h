#pragma once

// Results as CSV: the result columns of one batch case, and the result series of a single run
// as two tables. A result whose stage failed, or rests on a stage that failed, is left empty,
// so that a spreadsheet never shows a value the run did not compute from its inputs.

#include "engine/Chain.h"

#include <iosfwd>
#include <vector>

namespace velmaro {
struct ModelState;
}

namespace velmaro::cli {

class CsvWriter;

// The names of the columns that WriteCaseResults writes.
void WriteCaseResultNames(CsvWriter &csv);
// ConcentrationTime ... HydrographCount, ContinuityError (empty when there is no runoff to
// compare with), then the failures as "routine: message; ...".
void WriteCaseResults(CsvWriter &csv, const ModelState &m, const std::vector<StageFailure> &failures);

// The rainfall table (one row per step) and the hydrograph table (one row per ordinate), each
// under a header naming columns and units, separated by an empty line.
void WriteResultTables(std::ostream &out, const ModelState &m, const std::vector<StageFailure> &failures);

} // namespace velmaro::cli
