#include "Runner.h"

#include "DesignStorm.h"
#include "ModelState.h"
#include "SeriesText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

namespace velmaro::cli {

const char *const kUsage =
    "usage: velmaro-cli [NAME=VALUE ...]\n"
    "\n"
    "Starts from the default watershed, sets each named input, runs every stage\n"
    "(concentration time, rainfall, retention and runoff depth, hydrograph) and prints\n"
    "the whole model state as one JSON object, with \"failures\" listing the stages that\n"
    "failed. Numbers use \".\" as the decimal point.\n"
    "\n"
    "Inputs:\n"
    "  FlowLength=KM  LevelDifference=M  WatershedArea=KM2  InitialAbstraction=MM\n"
    "  TimeStep=MIN  StepCount=1..100  CurveNumber=INT  SoilGroup=0..3  LandUse=0..3\n"
    "  AssignInitialAbstraction=0|1  PartialSeries=0|1\n"
    "  EnteredPartial=MM,MM,...  EnteredCumulative=MM,MM,...   (slots 1, 2, ...; at most 100)\n"
    "  EnteredPartial=@FILE  EnteredCumulative=@FILE\n"
    "      heights from a CSV or text file: one per line, or a time and a height per line\n"
    "      separated by a tab, \";\" or \",\", with an optional header line; StepCount becomes\n"
    "      the number of heights read unless StepCount is given\n"
    "  DesignStorm=I|IA|II|III|uniform  StormDepth=MM\n"
    "      a design storm into EnteredPartial, with PartialSeries=1: an NRCS 24-hour type\n"
    "      over 24 h / TimeStep steps, or the uniform storm over StepCount steps; applied\n"
    "      after the other arguments, whatever their order\n"
    "\n"
    "Exit status: 0 when the chain ran (stage failures are part of the output),\n"
    "1 when the output could not be written, 2 for a bad argument.\n";

namespace {

// A number may carry a "+" as in the window's fields; from_chars itself takes only a "-".
std::string_view WithoutPlus(std::string_view text)
{
    if (text.size() > 1 && text[0] == '+' && text[1] != '+' && text[1] != '-')
        text.remove_prefix(1);
    return text;
}

double ReadDouble(std::string_view name, std::string_view text)
{
    double value = 0;
    const std::string_view number = WithoutPlus(text);
    const char *end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        throw UsageError(std::string(name) + ": '" + std::string(text) + "' is not a number");
    return value;
}

std::int64_t ReadWhole(std::string_view name, std::string_view text, std::int64_t low,
                       std::int64_t high)
{
    std::int64_t value = 0;
    const std::string_view number = WithoutPlus(text);
    const char *end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, value);
    if (ec != std::errc() || ptr != end) {
        ReadDouble(name, text); // says "not a number" for text that is none
        throw UsageError(std::string(name) + ": '" + std::string(text) + "' is not a whole number");
    }
    if (value < low || value > high)
        throw UsageError(std::string(name) + " must lie between " + std::to_string(low) + " and " +
                         std::to_string(high) + "; got " + std::string(text));
    return value;
}

// NAME=@FILE: the heights of steps 1, 2, ... from a file, which also sets the step count.
void ReadSeriesFromFile(ModelState &model, Series &series, std::string_view name,
                        std::string_view path, rainfall::SeriesKind kind)
{
    try {
        const std::vector<double> heights = rainfall::ReadSeriesFile(std::string(path), kind);
        for (std::size_t i = 0; i < heights.size(); ++i)
            series[static_cast<int>(i) + 1] = heights[i];
        model.StepCount = static_cast<std::int32_t>(heights.size());
    } catch (const rainfall::SeriesError &error) {
        throw UsageError(std::string(name) + ": " + error.what());
    }
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

using Setter = std::function<void(ModelState &, std::string_view name, std::string_view value)>;

Setter Number(double ModelState::*field)
{
    return [field](ModelState &m, std::string_view n, std::string_view v) { m.*field = ReadDouble(n, v); };
}

Setter Whole(std::int32_t ModelState::*field, std::int64_t low, std::int64_t high)
{
    return [=](ModelState &m, std::string_view n, std::string_view v) {
        m.*field = static_cast<std::int32_t>(ReadWhole(n, v, low, high));
    };
}

Setter Byte(std::uint8_t ModelState::*field, std::int64_t high)
{
    return [=](ModelState &m, std::string_view n, std::string_view v) {
        m.*field = static_cast<std::uint8_t>(ReadWhole(n, v, 0, high));
    };
}

Setter SeriesOf(Series ModelState::*field, rainfall::SeriesKind kind)
{
    return [field, kind](ModelState &m, std::string_view n, std::string_view v) {
        if (v.starts_with('@'))
            ReadSeriesFromFile(m, m.*field, n, v.substr(1), kind);
        else
            ReadSeries(m.*field, n, v);
    };
}

struct InputField {
    std::string_view name;
    Setter set;
};

const std::vector<InputField> &InputFields()
{
    constexpr auto kInt32Min = std::numeric_limits<std::int32_t>::min();
    constexpr auto kInt32Max = std::numeric_limits<std::int32_t>::max();
    static const std::vector<InputField> fields{
        {"FlowLength", Number(&ModelState::FlowLength)},
        {"LevelDifference", Number(&ModelState::LevelDifference)},
        {"WatershedArea", Number(&ModelState::WatershedArea)},
        {"InitialAbstraction", Number(&ModelState::InitialAbstraction)},
        {"AssignInitialAbstraction", Byte(&ModelState::AssignInitialAbstraction, 1)},
        {"TimeStep", Number(&ModelState::TimeStep)},
        {"StepCount", Whole(&ModelState::StepCount, 1, kSeriesSlots)},
        {"CurveNumber", Whole(&ModelState::CurveNumber, kInt32Min, kInt32Max)},
        {"PartialSeries", Byte(&ModelState::PartialSeries, 1)},
        {"SoilGroup", Byte(&ModelState::SoilGroup, 3)},
        {"LandUse", Byte(&ModelState::LandUse, 3)},
        {"EnteredPartial", SeriesOf(&ModelState::EnteredPartial, rainfall::SeriesKind::Partial)},
        {"EnteredCumulative", SeriesOf(&ModelState::EnteredCumulative, rainfall::SeriesKind::Cumulative)},
    };
    return fields;
}

// A design storm replaces the partial series as a whole, so it is laid after every field is set,
// on the time step and step count the other arguments gave.
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

std::string_view NameOf(std::string_view argument)
{
    return argument.substr(0, argument.find('='));
}

// Every argument in order, a given StepCount again over what a series file set, then the storm.
void ApplyArguments(ModelState &model, const std::vector<std::string> &arguments)
{
    StormArguments storm;
    std::optional<std::string_view> stepCount;
    for (const std::string &argument : arguments) {
        const std::string_view name = NameOf(argument);
        const std::string_view value = std::string_view(argument).substr(std::min(argument.size(), name.size() + 1));
        if (name == "DesignStorm" && name.size() < argument.size()) {
            storm.type = value;
            continue;
        }
        if (name == "StormDepth" && name.size() < argument.size()) {
            storm.depth = value;
            continue;
        }
        if (name == "StepCount")
            stepCount = argument;
        ApplyArgument(model, argument);
    }
    if (stepCount)
        ApplyArgument(model, *stepCount);
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

void WriteSeries(JsonWriter &json, std::string_view name, const Series &series, int count)
{
    json.Key(name);
    json.Slots([&series](int k) { return series[k]; }, count);
}

void WriteScalars(JsonWriter &json, const ModelState &m)
{
    const struct {
        std::string_view name;
        double value;
    } scalars[] = {
        {"FlowLength", m.FlowLength},
        {"LevelDifference", m.LevelDifference},
        {"WatershedArea", m.WatershedArea},
        {"ConcentrationTime", m.ConcentrationTime},
        {"InitialAbstraction", m.InitialAbstraction},
        {"TimeStep", m.TimeStep},
        {"PotentialRetention", m.PotentialRetention},
        {"TotalVolume", m.TotalVolume},
        {"SpecificVolume", m.SpecificVolume},
        {"PeakDischarge", m.PeakDischarge},
    };
    for (const auto &s : scalars) {
        json.Key(s.name);
        json.Number(s.value);
    }
    const struct {
        std::string_view name;
        std::int64_t value;
    } integers[] = {
        {"StepCount", m.StepCount},
        {"CurveNumber", m.CurveNumber},
        {"HydrographCount", m.HydrographCount},
        {"SoilGroup", m.SoilGroup},
        {"PartialSeries", m.PartialSeries},
        {"LandUse", m.LandUse},
        {"AssignInitialAbstraction", m.AssignInitialAbstraction},
    };
    for (const auto &i : integers) {
        json.Key(i.name);
        json.Integer(i.value);
    }
}

// Each series up to StepCount, the hydrograph up to HydrographCount.
void WriteSeriesFields(JsonWriter &json, const ModelState &m)
{
    const int n = std::clamp(m.StepCount, 0, kSeriesSlots);
    WriteSeries(json, "EnteredPartial", m.EnteredPartial, n);
    WriteSeries(json, "RainPartial", m.RainPartial, n);
    WriteSeries(json, "EnteredCumulative", m.EnteredCumulative, n);
    WriteSeries(json, "RainCumulative", m.RainCumulative, n);
    WriteSeries(json, "Hyetograph", m.Hyetograph, n);
    WriteSeries(json, "RunoffDepth", m.RunoffDepth, n);
    WriteSeries(json, "RunoffIncrement", m.RunoffIncrement, n);
    json.Key("Hydrograph");
    json.Slots([&m](int j) { return m.Hydrograph[j]; },
               std::clamp(m.HydrographCount, 0, m.Hydrograph.Size()));
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

} // namespace

void ApplyArgument(ModelState &model, std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos)
        throw UsageError("'" + std::string(argument) + "' is not NAME=VALUE");
    const std::string_view name = argument.substr(0, equals);
    for (const InputField &field : InputFields()) {
        if (field.name == name) {
            field.set(model, name, argument.substr(equals + 1));
            return;
        }
    }
    throw UsageError("unknown input '" + std::string(name) + "'");
}

std::string RenderJson(const ModelState &model, const std::vector<StageFailure> &failures)
{
    JsonWriter json;
    WriteScalars(json, model);
    WriteSeriesFields(json, model);
    WriteFailures(json, failures);
    return json.Finish();
}

int Run(const std::vector<std::string> &arguments, std::string &out, std::string &err)
{
    ModelState model;
    model.SetDefaults();
    for (const std::string &argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            out = kUsage;
            return 0;
        }
    }
    try {
        ApplyArguments(model, arguments);
    } catch (const UsageError &error) {
        err = std::string("velmaro-cli: ") + error.what() + "\n";
        return 2;
    }
    out = RenderJson(model, RunGuardedChain(model));
    return 0;
}

} // namespace velmaro::cli
