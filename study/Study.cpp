#include "study/Study.h"

#include "engine/FieldValues.h"
#include "engine/InputRanges.h"
#include "engine/ModelFields.h"
#include "engine/UnitHydrograph.h"
#include "text/FieldText.h"
#include "text/InputUnits.h"
#include "text/MachineText.h"
#include "text/Windows1252Text.h"
#include "text/UnitModel.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <span>
#include <system_error>
#include <variant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmaro::study {

namespace {

using M = ModelState;

constexpr std::string_view kMagic = "Velmaro study ";

// How an input field's value reaches the model: a number converted to the base unit, or a whole
// number truncated from the value shown.
using FieldTarget = std::variant<double M::*, std::int32_t M::*>;

struct InputField {
    FieldTarget target;
    std::span<const std::string_view> units;
};

struct ChoiceWord {
    std::string_view word;
    std::uint8_t code;
};

struct ModelChoice {
    std::uint8_t M::*member;
    std::span<const ChoiceWord> words;
};

struct StepCount {};
struct StepShown {};
struct Heights {
    Series M::*member;
};
struct UnitChosen {};
struct TabShown {};
struct PropertyText {
    std::string Properties::*member;
};
struct StormDistribution {};
struct StormNumber {
    double rainfall::StormRecipe::*member;
    bool zeroAllowed;
};

using Binding = std::variant<InputField, ModelChoice, StepCount, StepShown, Heights, UnitChosen,
                             TabShown, PropertyText, StormDistribution, StormNumber>;

struct Key {
    std::string_view name;
    Binding binding;
    std::string_view section = {}; // a comment heading the keys from this one on
};

constexpr ChoiceWord kSoilGroups[] = {{"A", 0}, {"B", 1}, {"C", 2}, {"D", 3}};
constexpr ChoiceWord kYesNo[] = {{"yes", 1}, {"no", 0}};
constexpr ChoiceWord kSeriesKinds[] = {{"partial", 1}, {"cumulative", 0}};
constexpr ChoiceWord kLandUses[] = {
    {"urban", 0}, {"cultivated", 1}, {"other-agricultural", 2}, {"arid-rangeland", 3}};
// The runner's names of the unit hydrographs, so that a study and a command line say the same.
constexpr auto kUnitHydrographs = [] {
    std::array<ChoiceWord, kUnitHydrographKinds> words{};
    for (std::size_t code = 0; code < words.size(); ++code)
        words[code] = {kUnitHydrographKeys[code], static_cast<std::uint8_t>(code)};
    return words;
}();
constexpr ChoiceWord kTabs[] = {{"geometry", 0},     {"soil", 1},   {"forcing", 2},
                                {"conditioning", 3}, {"runoff", 4}, {"report", 5}};

// The study's keys in the order they are written. A new key is one row here.
const Key kKeys[] = {
    {"Project", PropertyText{&Properties::project}, "Study"},
    {"Location", PropertyText{&Properties::location}},
    {"Author", PropertyText{&Properties::author}},
    {"Date", PropertyText{&Properties::date}},
    {"Notes", PropertyText{&Properties::notes}},
    {"FlowLength", InputField{&M::FlowLength, kFlowLengthUnits}, "Geometry"},
    {"LevelDifference", InputField{&M::LevelDifference, kLevelDifferenceUnits}},
    {"WatershedArea", InputField{&M::WatershedArea, kWatershedAreaUnits}},
    {"ConcentrationTimeUnit", UnitChosen{}},
    {"SoilGroup", ModelChoice{&M::SoilGroup, kSoilGroups}, "Soil"},
    {"AssignInitialAbstraction", ModelChoice{&M::AssignInitialAbstraction, kYesNo}},
    {"InitialAbstraction", InputField{&M::InitialAbstraction, kInitialAbstractionUnits}},
    {"SeriesKind", ModelChoice{&M::PartialSeries, kSeriesKinds},
     "Forcing: heights of steps 1, 2, ... in mm; the storm's depth in mm, its time step in min"},
    {"TimeStep", InputField{&M::TimeStep, kTimeStepUnits}},
    {"StepCount", StepCount{}},
    {"StepShown", StepShown{}},
    {"HeightUnit", UnitChosen{}},
    {"EnteredPartial", Heights{&M::EnteredPartial}},
    {"EnteredCumulative", Heights{&M::EnteredCumulative}},
    {"DesignStorm", StormDistribution{}},
    {"StormDepth", StormNumber{&rainfall::StormRecipe::depthMm, true}},
    {"StormTimeStep", StormNumber{&rainfall::StormRecipe::timeStepMinutes, false}},
    {"IntensityGridUnit", UnitChosen{}},
    {"LandUse", ModelChoice{&M::LandUse, kLandUses}, "Conditioning"},
    {"CurveNumber", InputField{&M::CurveNumber, kCurveNumberUnits}},
    {"PotentialRetentionUnit", UnitChosen{}},
    {"DepthGridUnit", UnitChosen{}},
    {"UnitHydrograph", ModelChoice{&M::UnitHydrograph, kUnitHydrographs}, "Runoff"},
    {"TotalVolumeUnit", UnitChosen{}},
    {"SpecificVolumeUnit", UnitChosen{}},
    {"PeakDischargeUnit", UnitChosen{}},
    {"DischargeGridUnit", UnitChosen{}},
    {"Tab", TabShown{}, "Window"},
};

constexpr std::string_view kStormKeys[] = {"DesignStorm", "StormDepth", "StormTimeStep"};

const Key *FindKey(std::string_view name)
{
    const auto found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                    [name](const Key &key) { return key.name == name; });
    return found == std::end(kKeys) ? nullptr : found;
}

// A value that the study cannot hold: the reader names its line, the writer its key.
class Refusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameWord(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::string WordList(std::span<const ChoiceWord> words)
{
    std::string list;
    for (const ChoiceWord &word : words)
        list += (list.empty() ? "" : ", ") + std::string(word.word);
    return list;
}

std::uint8_t ReadWord(std::string_view value, std::span<const ChoiceWord> words)
{
    for (const ChoiceWord &word : words)
        if (SameWord(value, word.word))
            return word.code;
    throw Refusal(Quoted(value) + " is none of " + WordList(words));
}

std::string_view WordFor(std::uint8_t code, std::span<const ChoiceWord> words)
{
    for (const ChoiceWord &word : words)
        if (word.code == code)
            return word.word;
    throw Refusal("the code " + std::to_string(code) + " is none of " + WordList(words));
}

// The shortest text that reads back to the same extended number.
std::string ExtendedText(long double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("nan");
}

// A whole number from low to high: counts and step numbers.
int ReadCount(std::string_view value, int low, int high)
{
    const std::optional<std::int64_t> count = ReadInteger(value);
    if (!count || *count < low || *count > high)
        throw Refusal(Quoted(value) + " is not a whole number from " + std::to_string(low) +
                      " to " + std::to_string(high));
    return static_cast<int>(*count);
}

// "21.79 km"; a value without a dimension ("-") stands alone.
std::string WithUnit(const std::string &number, std::string_view unit)
{
    return unit == "-" ? number : number + " " + std::string(unit);
}

std::string RangeText(const InputRange &range, std::string_view unit)
{
    return "(" + WithUnit(RangeBoundText(range.low) + " - " + RangeBoundText(range.high), unit) + ")";
}

// --- Input fields -------------------------------------------------------------------------

std::string UnitNames(const InputField &field)
{
    std::string names;
    for (const std::string_view entry : field.units)
        names += (names.empty() ? "" : ", ") + UnitEntryName(entry);
    return names;
}

int UnitIndex(const InputField &field, std::string_view unit)
{
    for (std::size_t i = 0; i < field.units.size(); ++i)
        if (UnitEntryName(field.units[i]) == unit)
            return static_cast<int>(i);
    return -1;
}

// The value in the field's base unit, converted as the field converts it.
long double BaseValue(const InputField &field, const FieldEntry &entry)
{
    HeldValue held(entry.value);
    UnitModel model(held);
    model.SetUnits({field.units.begin(), field.units.end()});
    model.SetCurrentUnit(UnitIndex(field, entry.unit));
    return model.GetBaseValue();
}

// Held to the range the window's field holds the input to, where it has one.
void CheckField(std::string_view key, const InputField &field, const FieldEntry &entry)
{
    if (UnitIndex(field, entry.unit) < 0)
        throw Refusal(Quoted(entry.unit) + " is none of its units: " + UnitNames(field));
    const std::optional<InputRange> range = RangeOfInput(key);
    if (range && !range->Holds(BaseValue(field, entry)))
        throw Refusal(WithUnit(ExtendedText(entry.value), entry.unit) + " is outside the allowed range " +
                      RangeText(*range, UnitEntryName(field.units.front())));
}

FieldEntry ReadFieldEntry(std::string_view key, const InputField &field, std::string_view value)
{
    const std::size_t blank = value.find_first_of(" \t");
    const std::string_view number = value.substr(0, blank);
    const std::string_view unit = blank == std::string_view::npos ? std::string_view() : Trimmed(value.substr(blank));
    const std::optional<long double> read = ReadNumber(number, '.');
    if (!read)
        throw Refusal(Quoted(number) + " is not a number");
    if (unit.empty())
        throw Refusal("the value has no unit after it (" + UnitNames(field) + ")");
    FieldEntry entry{*read, std::string(unit)};
    CheckField(key, field, entry);
    return entry;
}

// What the model takes from the field, as the window's recomputation takes it.
void TakeIntoModel(const InputField &field, const FieldEntry &entry, ModelState &model)
{
    std::visit(Overloaded{
                   [&](double M::*number) { model.*number = ModelNumber(BaseValue(field, entry)); },
                   [&](std::int32_t M::*whole) { model.*whole = ModelWholeNumber(entry.value); },
               },
               field.target);
}

// A model number as a field holds it once typed: its shortest text, read at the field's precision.
long double AsTyped(double number)
{
    const std::optional<long double> typed = ReadNumber(RoundTripText(number), '.');
    return typed ? *typed : number;
}

// The field entry that gives the model's number: `had`, in its unit, while it still gives it
// back; else the number in the field's base unit, which the field keeps as it is.
FieldEntry EntryOfModelNumber(const InputField &field, const FieldEntry &had, const ModelState &model)
{
    ModelState taken;
    TakeIntoModel(field, had, taken);
    if (std::visit([&](auto member) { return taken.*member == model.*member; }, field.target))
        return had;
    const double number = std::visit([&](auto member) { return static_cast<double>(model.*member); }, field.target);
    return {AsTyped(number), UnitEntryName(field.units.front())};
}

// --- Heights --------------------------------------------------------------------------------

void CheckHeight(double height, int step)
{
    static const InputRange range = RangeOfInput("EnteredPartial").value();
    if (!range.Holds(height))
        throw Refusal("the height of step " + std::to_string(step) + ", " + RoundTripText(height) +
                      ", is outside the allowed range " + RangeText(range, "mm"));
}

void ReadHeights(std::string_view value, Series &series)
{
    Series read;
    std::size_t at = 0;
    for (int step = 1; !value.empty(); ++step) {
        const std::size_t comma = value.find(',', at);
        const std::string_view text = Trimmed(value.substr(at, comma == std::string_view::npos ? comma : comma - at));
        if (step > kSeriesSlots)
            throw Refusal("more than " + std::to_string(kSeriesSlots) + " heights");
        const std::optional<double> height = ReadPlainNumberOrTiny(text);
        if (!height || !std::isfinite(*height))
            throw Refusal("the height of step " + std::to_string(step) + ", " + Quoted(text) + ", is not a number");
        CheckHeight(*height, step);
        read[step] = *height;
        if (comma == std::string_view::npos)
            break;
        at = comma + 1;
    }
    series = read;
}

// Steps up to the last one that holds anything but a zero: the rest of a series reads as zeros.
std::string HeightsText(const Series &series)
{
    int last = kSeriesSlots;
    while (last > 0 && series[last] == 0 && !std::signbit(series[last]))
        --last;
    std::string text;
    for (int step = 1; step <= last; ++step) {
        CheckHeight(series[step], step);
        text += (step > 1 ? ", " : "") + RoundTripText(series[step]);
    }
    return text;
}

// --- Property texts -------------------------------------------------------------------------

// One line per key: line breaks and tabs are written as \n, \r and \t, a backslash as \\.
constexpr std::pair<char, char> kEscapes[] = {{'\\', '\\'}, {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}};

std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        const auto found = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                        [c](const auto &escape) { return escape.first == c; });
        if (found == std::end(kEscapes))
            escaped += c;
        else
            escaped += {'\\', found->second};
    }
    return escaped;
}

// A backslash before any other character stands for itself, as a person typing a path expects.
std::string Unescaped(std::string_view text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto found = i + 1 < text.size() && text[i] == '\\'
                               ? std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                              [next = text[i + 1]](const auto &escape) { return escape.second == next; })
                               : std::end(kEscapes);
        if (found == std::end(kEscapes)) {
            plain += text[i];
        } else {
            plain += found->first;
            ++i;
        }
    }
    return plain;
}

// --- Reading and writing one key ------------------------------------------------------------

rainfall::StormRecipe &StormOf(Study &study)
{
    if (!study.storm)
        study.storm.emplace();
    return *study.storm;
}

std::string StormNames()
{
    std::string names;
    for (const rainfall::StormName &name : rainfall::StormNames())
        names += (names.empty() ? "" : ", ") + std::string(name.key);
    return names;
}

// Reads one key's value into the study; throws Refusal for a value it cannot take.
void ReadKey(const Key &key, std::string_view value, Study &study)
{
    const bool mayBeEmpty = std::holds_alternative<PropertyText>(key.binding) ||
                            std::holds_alternative<Heights>(key.binding);
    if (value.empty() && !mayBeEmpty)
        throw Refusal("there is no value after '='");
    std::visit(Overloaded{
                   [&](const InputField &field) { study.fields[std::string(key.name)] = ReadFieldEntry(key.name, field, value); },
                   [&](const ModelChoice &choice) { study.inputs.*choice.member = ReadWord(value, choice.words); },
                   [&](StepCount) { study.inputs.StepCount = ReadCount(value, 1, kSeriesSlots); },
                   [&](StepShown) { study.stepShown = ReadCount(value, 1, kSeriesSlots); },
                   [&](const Heights &heights) { ReadHeights(value, study.inputs.*heights.member); },
                   [&](UnitChosen) { study.units[std::string(key.name)] = std::string(value); },
                   [&](TabShown) { study.tab = static_cast<Tab>(ReadWord(value, kTabs)); },
                   [&](const PropertyText &property) { study.properties.*property.member = Unescaped(value); },
                   [&](StormDistribution) {
                       const std::optional<rainfall::StormType> type = rainfall::StormTypeFromKey(value);
                       if (!type)
                           throw Refusal(Quoted(value) + " is none of " + StormNames());
                       StormOf(study).type = *type;
                   },
                   [&](const StormNumber &number) {
                       const std::optional<double> read = ReadPlainNumber(value);
                       if (!read || *read < 0 || (*read == 0 && !number.zeroAllowed))
                           throw Refusal(Quoted(value) + " is not a number " +
                                         (number.zeroAllowed ? "of 0 or more" : "above 0"));
                       StormOf(study).*number.member = *read;
                   },
               },
               key.binding);
}

// The key's value as written, nothing for a key the study leaves out; throws Refusal for a value
// that could not be read back.
std::optional<std::string> WriteKey(const Key &key, const Study &study)
{
    return std::visit(
        Overloaded{
            [&](const InputField &field) -> std::optional<std::string> {
                const auto entry = study.fields.find(key.name);
                if (entry == study.fields.end())
                    return std::nullopt;
                CheckField(key.name, field, entry->second);
                return ExtendedText(entry->second.value) + " " + entry->second.unit;
            },
            [&](const ModelChoice &choice) -> std::optional<std::string> {
                return std::string(WordFor(study.inputs.*choice.member, choice.words));
            },
            [&](StepCount) -> std::optional<std::string> { return std::to_string(study.inputs.StepCount); },
            [&](StepShown) -> std::optional<std::string> { return std::to_string(study.stepShown); },
            [&](const Heights &heights) -> std::optional<std::string> {
                return HeightsText(study.inputs.*heights.member);
            },
            [&](UnitChosen) -> std::optional<std::string> {
                const auto unit = study.units.find(key.name);
                return unit == study.units.end() ? std::nullopt : std::optional(unit->second);
            },
            [&](TabShown) -> std::optional<std::string> {
                return std::string(WordFor(static_cast<std::uint8_t>(study.tab), kTabs));
            },
            [&](const PropertyText &property) -> std::optional<std::string> {
                return Escaped(study.properties.*property.member);
            },
            [&](StormDistribution) -> std::optional<std::string> {
                if (!study.storm)
                    return std::nullopt;
                for (const rainfall::StormName &name : rainfall::StormNames())
                    if (name.type == study.storm->type)
                        return std::string(name.key);
                return std::nullopt;
            },
            [&](const StormNumber &number) -> std::optional<std::string> {
                if (!study.storm)
                    return std::nullopt;
                return RoundTripText(*study.storm.*number.member);
            },
        },
        key.binding);
}

// --- The whole text -------------------------------------------------------------------------

struct Version {
    int major = 0;
    int minor = 0;
};

std::optional<Version> ReadVersion(std::string_view line)
{
    if (line.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    const std::string_view number = Trimmed(line.substr(kMagic.size()));
    const std::size_t dot = number.find('.');
    const std::optional<std::int64_t> major = ReadInteger(number.substr(0, dot));
    const std::optional<std::int64_t> minor =
        dot == std::string_view::npos ? std::nullopt : ReadInteger(number.substr(dot + 1));
    if (!major || !minor || *major < 0 || *minor < 0 || *major > 999 || *minor > 999)
        return std::nullopt;
    return Version{static_cast<int>(*major), static_cast<int>(*minor)};
}

std::string VersionText(int major, int minor)
{
    return std::to_string(major) + "." + std::to_string(minor);
}

class Reader {
public:
    Reader(std::string_view text, const std::string &file) : text_(text), file_(file) {}

    StudyReading Read()
    {
        reading_.study = DefaultStudy();
        if (text_.substr(0, 3) == "\xEF\xBB\xBF")
            text_.remove_prefix(3);
        ReadVersionLine(NextLine());
        for (std::optional<std::string_view> line = NextLine(); line; line = NextLine())
            ReadLine(*line);
        CheckWhole();
        for (const Key &key : kKeys)
            if (const auto *field = std::get_if<InputField>(&key.binding))
                TakeIntoModel(*field, reading_.study.fields.at(std::string(key.name)), reading_.study.inputs);
        return std::move(reading_);
    }

private:
    [[noreturn]] void Fail(int line, const std::string &what) const { throw StudyError(file_, line, what); }

    std::optional<std::string_view> NextLine()
    {
        if (at_ > text_.size() || (at_ == text_.size() && lineNumber_ > 0))
            return std::nullopt;
        const std::size_t end = std::min(text_.find('\n', at_), text_.size());
        std::string_view line = text_.substr(at_, end - at_);
        at_ = end + 1;
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

    void ReadVersionLine(std::optional<std::string_view> line)
    {
        const std::optional<Version> version = line ? ReadVersion(Trimmed(*line)) : std::nullopt;
        if (!version)
            Fail(1, "not a Velmaro study: its first line must read \"" + std::string(kMagic) +
                        VersionText(kFormatMajor, kFormatMinor) + "\"");
        if (version->major != kFormatMajor)
            Fail(1, "the study has format version " + VersionText(version->major, version->minor) +
                        "; this Velmaro reads format " + std::to_string(kFormatMajor) + ".x" +
                        (version->major > kFormatMajor ? ": it was written by a newer Velmaro" : ""));
        version_ = *version;
    }

    void ReadLine(std::string_view line)
    {
        if (!IsUtf8(line))
            Fail(lineNumber_, "the line is not UTF-8 text");
        const std::string_view content = Trimmed(line);
        if (content.empty() || content.front() == '#')
            return;
        const std::size_t equals = content.find('=');
        const std::string_view name = Trimmed(content.substr(0, equals));
        if (equals == std::string_view::npos || name.empty())
            Fail(lineNumber_, Quoted(content) + " is not \"Key = value\"");
        const Key *key = FindKey(name);
        if (!key) {
            if (version_.minor <= kFormatMinor)
                Fail(lineNumber_, "unknown key " + Quoted(name));
            reading_.notes.push_back("line " + std::to_string(lineNumber_) + ": the key " + Quoted(name) +
                                     " of format " + VersionText(version_.major, version_.minor) +
                                     " was skipped");
            return;
        }
        const auto [earlier, first] = reading_.lines.emplace(std::string(name), lineNumber_);
        if (!first)
            Fail(lineNumber_, std::string(name) + " is given twice (first on line " +
                                  std::to_string(earlier->second) + ")");
        try {
            ReadKey(*key, Trimmed(content.substr(equals + 1)), reading_.study);
        } catch (const Refusal &refusal) {
            Fail(lineNumber_, std::string(name) + ": " + refusal.what());
        } catch (const std::exception &failure) {
            Fail(lineNumber_, std::string(name) + ": " + failure.what());
        }
    }

    int LineOf(std::string_view key) const
    {
        const auto found = reading_.lines.find(key);
        return found == reading_.lines.end() ? 0 : found->second;
    }

    // What single keys cannot say on their own: the step shown within the step count, a storm
    // given whole.
    void CheckWhole() const
    {
        const Study &study = reading_.study;
        if (study.stepShown > study.inputs.StepCount)
            Fail(std::max(LineOf("StepShown"), LineOf("StepCount")),
                 "StepShown: step " + std::to_string(study.stepShown) + " is past the " +
                     std::to_string(study.inputs.StepCount) + " steps of StepCount");
        if (!study.storm)
            return;
        for (const std::string_view key : kStormKeys)
            if (LineOf(key) == 0) {
                int given = 0;
                for (const std::string_view other : kStormKeys)
                    given = std::max(given, LineOf(other));
                Fail(given, "a design storm needs DesignStorm, StormDepth and StormTimeStep; " +
                                std::string(key) + " is missing");
            }
    }

    std::string_view text_;
    const std::string &file_;
    std::size_t at_ = 0;
    int lineNumber_ = 0;
    Version version_;
    StudyReading reading_;
};

// --- Saving ---------------------------------------------------------------------------------

// Whether the series in use holds the same heights in both, bit for bit.
bool SameSeriesInUse(const ModelState &a, const ModelState &b)
{
    if (a.PartialSeries != b.PartialSeries || a.StepCount != b.StepCount)
        return false;
    const Series M::*store = a.PartialSeries ? &M::EnteredPartial : &M::EnteredCumulative;
    for (int step = 1; step <= std::clamp(a.StepCount, 1, kSeriesSlots); ++step)
        if (std::bit_cast<std::uint64_t>((a.*store)[step]) != std::bit_cast<std::uint64_t>((b.*store)[step]))
            return false;
    return true;
}

std::string Reason(int error)
{
    return std::generic_category().message(error);
}

// A new file beside `target`, made with the permissions a new file gets (an existing study's
// own permissions are given to it before it takes its place).
int OpenNewFileBeside(const std::string &target, std::string &name)
{
    for (int attempt = 0;; ++attempt) {
        name = target + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || attempt == 100)
            return fd;
    }
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO; // a write that takes nothing and says no reason
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

StudyError::StudyError(const std::string &file, int line, const std::string &what)
    : std::runtime_error(file + (line > 0 ? ", line " + std::to_string(line) : std::string()) + ": " + what),
      line_(line)
{
}

Study DefaultStudy()
{
    Study study;
    study.inputs.SetDefaults();
    for (const Key &key : kKeys)
        if (const auto *field = std::get_if<InputField>(&key.binding)) {
            const double value =
                std::visit([&](auto member) { return static_cast<double>(study.inputs.*member); }, field->target);
            study.fields[std::string(key.name)] = {AsTyped(value), UnitEntryName(field->units.front())};
        }
    return study;
}

StudyReading ReadStudyText(std::string_view text, const std::string &fileName)
{
    return Reader(text, fileName).Read();
}

StudyReading ReadStudyFile(const std::string &path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status))
        throw StudyError(path, 0, "the file does not exist");
    if (std::filesystem::is_directory(status))
        throw StudyError(path, 0, "this is a folder, not a study");
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw StudyError(path, 0, "the file cannot be read (" + Reason(errno) + ")");
    std::string text(kMaxStudyBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad())
        throw StudyError(path, 0, "the file cannot be read (" + Reason(errno) + ")");
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxStudyBytes)
        throw StudyError(path, 0, "the file is larger than " + std::to_string(kMaxStudyBytes >> 20) +
                                      " MiB: not a study");
    return ReadStudyText(text, path);
}

ModelState InputsOf(const ModelState &model)
{
    ModelState inputs;
    for (const ModelField &field : ModelFields())
        if (field.input)
            std::visit(Overloaded{[](Hydrograph M::*) {}, [&](auto member) { inputs.*member = model.*member; }},
                       field.member);
    return inputs;
}

Study StudyWithInputs(const ModelState &model, const Study &base)
{
    Study study = base;
    study.inputs = InputsOf(model);
    for (const Key &key : kKeys)
        if (const auto *field = std::get_if<InputField>(&key.binding)) {
            FieldEntry &entry = study.fields.at(std::string(key.name));
            entry = EntryOfModelNumber(*field, entry, model);
        }
    study.stepShown = std::clamp(base.stepShown, 1, std::clamp(model.StepCount, 1, kSeriesSlots));
    if (!SameSeriesInUse(model, base.inputs))
        study.storm.reset();
    return study;
}

std::string WriteStudyText(const Study &study)
{
    std::string text = std::string(kMagic) + VersionText(kFormatMajor, kFormatMinor) + "\n" +
                       "# Inputs as entered, each number in the unit written after it; results are "
                       "recomputed on opening.\n";
    for (const Key &key : kKeys) {
        if (!key.section.empty())
            text += "\n# " + std::string(key.section) + "\n";
        std::optional<std::string> value;
        try {
            value = WriteKey(key, study);
        } catch (const Refusal &refusal) {
            throw std::invalid_argument(std::string(key.name) + ": " + refusal.what());
        }
        if (value)
            text += std::string(key.name) + (value->empty() ? " =" : " = " + *value) + "\n";
    }
    return text;
}

void WriteStudyFile(const Study &study, const std::string &path)
{
    const std::string text = WriteStudyText(study);
    // Saving through a link saves the study it links to, and leaves the link in place.
    std::string target = path;
    std::error_code notThere;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, notThere))) {
        std::error_code broken;
        target = std::filesystem::weakly_canonical(path, broken).string();
        if (broken)
            throw StudyError(path, 0, "the study could not be saved (" + broken.message() + ")");
    }
    std::string temporary;
    const int fd = OpenNewFileBeside(target, temporary);
    if (fd < 0)
        throw StudyError(path, 0, "the study could not be saved (" + Reason(errno) + ")");
    struct stat existing {};
    bool done = (::stat(target.c_str(), &existing) != 0 || ::fchmod(fd, existing.st_mode & 07777) == 0) &&
                WriteAll(fd, text) && ::fsync(fd) == 0;
    int error = done ? 0 : errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(temporary.c_str(), target.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        ::unlink(temporary.c_str());
        throw StudyError(path, 0, "the study could not be saved (" + Reason(error) + ")");
    }
}

} // namespace velmaro::study
