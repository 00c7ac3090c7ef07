#include "rainfall/SeriesText.h"

#include "rainfall/SeriesReading.h"
#include "text/CsvText.h"
#include "text/MachineText.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

namespace velmaro::rainfall {

namespace {

// A logger's record of a year at 5-minute steps is a few megabytes; anything far larger is not a
// series file, and reading it whole would only stall the caller.
constexpr std::size_t kMaxFileBytes = 32 << 20;

std::string StepLabel(std::span<const int> lines, int step)
{
    const auto index = static_cast<std::size_t>(step - 1);
    const std::string label = "Step " + std::to_string(step);
    if (index < lines.size() && lines[index] > 0)
        return "Line " + std::to_string(lines[index]) + " (step " + std::to_string(step) + ")";
    return label;
}

} // namespace

std::vector<HeightLine> ReadSeriesText(std::string_view text, int firstStep)
{
    const SeriesSource source(text);
    return ReadSeriesText(source, GuessOptions(source, SeriesKind::Partial), firstStep);
}

std::vector<HeightLine> ReadSeriesText(const SeriesSource &source, const ReadingOptions &guess, int firstStep)
{
    const SeriesReading reading = ReadSeries(source, guess, kMaxSteps - firstStep + 1);
    if (!reading.problems.empty()) {
        const SeriesProblem &first = reading.problems.front();
        throw SeriesError(first.message, std::min(firstStep + first.step - 1, kMaxSteps));
    }
    std::vector<HeightLine> heights;
    for (const SeriesRow &row : reading.rows)
        heights.push_back({row.height, row.line});
    return heights;
}

bool ReadHeightText(std::string_view text, double &value)
{
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    const std::string_view number =
        first == std::string_view::npos ? std::string_view() : text.substr(first, last - first + 1);
    const std::optional<double> read = ReadPlainNumberOrTiny(number, true);
    if (read)
        value = *read;
    return read.has_value();
}

void CheckHeights(std::span<const double> heights, SeriesKind kind, std::span<const int> lines)
{
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const int step = static_cast<int>(i) + 1;
        if (heights[i] < 0)
            throw SeriesError(StepLabel(lines, step) + ": a rainfall height cannot be negative.", step);
        if (kind == SeriesKind::Cumulative && i > 0 && heights[i] < heights[i - 1])
            throw SeriesError(StepLabel(lines, step) +
                                  ": the cumulative height falls below that of step " +
                                  std::to_string(step - 1) + ".",
                              step);
    }
}

// Read up to one past the limit: a pipe or a device has no size to check beforehand, and
// /dev/zero never ends. The stream turns a read error into its bad state.
std::string ReadSeriesBytes(const std::string &path)
{
    std::error_code noFolder;
    if (std::filesystem::is_directory(path, noFolder))
        throw SeriesError(path + ": is a folder, not a file.");
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw SeriesError(path + ": the file cannot be opened.");
    std::string text;
    std::array<char, 1 << 16> chunk{};
    do {
        file.read(chunk.data(), chunk.size());
        text.append(chunk.data(), static_cast<std::size_t>(file.gcount()));
    } while (file && text.size() <= kMaxFileBytes);
    if (file.bad())
        throw SeriesError(path + ": the file cannot be read.");
    if (text.size() > kMaxFileBytes)
        throw SeriesError(path + ": the file is far too large for a rainfall series.");
    return text;
}

SeriesFile ReadSeriesFile(const std::string &path, SeriesKind kind)
{
    const SeriesSource source(ReadSeriesBytes(path));
    const ReadingOptions options = GuessOptions(source, kind);
    const SeriesReading reading = ReadSeries(source, options);
    if (!reading.problems.empty())
        throw SeriesError(path + ": " + reading.problems.front().message, reading.problems.front().step);
    if (reading.rows.empty())
        throw SeriesError(path + ": there is no height in the file.");
    return {HeightsTaken(reading, options.kind, kind, HeightUnitNamed(source, options), "mm"),
            reading.stepMinutes};
}

std::string WriteSeriesCsv(std::span<const double> heights, double timeStepMinutes,
                           std::string_view heightName, std::string_view unitName)
{
    std::string csv;
    AppendCsvField(csv, "Time [h]");
    csv += ',';
    AppendCsvField(csv, std::string(heightName) + " [" + std::string(unitName) + "]");
    EndCsvRecord(csv);
    for (std::size_t i = 0; i < heights.size(); ++i) {
        AppendCsvNumber(csv, static_cast<double>(i + 1) * timeStepMinutes / 60);
        csv += ',';
        AppendCsvNumber(csv, heights[i]);
        EndCsvRecord(csv);
    }
    return csv;
}

} // namespace velmaro::rainfall
