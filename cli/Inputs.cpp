#include "cli/Inputs.h"

#include "cli/Messages.h"
#include "engine/Arithmetic.h"
#include "engine/InputRanges.h"
#include "engine/ModelFields.h"
#include "engine/ModelState.h"
#include "rainfall/DesignStorm.h"
#include "rainfall/SeriesReading.h"
#include "rainfall/SeriesText.h"
#include "text/MachineText.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <variant>

namespace velmaro::cli {

namespace {

double ReadDouble(std::string_view name, std::string_view text, const InputRules &rules)
{
    if (const std::optional<double> value = ReadPlainNumberOrTiny(text, rules.decimalComma))
        return *value;
    throw UsageError(std::string(name) + ": " + Quoted(text) + " is not a number");
}

std::int64_t ReadWhole(std::string_view name, std::string_view text, WholeRange range,
                       const InputRules &rules)
{
    const std::optional<std::int64_t> value = ReadInteger(text);
    if (!value) {
        ReadDouble(name, text, rules); // says "not a number" for text that is none
        throw UsageError(std::string(name) + ": " + Quoted(text) + " is not a whole number");
    }
    if (*value < range.low || *value > range.high)
        throw UsageError(std::string(name) + " must lie between " + std::to_string(range.low) +
                         " and " + std::to_string(range.high) + "; got " + OneLine(text));
    return *value;
}

std::string OutsideMessage(std::string_view value, const InputRange &range)
{
    return std::string(value) + " is outside the allowed range (" + RangeBoundText(range.low) + " - " +
           RangeBoundText(range.high) + ")";
}

// A value outside the range of the window's field for it is refused here; a run that computes
// with such values lists them once all inputs are set (OutOfRangeInputs).
void CheckRange(std::string_view name, long double value, std::string_view text,
                const InputRules &rules, const std::string &where = {})
{
    const std::optional<InputRange> range = RangeOfInput(name);
    if (rules.outOfRange == OutOfRange::Refuse && range && !range->Holds(value))
        throw UsageError(std::string(name) + ": " + where + OutsideMessage(OneLine(text), *range));
}

void ReadSeries(Series &series, std::string_view name, std::string_view text, const InputRules &rules)
{
    const char separator = rules.decimalComma ? ';' : ',';
    int slot = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        const std::string_view item =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (++slot > kSeriesSlots)
            throw UsageError(std::string(name) + " takes at most 100 values");
        series[slot] = ReadDouble(name, item, rules);
        CheckRange(name, series[slot], item, rules, "step " + std::to_string(slot) + ": ");
        if (end == std::string_view::npos)
            return;
        start = end + 1;
    }
}

// NAME=@FILE: the heights of steps 1, 2, ... from a file, which also sets the step count. The
// file is read as the window's import reads it, its choices guessed, and its heights checked as
// the import checks them, whatever the range rule. Returns the step of the file's times, if it
// has them, for RunInputs::Finish to hold against the time step.
std::optional<double> ReadSeriesFile(ModelState &m, Series ModelState::*series, std::string_view name,
                                     std::string_view path)
{
    const auto kind = series == &ModelState::EnteredCumulative ? rainfall::SeriesKind::Cumulative
                                                               : rainfall::SeriesKind::Partial;
    // The system would open the name cut at the NUL: another file than the one given.
    if (path.find('\0') != std::string_view::npos)
        throw UsageError(std::string(name) + ": " + Quoted(path) + " is not a file name");
    try {
        const rainfall::SeriesFile file = rainfall::ReadSeriesFile(std::string(path), kind);
        for (std::size_t i = 0; i < file.heights.size(); ++i)
            (m.*series)[static_cast<int>(i) + 1] = file.heights[i];
        m.StepCount = static_cast<std::int32_t>(file.heights.size());
        return file.stepMinutes;
    } catch (const rainfall::SeriesError &error) {
        throw UsageError(std::string(name) + ": " + error.what());
    }
}

// The whole numbers an input takes: those it can hold, within the range of its window field.
std::string WholeUsage(std::string_view name, WholeRange range)
{
    if (const std::optional<InputRange> window = RangeOfInput(name)) {
        range.low = std::max(range.low, static_cast<std::int64_t>(window->low));
        range.high = std::min(range.high, static_cast<std::int64_t>(window->high));
    }
    if (range.low == arith::kInt32Min)
        return "WHOLE";
    if (range.high == range.low + 1)
        return std::to_string(range.low) + "|" + std::to_string(range.high);
    return std::to_string(range.low) + ".." + std::to_string(range.high);
}

std::string CodeNameList(const ModelField &field)
{
    std::string names;
    for (const std::string_view name : field.codeNames)
        names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

// A choice by its code, or by its name where its codes have names.
std::uint8_t ReadChoice(const ModelField &field, std::string_view text, const InputRules &rules)
{
    const auto named = std::find(field.codeNames.begin(), field.codeNames.end(), text);
    if (named != field.codeNames.end())
        return static_cast<std::uint8_t>(named - field.codeNames.begin());
    if (!field.codeNames.empty() && !ReadInteger(text))
        throw UsageError(std::string(field.name) + ": " + Quoted(text) + " is not one of " +
                         CodeNameList(field) + " (or their codes " + WholeUsage(field.name, field.range) + ")");
    return static_cast<std::uint8_t>(ReadWhole(field.name, text, field.range, rules));
}

void ApplyValue(ModelState &m, const ModelField &field, std::string_view text, const InputRules &rules,
                std::vector<SeriesFileStep> *fileSteps)
{
    const std::string_view name = field.name;
    std::visit(
        Overloaded{
            [&](double ModelState::*p) {
                m.*p = ReadDouble(name, text, rules);
                CheckRange(name, m.*p, text, rules);
            },
            [&](std::int32_t ModelState::*p) {
                m.*p = static_cast<std::int32_t>(ReadWhole(name, text, field.range, rules));
                CheckRange(name, m.*p, text, rules);
            },
            [&](std::uint8_t ModelState::*p) { m.*p = ReadChoice(field, text, rules); },
            [&](Series ModelState::*p) {
                if (!text.starts_with('@'))
                    ReadSeries(m.*p, name, text, rules);
                else if (const auto step = ReadSeriesFile(m, p, name, text.substr(1)); step && fileSteps)
                    fileSteps->push_back({std::string(name), std::string(text.substr(1)), *step});
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

void ApplyInput(ModelState &model, std::string_view name, std::string_view value, const InputRules &rules,
                std::vector<SeriesFileStep> *fileSteps = nullptr)
{
    const ModelField *field = FindInput(name);
    if (!field)
        throw UsageError("unknown input " + Quoted(name));
    ApplyValue(model, *field, value, rules, fileSteps);
}

// Each value the run computes with outside its range: the inputs' as set, the series' up to the
// step count.
std::vector<InputWarning> OutOfRangeInputs(const ModelState &m)
{
    std::vector<InputWarning> warnings;
    const auto check = [&warnings](std::string_view name, double value, const std::string &where = {}) {
        const std::optional<InputRange> range = RangeOfInput(name);
        if (range && !range->Holds(value))
            warnings.push_back({std::string(name), where + OutsideMessage(RoundTripText(value), *range)});
    };
    for (const ModelField &field : ModelFields()) {
        if (!field.input)
            continue;
        std::visit(Overloaded{
                       [&](double ModelState::*p) { check(field.name, m.*p); },
                       [&](std::int32_t ModelState::*p) { check(field.name, m.*p); },
                       [](std::uint8_t ModelState::*) {},
                       [&](Series ModelState::*p) {
                           for (int k = 1; k <= std::clamp(m.StepCount, 0, kSeriesSlots); ++k)
                               check(field.name, (m.*p)[k], "step " + std::to_string(k) + ": ");
                       },
                       [](Hydrograph ModelState::*) {},
                   },
                   field.member);
    }
    return warnings;
}

std::pair<std::string_view, std::string_view> SplitArgument(std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos)
        throw UsageError(Quoted(argument) + " is not NAME=VALUE");
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

constexpr std::string_view kStormType = "DesignStorm";
constexpr std::string_view kStormDepth = "StormDepth";

rainfall::StormType ReadStormType(std::string_view key)
{
    const std::optional<rainfall::StormType> type = rainfall::StormTypeFromKey(key);
    if (!type) {
        std::string keys;
        for (const rainfall::StormName &name : rainfall::StormNames())
            keys += (keys.empty() ? "" : ", ") + std::string(name.key);
        throw UsageError("DesignStorm: " + Quoted(key) + " is not one of " + keys);
    }
    return *type;
}

std::optional<rainfall::StormRecipe> ApplyDesignStorm(ModelState &model, const StormArguments &storm,
                                                      const InputRules &rules)
{
    if (!storm.type && !storm.depth)
        return std::nullopt;
    if (!storm.depth)
        throw UsageError("DesignStorm needs StormDepth");
    if (!storm.type)
        throw UsageError("StormDepth needs DesignStorm");
    const rainfall::StormType type = ReadStormType(*storm.type);
    const double depth = ReadDouble(kStormDepth, *storm.depth, rules);
    try {
        const rainfall::Storm made = rainfall::MakeStorm(type, depth, model.TimeStep, model.StepCount);
        for (std::size_t i = 0; i < made.partial.size(); ++i)
            model.EnteredPartial[static_cast<int>(i) + 1] = made.partial[i];
        model.StepCount = static_cast<std::int32_t>(made.partial.size());
        model.PartialSeries = 1;
        return rainfall::StormRecipe{type, depth, model.TimeStep};
    } catch (const rainfall::SeriesError &error) {
        throw UsageError(std::string("DesignStorm: ") + error.what());
    }
}

// The range of a number or of each value of a series, in the window's words.
std::string NumberRangeUsage(std::string_view name)
{
    const std::optional<InputRange> range = RangeOfInput(name);
    if (!range)
        return "any number";
    if (range->high == kNoUpperLimit)
        return RangeBoundText(range->low) + " or more";
    return RangeBoundText(range->low) + " to " + RangeBoundText(range->high);
}

// "NAME=VALUE  unit, range, meaning" for one input.
std::string UsageLine(const ModelField &field)
{
    const std::string_view name = field.name;
    std::string value = std::visit(
        Overloaded{
            [](double ModelState::*) { return std::string("NUMBER"); },
            [&](std::int32_t ModelState::*) { return WholeUsage(name, field.range); },
            [&](std::uint8_t ModelState::*) {
                std::string names;
                for (const std::string_view code : field.codeNames)
                    names += std::string(code) + "|";
                return names + WholeUsage(name, field.range);
            },
            [](Series ModelState::*) { return std::string("NUMBER,NUMBER,...|@FILE"); },
            [](Hydrograph ModelState::*) { return std::string(); },
        },
        field.member);
    std::string line = "  " + std::string(name) + "=" + value;
    std::string notes(field.unit);
    const auto add = [&notes](std::string_view note) { notes += (notes.empty() ? "" : ", ") + std::string(note); };
    if (std::holds_alternative<double ModelState::*>(field.member))
        add(NumberRangeUsage(name));
    if (std::holds_alternative<Series ModelState::*>(field.member))
        add("each " + NumberRangeUsage(name));
    if (!field.meaning.empty())
        add(field.meaning);
    if (std::holds_alternative<Series ModelState::*>(field.member))
        notes += "; slots 1, 2, ..., at most " + std::to_string(kSeriesSlots);
    if (!notes.empty())
        line += std::string(line.size() < 38 ? 40 - line.size() : 2, ' ') + notes;
    return line + "\n";
}

void SetArguments(RunInputs &inputs, const std::vector<std::string> &arguments)
{
    for (const std::string &argument : arguments) {
        const auto [name, value] = SplitArgument(argument);
        inputs.Set(name, value);
    }
}

} // namespace

bool IsInputName(std::string_view name)
{
    return FindInput(name) != nullptr || name == kStormType || name == kStormDepth;
}

void ApplyArgument(ModelState &model, std::string_view argument)
{
    const auto [name, value] = SplitArgument(argument);
    ApplyInput(model, name, value, InputRules{});
}

void RunInputs::Set(std::string_view name, std::string_view value)
{
    // Each part of a storm is checked as it is given, so that a batch names its column; the
    // storm itself is made once every input is set.
    if (name == kStormType) {
        ReadStormType(value);
        storm_.type = value;
    } else if (name == kStormDepth) {
        ReadDouble(name, value, rules_);
        storm_.depth = value;
    } else {
        // A series given again replaces the file that gave it, and that file's times with it.
        std::erase_if(fileSteps_, [name](const SeriesFileStep &file) { return file.input == name; });
        ApplyInput(model_, name, value, rules_, &fileSteps_);
    }
    if (name == "StepCount")
        stepCount_ = value;
}

void RunInputs::Finish()
{
    FinishSteps();
    applied_.storm = ApplyDesignStorm(model_, storm_, rules_);
    applied_.warnings = OutOfRangeInputs(model_);
}

void RunInputs::FinishSteps()
{
    if (stepCount_)
        ApplyInput(model_, "StepCount", *stepCount_, rules_);
    for (const SeriesFileStep &file : fileSteps_)
        if (!rainfall::SameStep(file.minutes, model_.TimeStep))
            throw UsageError(file.input + ": " + file.path + ": " + rainfall::StepMismatch(file.minutes, model_.TimeStep));
}

BaseArguments RunInputs::FinishAsBase()
{
    FinishSteps();
    applied_.warnings = OutOfRangeInputs(model_);
    return {storm_, fileSteps_};
}

AppliedInputs ApplyArguments(ModelState &model, const std::vector<std::string> &arguments, OutOfRange outOfRange)
{
    RunInputs inputs(model, {outOfRange});
    SetArguments(inputs, arguments);
    inputs.Finish();
    return inputs.Applied();
}

BaseArguments ApplyBaseArguments(ModelState &model, const std::vector<std::string> &arguments,
                                  OutOfRange outOfRange)
{
    RunInputs inputs(model, {outOfRange});
    SetArguments(inputs, arguments);
    return inputs.FinishAsBase();
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
