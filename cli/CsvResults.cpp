#include "cli/CsvResults.h"

#include "cli/Csv.h"
#include "engine/ModelState.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace velmaro::cli {
namespace {

using Failures = std::vector<StageFailure>;

// A result is left out when the stage computing it, or one it rests on, did not compute it from
// these inputs, as the window and the report leave it out; step times rest on no stage.
bool Computed(const StageStaleness &staleness, std::optional<Stage> stage)
{
    return !stage || !staleness.Reason(*stage);
}

constexpr std::optional<Stage> kConcentrationTime = Stage::ConcentrationTime;
constexpr std::optional<Stage> kRainfall = Stage::Rainfall;
constexpr std::optional<Stage> kRunoffDepth = Stage::RunoffDepth;
constexpr std::optional<Stage> kHydrograph = Stage::Hydrograph;
constexpr std::optional<Stage> kStepTime = std::nullopt;

double Hours(const ModelState &m, int step)
{
    return step * m.TimeStep / 60;
}

// None when the hydrograph carries no runoff to compare with.
std::optional<double> ContinuityError(const ModelState &m)
{
    return std::isnan(m.ContinuityError) ? std::nullopt : std::optional(m.ContinuityError);
}

struct CaseResult {
    std::string_view name;
    std::optional<Stage> stage;
    std::optional<double> (*value)(const ModelState &);
};

// Named with their units, as the window's grids write their CSV.
const CaseResult kCaseResults[] = {
    {"ConcentrationTime [h]", kConcentrationTime, [](const ModelState &m) { return std::optional(m.ConcentrationTime); }},
    {"PotentialRetention [mm]", kRunoffDepth, [](const ModelState &m) { return std::optional(m.PotentialRetention); }},
    {"InitialAbstraction [mm]", kRunoffDepth, [](const ModelState &m) { return std::optional(m.InitialAbstraction); }},
    {"RunoffDepth [mm]", kRunoffDepth,
     [](const ModelState &m) { return std::optional(m.RunoffDepth[std::clamp(m.StepCount, 1, kSeriesSlots)]); }},
    {"TotalVolume [m³]", kHydrograph, [](const ModelState &m) { return std::optional(m.TotalVolume); }},
    {"SpecificVolume [mm]", kHydrograph, [](const ModelState &m) { return std::optional(m.SpecificVolume); }},
    {"PeakDischarge [m³/s]", kHydrograph, [](const ModelState &m) { return std::optional(m.PeakDischarge); }},
    {"PeakTime [h]", kHydrograph, [](const ModelState &m) { return std::optional(m.PeakTime); }},
    {"HydrographCount", kHydrograph, [](const ModelState &m) { return std::optional<double>(m.HydrographCount); }},
    {"ContinuityError [%]", kHydrograph, ContinuityError},
};

std::string FailureText(const Failures &failures)
{
    std::string text;
    for (const StageFailure &f : failures) {
        if (!text.empty())
            text += "; ";
        text += f.routine + ": " + f.message;
    }
    return text;
}

struct TableColumn {
    std::string_view heading;
    std::optional<Stage> stage;
    double (*value)(const ModelState &, int row);
};

const TableColumn kRainfallTable[] = {
    {"Time [h]", kStepTime, Hours},
    {"RainPartial [mm]", kRainfall, [](const ModelState &m, int k) { return m.RainPartial[k]; }},
    {"RainCumulative [mm]", kRainfall, [](const ModelState &m, int k) { return m.RainCumulative[k]; }},
    {"Hyetograph [mm/h]", kRainfall, [](const ModelState &m, int k) { return m.Hyetograph[k]; }},
    {"RunoffDepth [mm]", kRunoffDepth, [](const ModelState &m, int k) { return m.RunoffDepth[k]; }},
};

const TableColumn kHydrographTable[] = {
    {"Time [h]", kStepTime, Hours},
    {"Hydrograph [m³/s]", kHydrograph, [](const ModelState &m, int j) { return m.Hydrograph[j]; }},
};

template <std::size_t N>
void WriteTable(CsvWriter &csv, const TableColumn (&columns)[N], int rows, const ModelState &m,
                const StageStaleness &staleness)
{
    for (const TableColumn &column : columns)
        csv.Field(column.heading);
    csv.EndRecord();
    std::array<bool, N> failed{};
    for (std::size_t c = 0; c < N; ++c)
        failed[c] = !Computed(staleness, columns[c].stage);
    for (int row = 1; row <= rows; ++row) {
        for (std::size_t c = 0; c < N; ++c) {
            if (failed[c])
                csv.Empty();
            else
                csv.Number(columns[c].value(m, row));
        }
        csv.EndRecord();
    }
}

} // namespace

void WriteCaseResultNames(CsvWriter &csv)
{
    for (const CaseResult &result : kCaseResults)
        csv.Field(result.name);
    csv.Field("failures");
}

void WriteCaseResults(CsvWriter &csv, const ModelState &m, const Failures &failures)
{
    const StageStaleness staleness = StalenessAfter(failures);
    for (const CaseResult &result : kCaseResults) {
        const std::optional<double> value = result.value(m);
        if (value && Computed(staleness, result.stage))
            csv.Number(*value);
        else
            csv.Empty();
    }
    csv.Field(FailureText(failures));
}

void WriteResultTables(std::ostream &out, const ModelState &m, const Failures &failures)
{
    CsvWriter csv(out);
    const StageStaleness staleness = StalenessAfter(failures);
    WriteTable(csv, kRainfallTable, std::clamp(m.StepCount, 0, kSeriesSlots), m, staleness);
    csv.EndRecord();
    WriteTable(csv, kHydrographTable, std::clamp(m.HydrographCount, 0, m.Hydrograph.Size()), m, staleness);
}

} // namespace velmaro::cli
