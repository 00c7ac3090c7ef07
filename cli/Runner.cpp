#include "Runner.h"

#include "Arithmetic.h"
#include "ModelFields.h"
#include "ModelState.h"
#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <variant>

namespace velmaro::cli {

namespace {

// An argument as a message quotes it: control characters escaped, so that the message stays
// one line and the terminal obeys nothing in it. The C1 controls come as UTF-8 (C2 80 to C2 9F).
std::string Shown(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte == '\n') {
            shown += "\\n";
        } else if (byte == '\r') {
            shown += "\\r";
        } else if (byte == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xf];
        } else if (byte == 0xc2 && next >= 0x80 && next <= 0x9f) {
            shown += std::string("\\u00") + kHex[next >> 4] + kHex[next & 0xf];
            ++i;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

// from_chars refuses a magnitude below the smallest double as out of range; the window's field
// reads it as an extended value and hands the model the nearest double, a zero.
std::optional<double> ReadBelowDoubleRange(std::string_view text)
{
    if (text.starts_with('+') && !text.substr(1).starts_with('-'))
        text.remove_prefix(1);
    long double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value,
                                           std::chars_format::general);
    if (ec != std::errc() || end != text.data() + text.size() || std::fabs(value) >= DBL_MIN)
        return std::nullopt;
    return static_cast<double>(value);
}

double ReadDouble(std::string_view name, std::string_view text)
{
    if (const std::optional<double> value = ReadPlainNumber(text))
        return *value;
    if (const std::optional<double> tiny = ReadBelowDoubleRange(text))
        return *tiny;
    throw UsageError(std::string(name) + ": '" + Shown(text) + "' is not a number");
}

std::int64_t ReadWhole(std::string_view name, std::string_view text, std::int64_t low,
                       std::int64_t high)
{
    const std::optional<std::int64_t> value = ReadInteger(text);
    if (!value) {
        ReadDouble(name, text); // says "not a number" for text that is none
        throw UsageError(std::string(name) + ": '" + Shown(text) + "' is not a whole number");
    }
    if (*value < low || *value > high)
        throw UsageError(std::string(name) + " must lie between " + std::to_string(low) + " and " +
                         std::to_string(high) + "; got " + Shown(text));
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

// Overload set for visiting a field's member.
template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

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
            [&](Series ModelState::*p) { ReadSeries(m.*p, name, text); },
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
            [](Series ModelState::*) { return std::string("NUMBER,NUMBER,..."); },
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
        line += std::string(std::max<std::size_t>(2, 40 - line.size()), ' ') + notes;
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

} // namespace

void ApplyArgument(ModelState &model, std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos)
        throw UsageError("'" + Shown(argument) + "' is not NAME=VALUE");
    const std::string_view name = argument.substr(0, equals);
    for (const ModelField &field : ModelFields()) {
        if (field.input && field.name == name) {
            ApplyValue(model, field, argument.substr(equals + 1));
            return;
        }
    }
    throw UsageError("unknown input '" + Shown(name) + "'");
}

std::string Usage()
{
    std::string usage =
        "usage: velmaro-cli [NAME=VALUE ...]\n"
        "\n"
        "Starts from the default watershed, sets each named input, runs every stage\n"
        "(concentration time, rainfall, retention and runoff depth, hydrograph) and prints\n"
        "the whole model state as one JSON object, with \"failures\" listing the stages that\n"
        "failed. Numbers use \".\" as the decimal point.\n"
        "\n"
        "Inputs:\n";
    for (const ModelField &field : ModelFields())
        if (field.input)
            usage += UsageLine(field);
    usage += "\n"
             "Exit status: 0 when the chain ran (stage failures are part of the output),\n"
             "1 when the output could not be written, 2 for a bad argument.\n";
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

int Run(const std::vector<std::string> &arguments, std::string &out, std::string &err)
{
    ModelState model;
    model.SetDefaults();
    for (const std::string &argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            out = Usage();
            return 0;
        }
    }
    try {
        for (const std::string &argument : arguments)
            ApplyArgument(model, argument);
    } catch (const UsageError &error) {
        err = std::string("velmaro-cli: ") + error.what() + "\n";
        return 2;
    }
    out = RenderJson(model, RunGuardedChain(model));
    return 0;
}

} // namespace velmaro::cli
