#pragma once

// Rainfall series as text: what a user pastes from a spreadsheet or a text editor, or keeps in a
// CSV file, read into heights; and the CSV the series is exported as. Plain C++, no Qt, so the
// dialog, the runner and batch runs read series the same way.

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::rainfall {

class SeriesSource;
struct ReadingOptions;

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

// Reads a pasted text as the import reads a file, every choice guessed (SeriesReading.h): a
// column of heights, or times and heights, with an optional header. The values go to steps
// firstStep, firstStep + 1, ... Throws SeriesError with the first problem of the text, naming its
// line, and when the values would go past step 100. The heights are taken as they stand, of the
// kind of the series they go to.
std::vector<HeightLine> ReadSeriesText(std::string_view text, int firstStep = 1);
// As above, with the text's source and the guess of its choices already made.
std::vector<HeightLine> ReadSeriesText(const SeriesSource &source, const ReadingOptions &guess, int firstStep);

// A single number as typed into a cell: "." or a decimal comma, blanks around it.
bool ReadHeightText(std::string_view text, double &value);

// Heights of steps 1, 2, ... must not be negative and, for a cumulative series, must not
// decrease. lines[k - 1] is the text line step k came from (0: not from text); it may be shorter
// than heights. Throws SeriesError naming the step (and line).
void CheckHeights(std::span<const double> heights, SeriesKind kind, std::span<const int> lines = {});

// A series file's bytes. Throws SeriesError naming the path when it cannot be read or is far
// larger than any file of a series (a logger's whole record is read for the preview).
std::string ReadSeriesBytes(const std::string &path);

// A series file read as a whole with every choice guessed: the heights of steps 1, 2, ... as the
// kind of the store they go to, in mm (converted from the unit the height column's name gives,
// "[in]" say), and the step of the file's times when it has them.
struct SeriesFile {
    std::vector<double> heights;
    std::optional<double> stepMinutes;
};
// Messages start with the file's path and name the first problem. Used for the runner's
// NAME=@FILE and the cases file's.
SeriesFile ReadSeriesFile(const std::string &path, SeriesKind kind);

// The series as CSV, as the import reads it back: a header naming the time and the height with
// their units, then one line per step with its end time in hours and its height at full
// precision, "." as the decimal point, CRLF line ends.
std::string WriteSeriesCsv(std::span<const double> heights, double timeStepMinutes,
                           std::string_view heightName, std::string_view unitName);

} // namespace velmaro::rainfall
