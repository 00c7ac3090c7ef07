// Any text as a pasted or imported rainfall series: the first byte chooses the step the values
// start at, the second the choices a user may pick in the import preview, the rest is the text,
// read with the guessed choices and with the picked ones. What is read keeps the reader's
// promises.

#include "fuzz/Expect.h"
#include "rainfall/SeriesReading.h"
#include "rainfall/SeriesText.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace {

using velmaro::fuzz::Expect;
using velmaro::rainfall::kMaxSteps;

// Steps 1 to 100, or 0 for none.
void CheckStep(const velmaro::rainfall::SeriesError &error)
{
    Expect(error.Step() >= 0 && error.Step() <= kMaxSteps);
}

// Choices the guess may never make: any separator, decimal mark, skip, columns and units.
void ReadWithPickedChoices(std::string_view text, std::uint8_t pick, int room)
{
    using namespace velmaro::rainfall;
    const SeriesSource source(text);
    ReadingOptions options = GuessOptions(source, SeriesKind::Partial);
    options.separator = static_cast<Separator>(pick % 5);
    options.decimal = (pick & 8) ? DecimalMark::Comma : DecimalMark::Point;
    options.skipLines = pick % 4;
    options.timeColumn = ((pick >> 4) & 3) - 1;
    options.heightColumn = (pick >> 6) & 3;
    options.timeUnit = static_cast<TimeUnit>(pick % 3);
    options.kind = (pick & 4) ? SeriesKind::Cumulative : SeriesKind::Partial;
    static_cast<void>(ColumnNames(source, options));
    const SeriesReading reading = ReadSeries(source, options, room);
    Expect(static_cast<int>(reading.rows.size()) <= room);
    for (std::size_t i = 1; i < reading.rows.size(); ++i)
        Expect(reading.rows[i].line > reading.rows[i - 1].line);
    for (const SeriesProblem &problem : reading.problems)
        Expect(problem.line >= 1 && problem.line <= source.LineCount() && problem.step >= 0 && problem.step <= room + 1);
    Expect(!reading.stepMinutes || *reading.stepMinutes > 0);
    Expect(HeightsAs(reading, options.kind, SeriesKind::Cumulative).size() == reading.rows.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int firstStep = 1 + data[0] % kMaxSteps;
    const std::string_view text(reinterpret_cast<const char *>(data + 2), size - 2);
    ReadWithPickedChoices(text, data[1], kMaxSteps - firstStep + 1);
    std::vector<velmaro::rainfall::HeightLine> read;
    try {
        read = velmaro::rainfall::ReadSeriesText(text, firstStep);
    } catch (const velmaro::rainfall::SeriesError &error) {
        CheckStep(error);
        return 0;
    }
    Expect(firstStep + static_cast<int>(read.size()) - 1 <= kMaxSteps);
    std::vector<double> heights;
    std::vector<int> lines;
    for (const velmaro::rainfall::HeightLine &h : read) {
        Expect(lines.empty() || h.line > lines.back());
        heights.push_back(h.height);
        lines.push_back(h.line);
    }
    for (const auto kind : {velmaro::rainfall::SeriesKind::Partial,
                            velmaro::rainfall::SeriesKind::Cumulative}) {
        try {
            velmaro::rainfall::CheckHeights(heights, kind, lines);
        } catch (const velmaro::rainfall::SeriesError &error) {
            CheckStep(error);
        }
    }
    double value = 0;
    velmaro::rainfall::ReadHeightText(text, value);
    return 0;
}
