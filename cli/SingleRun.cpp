#include "cli/SingleRun.h"

#include "cli/CsvResults.h"
#include "cli/Json.h"
#include "engine/Chain.h"
#include "engine/ModelState.h"

#include <ostream>
#include <vector>

namespace velmaro::cli {

void RunSingle(ModelState &model, OutputFormat format, std::ostream &out, std::ostream &err)
{
    const std::vector<StageFailure> failures = RunGuardedChain(model);
    if (format == OutputFormat::Json) {
        out << RenderJson(model, failures);
        return;
    }
    WriteResultTables(out, model, failures);
    for (const StageFailure &failure : failures)
        err << "velmaro-cli: " << failure.routine << " failed: " << failure.message << '\n';
}

} // namespace velmaro::cli
