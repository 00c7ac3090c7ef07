// Any text as a pasted or imported rainfall series: the first byte chooses the step the values
// start at, the rest is the text. What is read keeps the reader's promises.

#include "rainfall/SeriesText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using velmaro::rainfall::kMaxSteps;

void Expect(bool promise)
{
    if (!promise)
        std::abort();
}

// Steps 1 to 100, or 0 for none.
void CheckStep(const velmaro::rainfall::SeriesError &error)
{
    Expect(error.Step() >= 0 && error.Step() <= kMaxSteps);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int firstStep = 1 + data[0] % kMaxSteps;
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
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
