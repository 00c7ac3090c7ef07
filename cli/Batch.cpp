#include "cli/Batch.h"

#include "cli/Csv.h"
#include "cli/CsvResults.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "engine/Chain.h"
#include "engine/ModelState.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace velmaro::cli {
namespace {

void WriteHeader(CsvWriter &csv, const std::vector<std::string> &inputs)
{
    csv.Field("Row");
    for (const std::string &name : inputs)
        csv.Field(name);
    WriteCaseResultNames(csv);
    csv.EndRecord();
}

void WriteCase(CsvWriter &csv, std::int64_t row, const std::vector<std::string> &cells,
               const ModelState &m, const std::vector<StageFailure> &failures)
{
    csv.Integer(row);
    for (const std::string &cell : cells)
        csv.Field(cell);
    WriteCaseResults(csv, m, failures);
    csv.EndRecord();
}

bool IsBlank(const std::vector<std::string> &fields)
{
    return fields.size() == 1 && fields[0].empty();
}

std::string Where(const std::string &casesName, std::int64_t row)
{
    return "velmaro-cli: " + casesName + " row " + std::to_string(row);
}

// The next record; input that cannot be read on ends the batch, naming where it stopped.
bool NextRecord(CsvReader &reader, std::vector<std::string> &fields, const std::string &casesName)
{
    try {
        return reader.Next(fields);
    } catch (const CsvInputError &error) {
        throw UsageError(casesName + " row " + std::to_string(reader.Record()) + ": " + error.what());
    }
}

// Sets the row's inputs on the case; the message names the first cell that cannot be used.
// Returns the values the case computes with out of their ranges.
std::vector<InputWarning> ApplyRow(ModelState &model, const std::vector<std::string> &names,
                                   const std::vector<std::string> &cells, const BaseArguments &commandLine,
                                   const InputRules &rules)
{
    if (cells.size() != names.size())
        throw UsageError("it has " + std::to_string(cells.size()) + " cells, the header " +
                         std::to_string(names.size()));
    RunInputs inputs(model, rules, commandLine);
    for (std::size_t column = 0; column < names.size(); ++column) {
        if (cells[column].empty())
            continue;
        try {
            inputs.Set(names[column], cells[column]);
        } catch (const UsageError &error) {
            throw UsageError("column " + std::to_string(column + 1) + ": " + error.what());
        }
    }
    inputs.Finish();
    return inputs.Warnings();
}

// Every name of the header must be an input, and only once: otherwise no row could run as meant.
void CheckHeader(const std::vector<std::string> &names, const std::string &casesName)
{
    for (std::size_t column = 0; column < names.size(); ++column) {
        const std::string where = casesName + " header, column " + std::to_string(column + 1) + ": ";
        if (!IsInputName(names[column]))
            throw UsageError(where + "unknown input " + Quoted(names[column]));
        const auto first = std::find(names.begin(), names.end(), names[column]);
        if (first != names.begin() + static_cast<std::ptrdiff_t>(column))
            throw UsageError(where + Quoted(names[column]) + " is named twice (first in column " +
                             std::to_string(first - names.begin() + 1) + ")");
    }
}

} // namespace

int RunCases(std::istream &cases, const std::string &casesName, const ModelState &base,
             const BaseArguments &commandLine, OutOfRange outOfRange, std::ostream &out, std::ostream &err)
{
    CsvReader reader(cases);
    std::vector<std::string> names;
    try {
        if (!NextRecord(reader, names, casesName) || IsBlank(names))
            throw UsageError(casesName + " has no header row of input names");
    } catch (const CsvError &error) {
        throw UsageError(casesName + " header: " + error.what());
    }
    CheckHeader(names, casesName);

    // The results come back as the cases came: a spreadsheet opens them as it saved the cases.
    CsvWriter csv(out, reader.Separator());
    const InputRules rules{outOfRange, reader.Separator() == ';'};
    WriteHeader(csv, names);
    bool skipped = false;
    const auto skip = [&](const std::exception &error) {
        err << OneLine(Where(casesName, reader.Record()) + " skipped: " + error.what()) << '\n';
        skipped = true;
    };
    std::vector<std::string> cells;
    ModelState model;
    while (true) {
        try {
            if (!NextRecord(reader, cells, casesName))
                break;
        } catch (const CsvError &error) {
            skip(error);
            continue;
        }
        if (IsBlank(cells))
            continue;
        model = base;
        std::vector<InputWarning> warnings;
        try {
            warnings = ApplyRow(model, names, cells, commandLine, rules);
        } catch (const UsageError &error) {
            skip(error);
            continue;
        }
        for (const InputWarning &warning : warnings)
            err << OneLine(Where(casesName, reader.Record()) + " unchecked: " + warning.input + ": " +
                           warning.message)
                << '\n';
        const std::vector<StageFailure> failures = RunGuardedChain(model);
        WriteCase(csv, reader.Record(), cells, model, failures);
    }
    return skipped ? kRowsSkipped : 0;
}

int RunCasesFile(const std::string &casesName, const ModelState &base, const BaseArguments &commandLine,
                 OutOfRange outOfRange, std::ostream &out, std::ostream &err)
{
    if (casesName == "-")
        return RunCases(std::cin, "standard input", base, commandLine, outOfRange, out, err);
    std::ifstream cases(casesName, std::ios::binary);
    std::error_code noFolder;
    if (!cases || std::filesystem::is_directory(casesName, noFolder))
        throw UsageError("cannot read the cases file " + Quoted(casesName));
    return RunCases(cases, casesName, base, commandLine, outOfRange, out, err);
}

} // namespace velmaro::cli
