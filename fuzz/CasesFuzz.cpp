// Any bytes as a batch's cases file, run against the default watershed. A header that cannot
// be used is a usage error; every other row is run or named as skipped, each message on a line
// of its own.

#include "cli/Batch.h"
#include "cli/Messages.h"
#include "engine/ModelState.h"
#include "fuzz/Expect.h"

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

using velmaro::fuzz::Expect;

// Control characters are shown escaped; only the line breaks between messages remain.
bool OneMessageALine(const std::string &messages)
{
    for (const char c : messages)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n')
            return false;
    return messages.empty() || messages.back() == '\n';
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A cell "@FILE" names a series file; in an empty folder of its own, names find no file.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "velmaro-cases-fuzz";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const velmaro::ModelState base = [] {
        velmaro::ModelState model;
        model.SetDefaults();
        return model;
    }();
    std::istringstream cases(std::string(reinterpret_cast<const char *>(data), size));
    std::ostringstream out;
    std::ostringstream err;
    try {
        const int status = velmaro::cli::RunCases(cases, "cases.csv", base, {}, velmaro::cli::OutOfRange::Refuse, out, err);
        Expect(status == 0 || status == velmaro::cli::kRowsSkipped);
        Expect((status == 0) == err.str().empty());
        // Answered with the cases file's own separator.
        Expect(out.str().starts_with("Row,") || out.str().starts_with("Row;"));
    } catch (const velmaro::cli::UsageError &error) {
        Expect(out.str().empty());
    }
    Expect(OneMessageALine(err.str()));
    return 0;
}
