#include "cli/Json.h"

#include "cli/Inputs.h"
#include "engine/ModelFields.h"
#include "engine/ModelState.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string_view>
#include <variant>

namespace velmaro::cli {

namespace {

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

// An array of {"<subject>": ..., "message": ...} objects under key.
template <class Item>
void WriteMessages(JsonWriter &json, std::string_view key, const std::vector<Item> &items,
                   std::string_view subject, std::string Item::*subjectText)
{
    json.Key(key);
    json.Raw("[");
    for (std::size_t i = 0; i < items.size(); ++i) {
        json.Raw(i == 0 ? "{\"" : ", {\"");
        json.Raw(subject);
        json.Raw("\": ");
        json.String(items[i].*subjectText);
        json.Raw(", \"message\": ");
        json.String(items[i].message);
        json.Raw("}");
    }
    json.Raw("]");
}

} // namespace

std::string RenderJson(const ModelState &model, const std::vector<StageFailure> &failures,
                       const std::vector<InputWarning> &warnings)
{
    JsonWriter json;
    for (const ModelField &field : ModelFields())
        WriteField(json, model, field);
    WriteMessages(json, "failures", failures, "routine", &StageFailure::routine);
    WriteMessages(json, "warnings", warnings, "input", &InputWarning::input);
    return json.Finish();
}

} // namespace velmaro::cli
