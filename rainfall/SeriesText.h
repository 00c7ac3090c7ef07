#pragma once

// Rainfall series as text: what a user pastes from a spreadsheet or a text editor, or keeps in a
// CSV file, read into heights; and the CSV the series is exported as. Plain C++, no Qt, so the
// dialog, the runner and batch runs read series the same way.

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::rainfall {

inline constexpr int kMaxSteps = 100;

enum class SeriesKind { Partial, Cumulative };

// A series, or the text of one, that cannot be taken. Step() is the series step the message
// concerns (1 to 100), 0 when it concerns none.
class SeriesError : public std::runtime_error {
public:
    explicit SeriesError(const std::string &message, int step = 0)
        : std::runtime_error(message), step_(step)
    {
    }
    int Step() const { return step_; }

private:
    int step_;
};

// One height read from text, with the line of the text it stands on (the first line is 1).
struct HeightLine {
    double height;
    int line;
};

// Reads one height per line, or a time and a height per line separated by a tab, ";" or ",",
// with an optional header line. "." is the decimal point; a decimal comma is taken where the
// comma cannot be a separator. Blank lines before and after the values are ignored. The values
// go to steps firstStep, firstStep + 1, ... Throws SeriesError naming the line and its text for a
// line that is neither, and when the values would go past step 100. Negative heights are
// checked by CheckHeights, over the whole series they end up in.
std::vector<HeightLine> ReadSeriesText(std::string_view text, int firstStep = 1);

// A single number as typed into a cell: "." or a decimal comma, blanks around it.
bool ReadHeightText(std::string_view text, double &value);

// Heights of steps 1, 2, ... must not be negative and, for a cumulative series, must not
// decrease. lines[k - 1] is the text line step k came from (0: not from text); it may be shorter
// than heights. Throws SeriesError naming the step (and line).
void CheckHeights(std::span<const double> heights, SeriesKind kind, std::span<const int> lines = {});

// Reads and checks a series file as a whole: the heights of steps 1, 2, ... Messages start with
// the file's path. Used for the runner's NAME=@FILE.
std::vector<double> ReadSeriesFile(const std::string &path, SeriesKind kind);

// The series as CSV: a header naming the columns and the height's unit, then one line per step
// with its end time in hours and its height, "." as the decimal point.
std::string WriteSeriesCsv(std::span<const double> heights, double timeStepMinutes,
                           std::string_view heightName, std::string_view unitName);

} // namespace velmaro::rainfall
