#include "rainfall/SeriesReading.h"

#include "rainfall/DateTimeText.h"
#include "text/InputUnits.h"
#include "text/MachineText.h"
#include "text/UnitModel.h"
#include "text/Windows1252Text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <span>

namespace velmaro::rainfall {

namespace {

// The lines the guess looks at: enough to see a header and the columns, few enough that a file
// of a hundred thousand lines is guessed at once.
constexpr int kGuessLines = 100;
constexpr std::size_t kMaxHeaderLines = 2;
constexpr std::size_t kShownFieldLength = 40;
// Steps within this share of each other are one step: hours written with three decimals put
// ten-minute steps a few seconds apart.
constexpr double kStepTolerance = 0.01;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A line with nothing but blanks, separators and quotes: a spreadsheet's empty row.
bool IsBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t\r,;\"") == std::string_view::npos;
}

bool IsSeparator(char c, Separator separator)
{
    switch (separator) {
    case Separator::Tab:
        return c == '\t';
    case Separator::Semicolon:
        return c == ';';
    case Separator::Comma:
        return c == ',';
    case Separator::Spaces:
        return c == ' ' || c == '\t';
    case Separator::None:
        break;
    }
    return false;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<double> ReadValue(std::string_view field, DecimalMark decimal)
{
    return ReadPlainNumberOrTiny(field, decimal == DecimalMark::Comma);
}

std::optional<double> ReadTime(std::string_view field, TimeUnit unit, DecimalMark decimal)
{
    if (unit == TimeUnit::DateTime)
        return ReadDateTime(field);
    const std::optional<double> value = ReadValue(field, decimal);
    if (!value || !std::isfinite(*value * 60))
        return std::nullopt;
    return unit == TimeUnit::Hours ? *value * 60 : *value;
}

// A digit, a sign or a decimal mark first: a value, however mistyped ("1e999", "0x10", "-nan").
// NaN and infinity spelled out are values too, never taken as names of columns.
bool LooksLikeAValue(std::string_view field)
{
    if (field.empty())
        return false;
    const char first = field.front();
    if (IsDigit(first) || first == '+' || first == '-' || first == '.' || first == ',')
        return true;
    double value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && end == field.data() + field.size();
}

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

// Two letters in a row; a byte of a UTF-8 sequence counts as a letter ("Höhe", "°C").
bool HoldsAWord(std::string_view field)
{
    return std::adjacent_find(field.begin(), field.end(),
                              [](char a, char b) { return IsLetter(a) && IsLetter(b); }) != field.end();
}

// A header names columns: no field of it looks like a value, and one holds a word.
bool IsHeader(const std::vector<std::string> &fields)
{
    return std::none_of(fields.begin(), fields.end(), [](const std::string &f) { return LooksLikeAValue(f); }) &&
           std::any_of(fields.begin(), fields.end(), [](const std::string &f) { return HoldsAWord(f); });
}

// The words of a column's name, in lower case ("Time [min]" -> "time", "min").
std::vector<std::string> Words(std::string_view name)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : name) {
        if (IsLetter(c) || IsDigit(c)) {
            word += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

using WordList = std::span<const std::string_view>;

bool Names(std::string_view name, WordList list)
{
    const std::vector<std::string> words = Words(name);
    return std::any_of(words.begin(), words.end(), [&list](const std::string &word) {
        return std::find(list.begin(), list.end(), word) != list.end();
    });
}

// The words that name a column in the headers users' spreadsheets and loggers write.
constexpr std::string_view kTimeWords[]{"time", "t", "h", "hour", "hours", "hr", "hrs", "min", "mins", "minute",
                              "minutes", "date", "datetime", "day", "zeit", "datum", "uhrzeit",
                              "stunde", "stunden", "minuten", "hora", "horas", "tiempo", "fecha",
                              "minutos", "heure", "temps"};
constexpr std::string_view kMinuteWords[]{"min", "mins", "minute", "minutes", "minuten", "minutos", "minuto"};
constexpr std::string_view kHeightWords[]{"mm", "cm", "in", "inch", "inches", "rain", "rainfall", "precip",
                                "precipitation", "height", "depth", "p", "lluvia", "altura",
                                "niederschlag", "regen", "hoehe", "h\xC3\xB6he", "pluie", "hauteur",
                                "cumulative", "cummulative", "partial"};
constexpr std::string_view kCumulativeWords[]{"cumulative", "cummulative", "cum", "accumulated", "accum",
                                    "acumulada", "acumulado", "kumuliert", "summe", "total", "cumul"};
constexpr std::string_view kPartialWords[]{"partial", "parcial", "incremental", "increment", "interval"};

enum class ColumnKind { Empty, Number, DateTime, Text };

// What a column holds over the lines the guess looks at: numbers or dates in at least half of
// the lines that have a value there, so that a mistyped value is named by the reading rather
// than turning the column into text.
std::vector<ColumnKind> ColumnKinds(const std::vector<std::vector<std::string>> &rows, DecimalMark decimal)
{
    std::size_t width = 0;
    for (const auto &fields : rows)
        width = std::max(width, fields.size());
    std::vector<ColumnKind> kinds(width, ColumnKind::Empty);
    for (std::size_t c = 0; c < width; ++c) {
        int numbers = 0;
        int dates = 0;
        int values = 0;
        for (const auto &fields : rows) {
            if (c >= fields.size() || fields[c].empty())
                continue;
            ++values;
            numbers += ReadValue(fields[c], decimal).has_value();
            dates += ReadDateTime(fields[c]).has_value();
        }
        if (values > 0)
            kinds[c] = 2 * numbers >= values ? ColumnKind::Number
                       : 2 * dates >= values ? ColumnKind::DateTime
                                             : ColumnKind::Text;
    }
    return kinds;
}

bool Rises(const std::vector<std::vector<std::string>> &rows, std::size_t column, DecimalMark decimal)
{
    std::optional<double> last;
    for (const auto &fields : rows) {
        if (column >= fields.size())
            return false;
        const std::optional<double> value = ReadValue(fields[column], decimal);
        if (!value || (last && *value <= *last))
            return false;
        last = value;
    }
    return true;
}

// The indexes of the first lines that are not blank, up to kGuessLines of them, from `from` on.
std::vector<int> SampleLines(const SeriesSource &source, int from)
{
    std::vector<int> sample;
    for (int i = std::max(from, 0); i < source.LineCount() && static_cast<int>(sample.size()) < kGuessLines; ++i)
        if (!IsBlankLine(source.Line(i)))
            sample.push_back(i);
    return sample;
}

// The lines after a header split into the same number of fields, two or more: every
// one of them for a comma or blanks, which also stand inside values and names; at least half of
// them for a tab or ";", so that a line missing a field is named by the reading.
bool SplitsEvenly(const SeriesSource &source, const std::vector<int> &sample, Separator separator)
{
    const auto holdsIt = [&source, separator](int line) {
        const std::string_view text = Trim(source.Line(line));
        return std::any_of(text.begin(), text.end(), [separator](char c) { return IsSeparator(c, separator); });
    };
    if (std::none_of(sample.begin(), sample.end(), holdsIt))
        return false;
    std::size_t from = 0;
    while (from < sample.size() && from < kMaxHeaderLines && IsHeader(SplitFields(source.Line(sample[from]), separator)))
        ++from;
    std::vector<std::size_t> counts;
    for (std::size_t i = from; i < sample.size(); ++i)
        counts.push_back(SplitFields(source.Line(sample[i]), separator).size());
    if (counts.empty())
        return false;
    std::size_t mode = 0;
    std::ptrdiff_t held = 0;
    for (const std::size_t count : counts) {
        const std::ptrdiff_t n = std::count(counts.begin(), counts.end(), count);
        if (n > held || (n == held && count > mode)) {
            mode = count;
            held = n;
        }
    }
    const bool everyLine = separator == Separator::Comma || separator == Separator::Spaces;
    const auto needed = static_cast<std::ptrdiff_t>(everyLine ? counts.size() : (counts.size() + 1) / 2);
    return mode >= 2 && held >= needed;
}

Separator GuessSeparator(const SeriesSource &source, const std::vector<int> &sample)
{
    for (const Separator separator : {Separator::Tab, Separator::Semicolon, Separator::Comma, Separator::Spaces})
        if (SplitsEvenly(source, sample, separator))
            return separator;
    return Separator::None;
}

// With commas as the separator only a quoted field can hold a decimal comma.
DecimalMark GuessDecimal(const SeriesSource &source, const std::vector<int> &sample, Separator separator)
{
    for (const int line : sample) {
        if (source.Line(line).find(',') == std::string_view::npos)
            continue;
        for (const std::string &field : SplitFields(source.Line(line), separator))
            if (field.find(',') != std::string::npos && ReadValue(field, DecimalMark::Comma))
                return DecimalMark::Comma;
    }
    return DecimalMark::Point;
}

int GuessSkipLines(const SeriesSource &source, Separator separator)
{
    int skip = 0;
    while (skip < source.LineCount() && IsBlankLine(source.Line(skip)))
        ++skip;
    for (std::size_t header = 0; header < kMaxHeaderLines && skip < source.LineCount(); ++header) {
        if (!IsHeader(SplitFields(source.Line(skip), separator)))
            break;
        ++skip;
        while (skip < source.LineCount() && IsBlankLine(source.Line(skip)))
            ++skip;
    }
    return skip;
}

int GuessTimeColumn(const std::vector<ColumnKind> &kinds, const std::vector<std::string> &names,
                    const std::vector<std::vector<std::string>> &rows, DecimalMark decimal)
{
    const auto dates = std::find(kinds.begin(), kinds.end(), ColumnKind::DateTime);
    if (dates != kinds.end())
        return static_cast<int>(dates - kinds.begin());
    for (std::size_t c = 0; c < kinds.size(); ++c)
        if (kinds[c] == ColumnKind::Number && Names(names[c], kTimeWords) && !Names(names[c], kHeightWords))
            return static_cast<int>(c);
    if (std::count(kinds.begin(), kinds.end(), ColumnKind::Number) < 2)
        return -1;
    const auto first = static_cast<std::size_t>(std::find(kinds.begin(), kinds.end(), ColumnKind::Number) - kinds.begin());
    return Rises(rows, first, decimal) ? static_cast<int>(first) : -1;
}

int GuessHeightColumn(const std::vector<ColumnKind> &kinds, const std::vector<std::string> &names, int timeColumn)
{
    const auto number = [&](std::size_t c) {
        return kinds[c] == ColumnKind::Number && static_cast<int>(c) != timeColumn;
    };
    for (std::size_t c = 0; c < kinds.size(); ++c)
        if (number(c) && Names(names[c], kHeightWords))
            return static_cast<int>(c);
    for (std::size_t c = static_cast<std::size_t>(timeColumn + 1); timeColumn >= 0 && c < kinds.size(); ++c)
        if (number(c))
            return static_cast<int>(c);
    for (std::size_t c = kinds.size(); c-- > 0;)
        if (number(c))
            return static_cast<int>(c);
    return timeColumn == 0 && kinds.size() > 1 ? 1 : 0;
}

std::string Shown(std::string_view text)
{
    std::string shown;
    for (const char c : text.substr(0, kShownFieldLength)) {
        if (c == '\t') {
            shown += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[(c >> 4) & 0xF];
            shown += kHex[c & 0xF];
        } else {
            shown += c;
        }
    }
    if (text.size() > kShownFieldLength)
        shown += "...";
    return shown;
}

std::string Where(int line, int column)
{
    std::string where = "Line " + std::to_string(line);
    if (column > 0)
        where += ", column " + std::to_string(column);
    return where;
}

std::string TooManyValues(int line, int room)
{
    if (room >= kMaxSteps)
        return Where(line, 0) + ": there are more than 100 values; a series has at most 100 steps.";
    return Where(line, 0) + ": from step " + std::to_string(kMaxSteps - room + 1) + " on there is room for " +
           std::to_string(room) + " values; a series has at most 100 steps.";
}

class Reader {
public:
    Reader(const SeriesSource &source, const ReadingOptions &options) : source_(source), options_(options) {}

    // One line's height and time, or its problems.
    void ReadLine(int index, int step, SeriesReading &reading)
    {
        const int line = index + 1;
        const std::string_view text = source_.Line(index);
        if (IsBlankLine(text)) {
            reading.problems.push_back({line, 0, Where(line, 0) + " is empty: every step needs a height.", step});
            return;
        }
        const std::vector<std::string> fields = SplitFields(text, options_.separator);
        const std::size_t problems = reading.problems.size();
        const std::string *heightText = Field(fields, options_.heightColumn, line, text, reading);
        std::optional<double> height;
        if (heightText) {
            height = ReadValue(*heightText, options_.decimal);
            if (!height)
                Problem(reading, line, options_.heightColumn, "'" + Shown(*heightText) + "' is not a number.", step);
            else if (*height < 0)
                Problem(reading, line, options_.heightColumn, "a rainfall height cannot be negative.", step);
            else if (options_.kind == SeriesKind::Cumulative && last_ && *height < last_->height)
                Problem(reading, line, options_.heightColumn,
                        "the cumulative height falls below that of line " + std::to_string(last_->line) + ".", step);
        }
        std::optional<double> time;
        const std::string *timeText = nullptr;
        if (options_.timeColumn >= 0) {
            timeText = Field(fields, options_.timeColumn, line, text, reading);
            if (timeText)
                time = ReadTime(*timeText, options_.timeUnit, options_.decimal);
            if (timeText && !time)
                Problem(reading, line, options_.timeColumn,
                        "'" + Shown(*timeText) + "' is not " +
                            (options_.timeUnit == TimeUnit::DateTime ? "a date and time." : "a time."),
                        step);
        }
        for (std::size_t p = problems; p < reading.problems.size(); ++p)
            reading.problems[p].step = step;
        if (reading.problems.size() != problems)
            return;
        reading.rows.push_back({line, timeText ? *timeText : std::string(), *height});
        last_ = reading.rows.back();
        if (time)
            times_.push_back(*time);
    }

    // The step of the times: the first line where it changes is a problem.
    void CheckSteps(SeriesReading &reading) const
    {
        if (options_.timeColumn < 0 || times_.size() != reading.rows.size() || times_.size() < 2)
            return;
        const double step = times_[1] - times_[0];
        for (std::size_t i = 1; i < times_.size(); ++i) {
            const double here = times_[i] - times_[i - 1];
            const int line = reading.rows[i].line;
            const std::string before = std::to_string(reading.rows[i - 1].line);
            if (here <= 0) {
                Problem(reading, line, options_.timeColumn, "the time does not come after that of line " + before + ".",
                        static_cast<int>(i) + 1);
                return;
            }
            if (!SameStep(here, step)) {
                Problem(reading, line, options_.timeColumn,
                        "the times step every " + StepText(step) + " up to line " + before + ", then " +
                            StepText(here) + ".",
                        static_cast<int>(i) + 1);
                return;
            }
        }
        const double mean = (times_.back() - times_.front()) / static_cast<double>(times_.size() - 1);
        const double toTheSecond = std::round(mean * 60) / 60;
        reading.stepMinutes = toTheSecond > 0 ? toTheSecond : mean;
    }

private:
    const std::string *Field(const std::vector<std::string> &fields, int column, int line, std::string_view text,
                             SeriesReading &reading) const
    {
        if (column >= 0 && static_cast<std::size_t>(column) < fields.size())
            return &fields[static_cast<std::size_t>(column)];
        Problem(reading, line, column, "there is no such column in '" + Shown(text) + "'.", 0);
        return nullptr;
    }

    static void Problem(SeriesReading &reading, int line, int column, const std::string &what, int step)
    {
        reading.problems.push_back({line, column + 1, Where(line, column + 1) + ": " + what, step});
    }

    const SeriesSource &source_;
    const ReadingOptions &options_;
    std::optional<SeriesRow> last_;
    std::vector<double> times_;
};

} // namespace

SeriesSource::SeriesSource(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    windows1252_ = !IsUtf8(bytes);
    text_ = windows1252_ ? Windows1252ToUtf8(bytes) : std::string(bytes);
    std::size_t start = 0;
    while (start < text_.size()) {
        std::size_t end = text_.find('\n', start);
        if (end == std::string::npos)
            end = text_.size();
        std::size_t length = end - start;
        if (length > 0 && text_[start + length - 1] == '\r')
            --length;
        lines_.emplace_back(start, length);
        start = end + 1;
    }
}

std::string_view SeriesSource::Line(int index) const
{
    const auto &[offset, length] = lines_.at(static_cast<std::size_t>(index));
    return std::string_view(text_).substr(offset, length);
}

std::vector<std::string> SplitFields(std::string_view line, Separator separator)
{
    line = Trim(line);
    std::vector<std::string> fields;
    std::string field;
    bool inQuotes = false;
    bool quoted = false;
    const auto finish = [&] {
        fields.emplace_back(Trim(field));
        field.clear();
        quoted = false;
    };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inQuotes) {
            if (c != '"')
                field += c;
            else if (i + 1 < line.size() && line[i + 1] == '"')
                field += line[++i];
            else
                inQuotes = false;
        } else if (c == '"' && Trim(field).empty() && !quoted) {
            inQuotes = quoted = true;
            field.clear();
        } else if (IsSeparator(c, separator)) {
            finish();
            if (separator == Separator::Spaces)
                while (i + 1 < line.size() && IsSeparator(line[i + 1], separator))
                    ++i;
        } else {
            field += c;
        }
    }
    finish();
    if (separator == Separator::Spaces) {
        for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
            if (IsDateAlone(fields[i]) && IsClock(fields[i + 1])) {
                fields[i] += ' ' + fields[i + 1];
                fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            }
        }
    }
    return fields;
}

ReadingOptions GuessOptions(const SeriesSource &source, SeriesKind kindInUse)
{
    ReadingOptions options;
    options.kind = kindInUse;
    const std::vector<int> sample = SampleLines(source, 0);
    options.separator = GuessSeparator(source, sample);
    options.decimal = GuessDecimal(source, sample, options.separator);
    options.skipLines = GuessSkipLines(source, options.separator);

    std::vector<std::vector<std::string>> rows;
    for (const int line : SampleLines(source, options.skipLines))
        rows.push_back(SplitFields(source.Line(line), options.separator));
    const std::vector<ColumnKind> kinds = ColumnKinds(rows, options.decimal);
    std::vector<std::string> names = ColumnNames(source, options);
    names.resize(std::max({names.size(), kinds.size(), std::size_t{1}}));

    options.timeColumn = GuessTimeColumn(kinds, names, rows, options.decimal);
    if (options.timeColumn >= 0) {
        const auto column = static_cast<std::size_t>(options.timeColumn);
        options.timeUnit = kinds[column] == ColumnKind::DateTime ? TimeUnit::DateTime
                           : Names(names[column], kMinuteWords)  ? TimeUnit::Minutes
                                                                 : TimeUnit::Hours;
    }
    options.heightColumn = GuessHeightColumn(kinds, names, options.timeColumn);
    const std::string &heightName = names[static_cast<std::size_t>(options.heightColumn)];
    if (Names(heightName, kCumulativeWords))
        options.kind = SeriesKind::Cumulative;
    else if (Names(heightName, kPartialWords))
        options.kind = SeriesKind::Partial;
    return options;
}

bool IsPlainColumn(const SeriesSource &source, const ReadingOptions &guess)
{
    const std::vector<int> first = SampleLines(source, 0);
    return guess.separator == Separator::None &&
           (first.empty() || ReadValue(Trim(source.Line(first.front())), guess.decimal).has_value());
}

std::vector<std::string> ColumnNames(const SeriesSource &source, const ReadingOptions &options)
{
    std::vector<std::string> names;
    const int header = std::clamp(options.skipLines, 0, source.LineCount());
    for (int i = 0; i < header; ++i) {
        const std::vector<std::string> fields = SplitFields(source.Line(i), options.separator);
        if (IsBlankLine(source.Line(i)))
            continue;
        names.resize(std::max(names.size(), fields.size()));
        for (std::size_t c = 0; c < fields.size(); ++c)
            if (!fields[c].empty())
                names[c] += (names[c].empty() ? "" : " ") + fields[c];
    }
    for (const int line : SampleLines(source, header))
        names.resize(std::max(names.size(), SplitFields(source.Line(line), options.separator).size()));
    return names;
}

SeriesReading ReadSeries(const SeriesSource &source, const ReadingOptions &options, int room)
{
    SeriesReading reading;
    int first = std::clamp(options.skipLines, 0, source.LineCount());
    int last = source.LineCount();
    while (first < last && IsBlankLine(source.Line(first)))
        ++first;
    while (last > first && IsBlankLine(source.Line(last - 1)))
        --last;
    Reader reader(source, options);
    int index = first;
    for (; index < last && index - first < room; ++index)
        reader.ReadLine(index, index - first + 1, reading);
    // The step of the lines that fit is shown even when more follow: a logger's record is cut
    // to the steps wanted by the lines to skip and its end.
    if (reading.problems.empty())
        reader.CheckSteps(reading);
    if (index < last)
        reading.problems.push_back({index + 1, 0, TooManyValues(index + 1, room), room + 1});
    return reading;
}

std::vector<double> HeightsAs(const SeriesReading &reading, SeriesKind textKind, SeriesKind storeKind)
{
    std::vector<double> heights;
    double before = 0;
    for (const SeriesRow &row : reading.rows) {
        if (textKind == storeKind)
            heights.push_back(row.height);
        else if (storeKind == SeriesKind::Partial)
            heights.push_back(row.height - before);
        else
            heights.push_back(before + row.height);
        before = storeKind == SeriesKind::Partial ? row.height : heights.back();
    }
    return heights;
}

std::optional<std::string> HeightUnitNamed(const SeriesSource &source, const ReadingOptions &options)
{
    const std::vector<std::string> names = ColumnNames(source, options);
    const auto column = static_cast<std::size_t>(options.heightColumn);
    if (column >= names.size())
        return std::nullopt;
    const std::string_view name = names[column];
    const std::size_t open = name.find_last_of("[(");
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t close = name.find(name[open] == '[' ? ']' : ')', open);
    if (close == std::string_view::npos)
        return std::nullopt;
    const std::string unit(Trim(name.substr(open + 1, close - open - 1)));
    return MillimetresPer(unit) ? std::optional(unit) : std::nullopt;
}

std::optional<double> MillimetresPer(std::string_view unit)
{
    for (const std::string_view entry : kRainfallHeightUnits) {
        const UnitEntry read = ReadUnitEntry(entry);
        if (read.Name == unit)
            return static_cast<double>(1 / read.Factor);
    }
    return std::nullopt;
}

double HeightFactor(const std::optional<std::string> &textUnit, std::string_view storeUnit)
{
    if (!textUnit)
        return 1;
    const std::optional<double> store = MillimetresPer(storeUnit);
    return store ? *MillimetresPer(*textUnit) / *store : 1;
}

std::vector<double> HeightsTaken(const SeriesReading &reading, SeriesKind textKind, SeriesKind storeKind,
                                 const std::optional<std::string> &textUnit, std::string_view storeUnit)
{
    std::vector<double> heights = HeightsAs(reading, textKind, storeKind);
    const double factor = HeightFactor(textUnit, storeUnit);
    for (double &height : heights)
        height *= factor;
    return heights;
}

bool SameStep(double fileMinutes, double timeStepMinutes)
{
    return std::abs(fileMinutes - timeStepMinutes) <=
           kStepTolerance * std::max(std::abs(fileMinutes), std::abs(timeStepMinutes));
}

std::string StepMismatch(double fileMinutes, double timeStepMinutes)
{
    return "the file steps every " + StepText(fileMinutes) + ", the time step is " + StepText(timeStepMinutes);
}

std::string StepText(double minutes)
{
    return ListingText(minutes) + " min";
}

} // namespace velmaro::rainfall
