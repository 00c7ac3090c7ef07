#pragma once

// Reading a rainfall series out of the text a spreadsheet, a rain-gauge logger or a text editor
// writes: the choices that say how the text is laid out, a guess of each from the text itself,
// and a reading that gives the heights (and times) to take with every problem found, by line
// and column. Plain C++, no Qt: the import preview, a paste and the runner's @FILE read series
// the same way.
//
// How the text is taken:
// - a UTF-8 byte order mark is dropped; text that is not valid UTF-8 is read as Windows-1252;
//   lines end with LF or CRLF;
// - fields are split as RFC 4180 quotes them (a quote pair inside quotes is one quote); a
//   field's quotes close on its own line. With blanks as the separator a date and its clock time
//   stay one field;
// - times are hours, minutes, or dates with a time of day: "2024-05-01 13:00" (also with "T",
//   "/" or "." between the date's parts, seconds optional) or "01/05/2024 13:00" (day first, as
//   "dd/mm/yyyy", "dd.mm.yyyy" and "dd-mm-yyyy" write it; a date alone is its midnight). Times
//   are read to the second;
// - each taken line is one step; the times must step evenly, steps within 1 % of each other
//   counting as even (hours written with three decimals), and the step found is rounded to the
//   second.

#include "rainfall/SeriesText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::rainfall {

enum class Separator { None, Tab, Semicolon, Comma, Spaces };
enum class DecimalMark { Point, Comma };
enum class TimeUnit { Hours, Minutes, DateTime };

struct ReadingOptions {
    Separator separator = Separator::None;
    DecimalMark decimal = DecimalMark::Point;
    int skipLines = 0;    // lines at the top that are not values (a header, notes)
    int heightColumn = 0; // counted from 0
    int timeColumn = -1;  // counted from 0; -1: the text has no times
    TimeUnit timeUnit = TimeUnit::Hours;
    SeriesKind kind = SeriesKind::Partial; // of the heights in the text
};

// The text of a series file or paste, as UTF-8 lines.
class SeriesSource {
public:
    explicit SeriesSource(std::string_view bytes);

    int LineCount() const { return static_cast<int>(lines_.size()); }
    // Line `index` (counted from 0) without its line end.
    std::string_view Line(int index) const;
    bool ReadAsWindows1252() const { return windows1252_; }

private:
    std::string text_;
    std::vector<std::pair<std::size_t, std::size_t>> lines_; // offset and length in text_
    bool windows1252_ = false;
};

// The fields of one line: unquoted, blanks around them trimmed.
std::vector<std::string> SplitFields(std::string_view line, Separator separator);

// Each choice guessed from the text, as the user would set it:
// - the separator is the first of tab, ";", "," and blanks that splits the lines after a
//   header into the same number of fields, at least two: every line for
//   a comma or blanks, half of them for a tab or ";". A comma that stands in every line the same
//   number of times is thus a separator, not a decimal mark;
// - the decimal mark is a comma when some field reads as a number with one (with commas as the
//   separator, a quoted field);
// - up to two lines at the top are skipped as a header when no field of theirs starts like a
//   value and one holds a word, blank lines above them too;
// - the time column is a column of dates, else a column of numbers the header names as a time,
//   else, of two columns of numbers or more, the first when it rises line by line (a column is
//   of numbers or dates when at least half its values read as such). It holds
//   minutes when its header says "min", hours otherwise, a bare number column included;
// - the height column is a column of numbers the header names as a height, else the first
//   column of numbers after the time column, else the last one;
// - the heights are cumulative or partial when the header says so, else of kindInUse.
ReadingOptions GuessOptions(const SeriesSource &source, SeriesKind kindInUse);

// One column of numbers from the first line on: a paste taken at once, without the preview.
// guess is GuessOptions(source, ...), which the caller keeps to read the paste with.
bool IsPlainColumn(const SeriesSource &source, const ReadingOptions &guess);

// The names of the columns from the header the options skip ("" where it has none), and at
// least as many as the widest line read has fields.
std::vector<std::string> ColumnNames(const SeriesSource &source, const ReadingOptions &options);

struct SeriesProblem {
    int line;   // counted from 1
    int column; // counted from 1; 0: the line as a whole
    std::string message;
    int step; // the step of the text it concerns, counted from 1
};

struct SeriesRow {
    int line; // counted from 1
    std::string timeText;
    double height; // in the text's kind
};

struct SeriesReading {
    std::vector<SeriesRow> rows; // the lines that read, in order
    std::vector<SeriesProblem> problems;
    std::optional<double> stepMinutes; // when the times step evenly
};

// Reads the lines past the skipped ones, blank lines at the end left out, into at most `room`
// steps; a line past them is a problem and ends the reading. The step is found over the lines
// read when they all read.
SeriesReading ReadSeries(const SeriesSource &source, const ReadingOptions &options, int room = kMaxSteps);

// The heights read, as the kind of the store they go to: a cumulative text taken as partial
// heights gives each step's rise, a partial text taken as cumulative its running sums.
std::vector<double> HeightsAs(const SeriesReading &reading, SeriesKind textKind, SeriesKind storeKind);

// The rainfall height unit ("mm", "cm", "m" or "in") that the height column's name gives in
// brackets or parentheses, as an export writes it ("Partial rainfall height [in]", "P (mm)");
// none when it gives none of them.
std::optional<std::string> HeightUnitNamed(const SeriesSource &source, const ReadingOptions &options);
// How many millimetres one of a rainfall height unit holds ("in": 25.4); none for a unit that is
// not one.
std::optional<double> MillimetresPer(std::string_view unit);
// What a height in textUnit, the unit the height column's name gives, is multiplied by to be in
// storeUnit; 1 when the name gives none or storeUnit is not a rainfall height unit, as the
// heights are then taken as they stand.
double HeightFactor(const std::optional<std::string> &textUnit, std::string_view storeUnit);
// The heights read as HeightsAs gives them, in storeUnit by HeightFactor.
std::vector<double> HeightsTaken(const SeriesReading &reading, SeriesKind textKind, SeriesKind storeKind,
                                 const std::optional<std::string> &textUnit, std::string_view storeUnit);

// Whether a file's step is the series' time step, by the rule that makes steps even.
bool SameStep(double fileMinutes, double timeStepMinutes);
// "the file steps every 60 min, the time step is 15 min"
std::string StepMismatch(double fileMinutes, double timeStepMinutes);
// "60 min"
std::string StepText(double minutes);

} // namespace velmaro::rainfall
