#include "cli/SingleRun.h"

#include "cli/CsvResults.h"
#include "cli/Inputs.h"
#include "cli/Json.h"
#include "engine/Chain.h"
#include "engine/ModelState.h"

#include <ostream>
#include <vector>

namespace velmaro::cli {

void RunSingle(ModelState &model, const std::vector<InputWarning> &warnings, OutputFormat format,
               std::ostream &out, std::ostream &err)
{
    const std::vector<StageFailure> failures = RunGuardedChain(model);
    if (format == OutputFormat::Json) {
        out << RenderJson(model, failures, warnings);
        return;
    }
    for (const InputWarning &warning : warnings)
        err << "velmaro-cli: unchecked: " << warning.input << ": " << warning.message << '\n';
    WriteResultTables(out, model, failures);
    for (const StageFailure &failure : failures)
        err << "velmaro-cli: " << failure.routine << " failed: " << failure.message << '\n';
}

} // namespace velmaro::cli
