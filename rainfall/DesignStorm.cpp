#include "rainfall/DesignStorm.h"

#include "rainfall/SeriesText.h"
#include "text/FieldText.h"
#include "text/InputUnits.h"
#include "text/MachineText.h"
#include "text/UnitModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

namespace velmaro::rainfall {

// The distribution table's CSV text, built into the program from data/ at configure time.
std::string_view NrcsDistributionCsv();

namespace {

constexpr double kStormMinutes = 24 * 60;
constexpr std::size_t kNrcsTypes = 4;

constexpr std::array<StormName, 5> kStormNames{{
    {StormType::TypeI, "I", "NRCS 24-hour Type I", "NRCS Type I"},
    {StormType::TypeIA, "IA", "NRCS 24-hour Type IA", "NRCS Type IA"},
    {StormType::TypeII, "II", "NRCS 24-hour Type II", "NRCS Type II"},
    {StormType::TypeIII, "III", "NRCS 24-hour Type III", "NRCS Type III"},
    {StormType::Uniform, "uniform", "Uniform", "Uniform"},
}};

// Columns hours, type_I, type_IA, type_II, type_III after a header line.
struct NrcsTable {
    std::vector<double> hours;
    std::array<std::vector<double>, kNrcsTypes> fractions;
};

double ReadTableNumber(std::string_view field)
{
    if (const std::optional<double> value = ReadPlainNumber(field))
        return *value;
    throw std::logic_error("the NRCS distribution table holds '" + std::string(field) + "'");
}

NrcsTable ReadNrcsTable(std::string_view csv)
{
    NrcsTable table;
    csv.remove_prefix(csv.find('\n') + 1);
    while (!csv.empty()) {
        std::string_view line = csv.substr(0, csv.find('\n'));
        csv.remove_prefix(std::min(csv.size(), line.size() + 1));
        if (line.empty())
            continue;
        std::array<double, kNrcsTypes + 1> row{};
        for (std::size_t column = 0; column < row.size(); ++column) {
            const std::size_t comma = line.find(',');
            row[column] = ReadTableNumber(line.substr(0, comma));
            line.remove_prefix(comma == std::string_view::npos ? line.size() : comma + 1);
        }
        table.hours.push_back(row[0]);
        for (std::size_t type = 0; type < kNrcsTypes; ++type)
            table.fractions[type].push_back(row[type + 1]);
    }
    return table;
}

const NrcsTable &Table()
{
    static const NrcsTable table = ReadNrcsTable(NrcsDistributionCsv());
    return table;
}

std::size_t NrcsColumn(StormType type)
{
    if (type == StormType::Uniform)
        throw std::invalid_argument("the uniform storm has no NRCS table");
    return static_cast<std::size_t>(type);
}

std::string Number(double x)
{
    return ListingText(x);
}

std::string WorkingStep(int minutes)
{
    const int steps = static_cast<int>(kStormMinutes) / minutes;
    return std::to_string(minutes) + " min (" + std::to_string(steps) + (steps == 1 ? " step)" : " steps)");
}

// Whole-minute time steps that cut 24 hours into at most 100 steps, the nearest on each side.
std::string NearestWorkingSteps(double timeStepMinutes)
{
    const int fewestMinutes = static_cast<int>(std::ceil(kStormMinutes / kMaxSteps));
    int below = 0;
    int above = 0;
    for (int minutes = fewestMinutes; minutes <= static_cast<int>(kStormMinutes); ++minutes) {
        if (static_cast<int>(kStormMinutes) % minutes != 0)
            continue;
        if (minutes < timeStepMinutes)
            below = minutes;
        else if (above == 0)
            above = minutes;
    }
    if (below == 0)
        return "The nearest time step that works is " + WorkingStep(above) + ".";
    if (above == 0)
        return "The nearest time step that works is " + WorkingStep(below) + ".";
    return "The nearest time steps that work are " + WorkingStep(below) + " and " +
           WorkingStep(above) + ".";
}

} // namespace

std::span<const StormName> StormNames()
{
    return kStormNames;
}

std::optional<StormType> StormTypeFromKey(std::string_view key)
{
    const auto found = std::find_if(kStormNames.begin(), kStormNames.end(),
                                    [key](const StormName &name) { return name.key == key; });
    return found == kStormNames.end() ? std::nullopt : std::optional(found->type);
}

std::span<const double> NrcsTableHours()
{
    return Table().hours;
}

std::span<const double> NrcsTableFractions(StormType type)
{
    return Table().fractions[NrcsColumn(type)];
}

double NrcsFraction(StormType type, double hours)
{
    const std::vector<double> &times = Table().hours;
    const std::vector<double> &fractions = Table().fractions[NrcsColumn(type)];
    if (hours <= times.front())
        return fractions.front();
    if (hours >= times.back())
        return fractions.back();
    const auto after = static_cast<std::size_t>(std::upper_bound(times.begin(), times.end(), hours) - times.begin());
    const std::size_t before = after - 1;
    const double share = (hours - times[before]) / (times[after] - times[before]);
    return fractions[before] + share * (fractions[after] - fractions[before]);
}

int StormStepCount(double timeStepMinutes)
{
    if (!(timeStepMinutes > 0) || !std::isfinite(timeStepMinutes))
        throw SeriesError("A 24-hour storm needs a time step of more than 0 min.");
    const double steps = kStormMinutes / timeStepMinutes;
    const double whole = std::round(steps);
    const std::string cut = "24 hours at a time step of " + Number(timeStepMinutes) + " min make " +
                            Number(steps) + " steps";
    if (steps > kMaxSteps + 1e-9 * kMaxSteps)
        throw SeriesError(cut + "; a series has at most 100. " + NearestWorkingSteps(timeStepMinutes));
    if (whole < 1 || std::abs(steps - whole) > 1e-9 * whole)
        throw SeriesError(cut + ", not a whole number. " + NearestWorkingSteps(timeStepMinutes));
    return static_cast<int>(whole);
}

Storm MakeStorm(StormType type, double depthMm, double timeStepMinutes, int stepCount)
{
    if (!(depthMm >= 0) || !std::isfinite(depthMm))
        throw SeriesError("The storm depth must be a number of 0 mm or more.");
    const bool uniform = type == StormType::Uniform;
    if (uniform && (stepCount < 1 || stepCount > kMaxSteps))
        throw SeriesError("The uniform storm needs 1 to 100 steps.");
    const int n = uniform ? stepCount : StormStepCount(timeStepMinutes);
    // Each step takes what fell between its start and its end, so the steps add up to the depth.
    const auto fallenBy = [&](int step) {
        if (uniform)
            return depthMm * step / n;
        return depthMm * NrcsFraction(type, step * (kStormMinutes / n) / 60);
    };
    Storm storm;
    for (int step = 1; step <= n; ++step) {
        storm.cumulative.push_back(fallenBy(step));
        storm.partial.push_back(uniform ? depthMm / n : fallenBy(step) - fallenBy(step - 1));
    }
    return storm;
}

bool SameTimeStep(double aMinutes, double bMinutes)
{
    return std::abs(aMinutes - bMinutes) <= 1e-9 * std::max(std::abs(aMinutes), std::abs(bMinutes));
}

bool MadeForAnotherStep(const StormRecipe &recipe, double timeStepMinutes)
{
    return !SameTimeStep(recipe.timeStepMinutes, timeStepMinutes);
}

StormDepth StormDepthIn(double depthMm, std::string_view heightUnit)
{
    if (heightUnit != "in")
        return {depthMm, "mm"};
    static const double inchPerMm = static_cast<double>(ReadUnitEntry(kInchPerMm).Factor);
    return {depthMm * inchPerMm, "in"};
}

std::string StormMadeText(const StormRecipe &recipe, std::string_view heightUnit)
{
    const auto name = std::find_if(kStormNames.begin(), kStormNames.end(),
                                   [&](const StormName &n) { return n.type == recipe.type; });
    const StormDepth depth = StormDepthIn(recipe.depthMm, heightUnit);
    return std::string(name->shortName) + ", " + RenderEditValue(depth.value, kUnitsFieldRendering) + " " +
           std::string(depth.unit) + ", made for " +
           RenderEditValue(recipe.timeStepMinutes, kUnitsFieldRendering) + " min steps";
}

Storm RemakeStorm(const StormRecipe &recipe, int laidStepCount, double timeStepMinutes)
{
    if (recipe.type != StormType::Uniform)
        return MakeStorm(recipe.type, recipe.depthMm, timeStepMinutes, 0);
    const double minutes = laidStepCount * recipe.timeStepMinutes;
    const double steps = minutes / timeStepMinutes;
    const double whole = std::round(steps);
    if (!std::isfinite(steps) || whole < 1 || whole > kMaxSteps || std::abs(steps - whole) > 1e-9 * whole)
        throw SeriesError("The uniform storm lasted " + Number(minutes) + " min, which a time step of " +
                          Number(timeStepMinutes) + " min does not cut into 1 to 100 whole steps.");
    return MakeStorm(StormType::Uniform, recipe.depthMm, timeStepMinutes, static_cast<int>(whole));
}

} // namespace velmaro::rainfall
