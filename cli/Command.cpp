#include "cli/Command.h"

#include "cli/Batch.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/SingleRun.h"
#include "cli/Usage.h"
#include "engine/ModelState.h"

#include <optional>
#include <ostream>
#include <string_view>

namespace velmaro::cli {

namespace {

// What the options ask for; everything else is NAME=VALUE.
struct Request {
    bool help = false;
    OutOfRange outOfRange = OutOfRange::Refuse;
    std::optional<OutputFormat> format;
    std::optional<std::string> cases;
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
        } else if (argument.starts_with("--")) {
            throw UsageError("unknown option " + Quoted(argument));
        } else {
            request.inputs.push_back(argument);
        }
    }
    if (request.cases && request.format == OutputFormat::Json)
        throw UsageError("--cases writes CSV; --format json does not apply to it");
    return request;
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
        ModelState model;
        model.SetDefaults();
        if (request.cases) {
            const StormArguments storm = ApplyBaseArguments(model, request.inputs, request.outOfRange);
            return RunCasesFile(*request.cases, model, storm, request.outOfRange, out, err);
        }
        const std::vector<InputWarning> warnings = ApplyArguments(model, request.inputs, request.outOfRange);
        RunSingle(model, warnings, request.format.value_or(OutputFormat::Json), out, err);
        return 0;
    } catch (const UsageError &error) {
        err << "velmaro-cli: " << OneLine(error.what()) << '\n';
        return 2;
    }
}

} // namespace velmaro::cli
