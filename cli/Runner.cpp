#include "cli/Runner.h"

#include "cli/Batch.h"
#include "cli/CsvResults.h"
#include "engine/Arithmetic.h"
#include "engine/ModelFields.h"
#include "engine/ModelState.h"
#include "rainfall/DesignStorm.h"
#include "rainfall/SeriesText.h"
#include "text/MachineText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <variant>

namespace velmaro::cli {

namespace {

double ReadDouble(std::string_view name, std::string_view text)
{
    if (const std::optional<double> value = ReadPlainNumberOrTiny(text))
        return *value;
    throw UsageError(std::string(name) + ": '" + std::string(text) + "' is not a number");
}

std::int64_t ReadWhole(std::string_view name, std::string_view text, std::int64_t low,
                       std::int64_t high)
{
    const std::optional<std::int64_t> value = ReadInteger(text);
    if (!value) {
        ReadDouble(name, text); // says "not a number" for text that is none
        throw UsageError(std::string(name) + ": '" + std::string(text) + "' is not a whole number");
    }
    if (*value < low || *value > high)
        throw UsageError(std::string(name) + " must lie between " + std::to_string(low) + " and " +
                         std::to_string(high) + "; got " + std::string(text));
    return *value;
}

void ReadSeries(Series &series, std::string_view name, std::string_view text)
{
    int slot = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma == std::string_view::npos
                                                             ? std::string_view::npos
                                                             : comma - start);
        if (++slot > kSeriesSlots)
            throw UsageError(std::string(name) + " takes at most 100 values");
        series[slot] = ReadDouble(name, item);
        if (comma == std::string_view::npos)
            return;
        start = comma + 1;
    }
}

// NAME=@FILE: the heights of steps 1, 2, ... from a file, which also sets the step count.
void ReadSeriesFile(ModelState &m, Series ModelState::*series, std::string_view name,
                    std::string_view path)
{
    const auto kind = series == &ModelState::EnteredCumulative ? rainfall::SeriesKind::Cumulative
                                                               : rainfall::SeriesKind::Partial;
    try {
        const std::vector<double> heights = rainfall::ReadSeriesFile(std::string(path), kind);
        for (std::size_t i = 0; i < heights.size(); ++i)
            (m.*series)[static_cast<int>(i) + 1] = heights[i];
        m.StepCount = static_cast<std::int32_t>(heights.size());
    } catch (const rainfall::SeriesError &error) {
        throw UsageError(std::string(name) + ": " + error.what());
    }
}

void ApplyValue(ModelState &m, const ModelField &field, std::string_view text)
{
    const std::string_view name = field.name;
    const WholeRange range = field.range;
    std::visit(
        Overloaded{
            [&](double ModelState::*p) { m.*p = ReadDouble(name, text); },
            [&](std::int32_t ModelState::*p) {
                m.*p = static_cast<std::int32_t>(ReadWhole(name, text, range.low, range.high));
            },
            [&](std::uint8_t ModelState::*p) {
                m.*p = static_cast<std::uint8_t>(ReadWhole(name, text, range.low, range.high));
            },
            [&](Series ModelState::*p) {
                if (text.starts_with('@'))
                    ReadSeriesFile(m, p, name, text.substr(1));
                else
                    ReadSeries(m.*p, name, text);
            },
            [&](Hydrograph ModelState::*) {
                throw UsageError("'" + std::string(name) + "' is not an input");
            },
        },
        field.member);
}

std::string WholeUsage(WholeRange range)
{
    if (range.low == arith::kInt32Min)
        return "WHOLE";
    if (range.high == range.low + 1)
        return std::to_string(range.low) + "|" + std::to_string(range.high);
    return std::to_string(range.low) + ".." + std::to_string(range.high);
}

// A design storm replaces the partial series as a whole, so it is laid after every field is set,
// on the time step and step count the other arguments gave. DesignStorm and StormDepth are
// arguments of the run, not fields of the model.
struct StormArguments {
    std::optional<std::string_view> type;
    std::optional<std::string_view> depth;
};

void ApplyDesignStorm(ModelState &model, const StormArguments &storm)
{
    if (!storm.type && !storm.depth)
        return;
    if (!storm.depth)
        throw UsageError("DesignStorm needs StormDepth");
    if (!storm.type)
        throw UsageError("StormDepth needs DesignStorm");
    const std::optional<rainfall::StormType> type = rainfall::StormTypeFromKey(*storm.type);
    if (!type) {
        std::string keys;
        for (const rainfall::StormName &name : rainfall::StormNames())
            keys += (keys.empty() ? "" : ", ") + std::string(name.key);
        throw UsageError("DesignStorm: '" + std::string(*storm.type) + "' is not one of " + keys);
    }
    const double depth = ReadDouble("StormDepth", *storm.depth);
    try {
        const rainfall::Storm made = rainfall::MakeStorm(*type, depth, model.TimeStep, model.StepCount);
        for (std::size_t i = 0; i < made.partial.size(); ++i)
            model.EnteredPartial[static_cast<int>(i) + 1] = made.partial[i];
        model.StepCount = static_cast<std::int32_t>(made.partial.size());
        model.PartialSeries = 1;
    } catch (const rainfall::SeriesError &error) {
        throw UsageError(std::string("DesignStorm: ") + error.what());
    }
}

// Every argument in order, a given StepCount again over what a series file set, then the storm.
void ApplyArguments(ModelState &model, const std::vector<std::string> &arguments)
{
    StormArguments storm;
    std::optional<std::string_view> stepCount;
    for (const std::string_view argument : arguments) {
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const std::string_view value = argument.substr(std::min(argument.size(), equals + 1));
        if (equals != std::string_view::npos && name == "DesignStorm")
            storm.type = value;
        else if (equals != std::string_view::npos && name == "StormDepth")
            storm.depth = value;
        else
            ApplyArgument(model, argument);
        if (name == "StepCount")
            stepCount = value;
    }
    ApplyGivenStepCount(model, stepCount);
    ApplyDesignStorm(model, storm);
}

// JSON writing -------------------------------------------------------------------------------

class JsonWriter {
public:
    void Key(std::string_view name)
    {
        out_ += first_ ? "\n  \"" : ",\n  \"";
        first_ = false;
        out_ += name;
        out_ += "\": ";
    }

    void Number(double x)
    {
        if (!std::isfinite(x)) {
            out_ += "null";
            return;
        }
        std::array<char, 32> buffer{};
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
        out_.append(buffer.data(), result.ptr);
    }

    void Integer(std::int64_t x) { out_ += std::to_string(x); }

    void Slots(const std::function<double(int)> &slot, int count)
    {
        out_ += '[';
        for (int k = 1; k <= count; ++k) {
            if (k > 1)
                out_ += ", ";
            Number(slot(k));
        }
        out_ += ']';
    }

    void String(std::string_view text)
    {
        out_ += '"';
        for (const char c : text) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (u < 0x20) {
                constexpr char kHex[] = "0123456789abcdef";
                out_ += "\\u00";
                out_ += kHex[u >> 4];
                out_ += kHex[u & 0xF];
            } else {
                out_ += c;
            }
        }
        out_ += '"';
    }

    void Raw(std::string_view text) { out_ += text; }

    std::string Finish() { return "{" + out_ + "\n}\n"; }

private:
    std::string out_;
    bool first_ = true;
};

// Each series up to StepCount, the hydrograph up to HydrographCount.
void WriteField(JsonWriter &json, const ModelState &m, const ModelField &field)
{
    json.Key(field.name);
    std::visit(Overloaded{
                   [&](double ModelState::*p) { json.Number(m.*p); },
                   [&](std::int32_t ModelState::*p) { json.Integer(m.*p); },
                   [&](std::uint8_t ModelState::*p) { json.Integer(m.*p); },
                   [&](Series ModelState::*p) {
                       const Series &series = m.*p;
                       json.Slots([&series](int k) { return series[k]; },
                                  std::clamp(m.StepCount, 0, kSeriesSlots));
                   },
                   [&](Hydrograph ModelState::*p) {
                       const Hydrograph &hydrograph = m.*p;
                       json.Slots([&hydrograph](int j) { return hydrograph[j]; },
                                  std::clamp(m.HydrographCount, 0, hydrograph.Size()));
                   },
               },
               field.member);
}

// "NAME=VALUE  unit, meaning" for one input.
std::string UsageLine(const ModelField &field)
{
    std::string value = std::visit(
        Overloaded{
            [](double ModelState::*) { return std::string("NUMBER"); },
            [&](std::int32_t ModelState::*) { return WholeUsage(field.range); },
            [&](std::uint8_t ModelState::*) { return WholeUsage(field.range); },
            [](Series ModelState::*) { return std::string("NUMBER,NUMBER,...|@FILE"); },
            [](Hydrograph ModelState::*) { return std::string(); },
        },
        field.member);
    std::string line = "  " + std::string(field.name) + "=" + value;
    std::string notes(field.unit);
    if (!field.meaning.empty())
        notes += (notes.empty() ? "" : ", ") + std::string(field.meaning);
    if (std::holds_alternative<Series ModelState::*>(field.member))
        notes += "; slots 1, 2, ..., at most " + std::to_string(kSeriesSlots);
    if (!notes.empty())
        line += std::string(line.size() < 38 ? 40 - line.size() : 2, ' ') + notes;
    return line + "\n";
}

void WriteFailures(JsonWriter &json, const std::vector<StageFailure> &failures)
{
    json.Key("failures");
    json.Raw("[");
    for (std::size_t i = 0; i < failures.size(); ++i) {
        json.Raw(i == 0 ? "{\"routine\": " : ", {\"routine\": ");
        json.String(failures[i].routine);
        json.Raw(", \"message\": ");
        json.String(failures[i].message);
        json.Raw("}");
    }
    json.Raw("]");
}

const ModelField *FindInput(std::string_view name)
{
    for (const ModelField &field : ModelFields()) {
        if (field.input && field.name == name)
            return &field;
    }
    return nullptr;
}

} // namespace

std::string OneLine(std::string_view message)
{
    constexpr char kHex[] = "0123456789abcdef";
    std::string line;
    for (std::size_t i = 0; i < message.size(); ++i) {
        const auto byte = static_cast<unsigned char>(message[i]);
        const auto next = i + 1 < message.size() ? static_cast<unsigned char>(message[i + 1]) : 0;
        if (byte == '\n') {
            line += "\\n";
        } else if (byte == '\r') {
            line += "\\r";
        } else if (byte == '\t') {
            line += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            line.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
        } else if (byte == 0xc2 && next >= 0x80 && next <= 0x9f) {
            // A C1 control as UTF-8: a terminal may obey it too.
            line.append("\\u00").append(1, kHex[next >> 4]).append(1, kHex[next & 0xF]);
            ++i;
        } else {
            line += static_cast<char>(byte);
        }
    }
    return line;
}

bool IsInputName(std::string_view name)
{
    return FindInput(name) != nullptr;
}

void ApplyInput(ModelState &model, std::string_view name, std::string_view value)
{
    const ModelField *field = FindInput(name);
    if (!field)
        throw UsageError("unknown input '" + std::string(name) + "'");
    ApplyValue(model, *field, value);
}

void ApplyArgument(ModelState &model, std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos)
        throw UsageError("'" + std::string(argument) + "' is not NAME=VALUE");
    ApplyInput(model, argument.substr(0, equals), argument.substr(equals + 1));
}

void ApplyGivenStepCount(ModelState &model, std::optional<std::string_view> given)
{
    if (given)
        ApplyInput(model, "StepCount", *given);
}

std::string Usage()
{
    std::string usage =
        "usage: velmaro-cli [--format json|csv] [NAME=VALUE ...]\n"
        "       velmaro-cli --cases FILE.csv [NAME=VALUE ...]\n"
        "\n"
        "Starts from the default watershed, sets each named input, runs every stage\n"
        "(concentration time, rainfall, retention and runoff depth, hydrograph) and prints\n"
        "the whole model state as one JSON object, with \"failures\" listing the stages that\n"
        "failed. Numbers use \".\" as the decimal point.\n"
        "\n"
        "--format csv prints the result series instead: the rainfall table (time, partial,\n"
        "cumulative, hyetogram, runoff depth), an empty line, the hydrograph table (time,\n"
        "discharge); the stages that failed are named on standard error.\n"
        "\n"
        "--cases FILE.csv (\"-\" for standard input) runs one case per row: a header row of\n"
        "input names, then one row per case; an empty cell keeps the value of the command\n"
        "line or the default. Prints one CSV row per case: its row number, its inputs,\n"
        "ConcentrationTime, PotentialRetention, InitialAbstraction, the last RunoffDepth,\n"
        "TotalVolume, SpecificVolume, PeakDischarge, PeakTime (hours), HydrographCount and\n"
        "the failures (\"routine: message\"; empty when none); the results of a failed stage\n"
        "are left empty. A row that cannot be read is named on standard error with its row\n"
        "and column and skipped. A series cell holds comma-separated values in quotes, or\n"
        "@FILE.\n"
        "\n"
        "Inputs:\n";
    for (const ModelField &field : ModelFields())
        if (field.input)
            usage += UsageLine(field);
    usage += "\n"
             "A series given as @FILE is read from a CSV or text file: one height per line, or a\n"
             "time and a height per line separated by a tab, \";\" or \",\", with an optional\n"
             "header line. StepCount becomes the number of heights read unless it is given.\n"
             "\n"
             "Design storm, laid after the other arguments whatever their order:\n"
             "  DesignStorm=I|IA|II|III|uniform  StormDepth=MM\n"
             "fills EnteredPartial and sets PartialSeries=1 and StepCount: an NRCS 24-hour type\n"
             "takes 24 h / TimeStep steps (a whole number, at most 100), the uniform storm spreads\n"
             "the depth over StepCount steps.\n"
             "\n"
             "Exit status: 0 when the chain ran (stage failures are part of the output),\n"
             "1 when the output could not be written, 2 for a bad argument or cases file,\n"
             "3 when some rows of the cases file were skipped (the others ran).\n";
    return usage;
}

std::string RenderJson(const ModelState &model, const std::vector<StageFailure> &failures)
{
    JsonWriter json;
    for (const ModelField &field : ModelFields())
        WriteField(json, model, field);
    WriteFailures(json, failures);
    return json.Finish();
}

namespace {

enum class Format { Json, Csv };

// What the options ask for; everything else is NAME=VALUE.
struct Request {
    bool help = false;
    std::optional<Format> format;
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
        } else if (const auto format = OptionValue(arguments, i, "--format")) {
            if (*format != "json" && *format != "csv")
                throw UsageError("--format takes json or csv, not '" + *format + "'");
            request.format = *format == "csv" ? Format::Csv : Format::Json;
        } else if (const auto cases = OptionValue(arguments, i, "--cases")) {
            request.cases = *cases;
        } else if (argument.starts_with("--")) {
            throw UsageError("unknown option '" + argument + "'");
        } else {
            request.inputs.push_back(argument);
        }
    }
    if (request.cases && request.format == Format::Json)
        throw UsageError("--cases writes CSV; --format json does not apply to it");
    return request;
}

int RunBatch(const std::string &casesName, const ModelState &base, std::ostream &out, std::ostream &err)
{
    if (casesName == "-")
        return RunCases(std::cin, "standard input", base, out, err);
    std::ifstream cases(casesName, std::ios::binary);
    if (!cases || std::filesystem::is_directory(casesName))
        throw UsageError("cannot read the cases file '" + casesName + "'");
    return RunCases(cases, casesName, base, out, err);
}

void RunSingle(ModelState &model, Format format, std::ostream &out, std::ostream &err)
{
    const std::vector<StageFailure> failures = RunGuardedChain(model);
    if (format == Format::Json) {
        out << RenderJson(model, failures);
        return;
    }
    WriteResultTables(out, model, failures);
    for (const StageFailure &failure : failures)
        err << "velmaro-cli: " << failure.routine << " failed: " << failure.message << '\n';
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
        ApplyArguments(model, request.inputs);
        if (request.cases)
            return RunBatch(*request.cases, model, out, err);
        RunSingle(model, request.format.value_or(Format::Json), out, err);
        return 0;
    } catch (const UsageError &error) {
        err << "velmaro-cli: " << OneLine(error.what()) << '\n';
        return 2;
    }
}

} // namespace velmaro::cli
