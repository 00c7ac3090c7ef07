#include "cli/Command.h"

#include "cli/Batch.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/SingleRun.h"
#include "cli/Usage.h"
#include "engine/ModelState.h"
#include "study/Study.h"

#include <ctime>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>

namespace velmaro::cli {

namespace {

// What the options ask for; everything else is NAME=VALUE.
struct Request {
    bool help = false;
    OutOfRange outOfRange = OutOfRange::Refuse;
    std::optional<OutputFormat> format;
    std::optional<std::string> cases;
    std::optional<std::string> study;
    std::optional<std::string> saveStudy;
    std::vector<std::string> inputs;
};

// "--name VALUE" or "--name=VALUE": the value, moving past it; nothing when the argument is
// another one.
std::optional<std::string> OptionValue(const std::vector<std::string> &arguments, std::size_t &i,
                                       std::string_view option)
{
    const std::string &argument = arguments[i];
    if (argument == option) {
        if (++i == arguments.size())
            throw UsageError(std::string(option) + " needs a value");
        return arguments[i];
    }
    if (argument.starts_with(option) && argument.size() > option.size() && argument[option.size()] == '=')
        return argument.substr(option.size() + 1);
    return std::nullopt;
}

Request ReadRequest(const std::vector<std::string> &arguments)
{
    Request request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            request.help = true;
        } else if (argument == "--unchecked") {
            request.outOfRange = OutOfRange::Warn;
        } else if (const auto format = OptionValue(arguments, i, "--format")) {
            if (*format != "json" && *format != "csv")
                throw UsageError("--format takes json or csv, not " + Quoted(*format));
            request.format = *format == "csv" ? OutputFormat::Csv : OutputFormat::Json;
        } else if (const auto cases = OptionValue(arguments, i, "--cases")) {
            request.cases = *cases;
        } else if (const auto study = OptionValue(arguments, i, "--study")) {
            request.study = *study;
        } else if (const auto saveStudy = OptionValue(arguments, i, "--save-study")) {
            request.saveStudy = *saveStudy;
        } else if (argument.starts_with("--")) {
            throw UsageError("unknown option " + Quoted(argument));
        } else {
            request.inputs.push_back(argument);
        }
    }
    if (request.cases && request.format == OutputFormat::Json)
        throw UsageError("--cases writes CSV; --format json does not apply to it");
    if (request.cases && request.saveStudy)
        throw UsageError("--save-study saves the inputs of a single run, not of --cases");
    return request;
}

// The study named by --study, or the default watershed's; notes of keys it skipped go to err.
study::Study BaseStudy(const Request &request, std::ostream &err)
{
    if (!request.study)
        return study::DefaultStudy();
    try {
        study::StudyReading reading = study::ReadStudyFile(*request.study);
        for (const std::string &note : reading.notes)
            err << OneLine("velmaro-cli: note: " + *request.study + ": " + note) << '\n';
        return std::move(reading.study);
    } catch (const study::StudyError &error) {
        throw UsageError(error.what());
    }
}

// Today's date in the local calendar, as a new study in the window takes it.
std::string Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

// The inputs a single run is about to compute with, as a study the window opens with the same
// numbers.
void SaveStudy(const std::string &path, const ModelState &model, const AppliedInputs &applied,
               const study::Study &base, bool newStudy)
{
    try {
        study::Study saved = study::StudyWithInputs(model, base);
        if (applied.storm)
            saved.storm = applied.storm;
        if (newStudy)
            saved.properties.date = Today();
        study::WriteStudyFile(saved, path);
    } catch (const study::StudyError &error) {
        throw UsageError(error.what());
    } catch (const std::invalid_argument &refusal) {
        throw UsageError("--save-study: " + std::string(refusal.what()));
    }
}

} // namespace

int Run(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err)
{
    try {
        const Request request = ReadRequest(arguments);
        if (request.help) {
            out << Usage();
            return 0;
        }
        const study::Study base = BaseStudy(request, err);
        ModelState model = base.inputs;
        if (request.cases) {
            const BaseArguments commandLine = ApplyBaseArguments(model, request.inputs, request.outOfRange);
            return RunCasesFile(*request.cases, model, commandLine, request.outOfRange, out, err);
        }
        const AppliedInputs applied = ApplyArguments(model, request.inputs, request.outOfRange);
        if (request.saveStudy)
            SaveStudy(*request.saveStudy, model, applied, base, !request.study);
        RunSingle(model, applied.warnings, request.format.value_or(OutputFormat::Json), out, err);
        return 0;
    } catch (const UsageError &error) {
        err << "velmaro-cli: " << OneLine(error.what()) << '\n';
        return 2;
    }
}

} // namespace velmaro::cli
