#include "cli/Inputs.h"

#include "cli/Messages.h"
#include "engine/Arithmetic.h"
#include "engine/ModelFields.h"
#include "engine/ModelState.h"
#include "rainfall/DesignStorm.h"
#include "rainfall/SeriesText.h"
#include "text/MachineText.h"

#include <cstdint>
#include <utility>
#include <variant>

namespace velmaro::cli {

namespace {

double ReadDouble(std::string_view name, std::string_view text)
{
    if (const std::optional<double> value = ReadPlainNumberOrTiny(text))
        return *value;
    throw UsageError(std::string(name) + ": " + Quoted(text) + " is not a number");
}

std::int64_t ReadWhole(std::string_view name, std::string_view text, std::int64_t low,
                       std::int64_t high)
{
    const std::optional<std::int64_t> value = ReadInteger(text);
    if (!value) {
        ReadDouble(name, text); // says "not a number" for text that is none
        throw UsageError(std::string(name) + ": " + Quoted(text) + " is not a whole number");
    }
    if (*value < low || *value > high)
        throw UsageError(std::string(name) + " must lie between " + std::to_string(low) + " and " +
                         std::to_string(high) + "; got " + OneLine(text));
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
    // The system would open the name cut at the NUL: another file than the one given.
    if (path.find('\0') != std::string_view::npos)
        throw UsageError(std::string(name) + ": " + Quoted(path) + " is not a file name");
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
                throw UsageError(Quoted(name) + " is not an input");
            },
        },
        field.member);
}

const ModelField *FindInput(std::string_view name)
{
    for (const ModelField &field : ModelFields()) {
        if (field.input && field.name == name)
            return &field;
    }
    return nullptr;
}

std::pair<std::string_view, std::string_view> SplitArgument(std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos)
        throw UsageError(Quoted(argument) + " is not NAME=VALUE");
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

void ApplyDesignStorm(ModelState &model, const std::optional<std::string> &typeKey,
                      const std::optional<std::string> &depthText)
{
    if (!typeKey && !depthText)
        return;
    if (!depthText)
        throw UsageError("DesignStorm needs StormDepth");
    if (!typeKey)
        throw UsageError("StormDepth needs DesignStorm");
    const std::optional<rainfall::StormType> type = rainfall::StormTypeFromKey(*typeKey);
    if (!type) {
        std::string keys;
        for (const rainfall::StormName &name : rainfall::StormNames())
            keys += (keys.empty() ? "" : ", ") + std::string(name.key);
        throw UsageError("DesignStorm: " + Quoted(*typeKey) + " is not one of " + keys);
    }
    const double depth = ReadDouble("StormDepth", *depthText);
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

std::string WholeUsage(WholeRange range)
{
    if (range.low == arith::kInt32Min)
        return "WHOLE";
    if (range.high == range.low + 1)
        return std::to_string(range.low) + "|" + std::to_string(range.high);
    return std::to_string(range.low) + ".." + std::to_string(range.high);
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

} // namespace

bool IsInputName(std::string_view name)
{
    return FindInput(name) != nullptr;
}

void ApplyInput(ModelState &model, std::string_view name, std::string_view value)
{
    const ModelField *field = FindInput(name);
    if (!field)
        throw UsageError("unknown input " + Quoted(name));
    ApplyValue(model, *field, value);
}

void ApplyArgument(ModelState &model, std::string_view argument)
{
    const auto [name, value] = SplitArgument(argument);
    ApplyInput(model, name, value);
}

void RunInputs::Set(std::string_view name, std::string_view value)
{
    if (name == "DesignStorm")
        stormType_ = value;
    else if (name == "StormDepth")
        stormDepth_ = value;
    else
        ApplyInput(model_, name, value);
    if (name == "StepCount")
        stepCount_ = value;
}

void RunInputs::Finish()
{
    if (stepCount_)
        ApplyInput(model_, "StepCount", *stepCount_);
    ApplyDesignStorm(model_, stormType_, stormDepth_);
}

void ApplyArguments(ModelState &model, const std::vector<std::string> &arguments)
{
    RunInputs inputs(model);
    for (const std::string &argument : arguments) {
        const auto [name, value] = SplitArgument(argument);
        inputs.Set(name, value);
    }
    inputs.Finish();
}

std::string InputsUsage()
{
    std::string usage;
    for (const ModelField &field : ModelFields())
        if (field.input)
            usage += UsageLine(field);
    return usage;
}

} // namespace velmaro::cli
