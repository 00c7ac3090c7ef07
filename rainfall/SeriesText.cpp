#include "rainfall/SeriesText.h"

#include "text/MachineText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>

namespace velmaro::rainfall {

namespace {

// A series of 100 steps is a few kilobytes; anything far larger is not a series file, and
// reading it whole would only stall the caller.
constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr std::size_t kShownLineLength = 60;

std::string_view Trim(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\r' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    std::vector<std::string_view> lines;
    while (true) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            return lines;
        text.remove_prefix(end + 1);
    }
}

// How the columns of a text are separated, and whether a comma may be a decimal comma.
struct Columns {
    char separator = 0; // 0: one value per line
    bool decimalComma = true;
};

bool AnyLineHas(const std::vector<std::string_view> &lines, char c)
{
    return std::any_of(lines.begin(), lines.end(),
                       [c](std::string_view line) { return line.find(c) != std::string_view::npos; });
}

// A field's text without the blanks and the quotes around it.
std::string_view Unquoted(std::string_view field)
{
    field = Trim(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = Trim(field.substr(1, field.size() - 2));
    return field;
}

std::optional<double> ReadNumber(std::string_view field, bool decimalComma)
{
    std::string number(Unquoted(field));
    if (decimalComma && std::count(number.begin(), number.end(), ',') == 1)
        std::replace(number.begin(), number.end(), ',', '.');
    return ReadPlainNumberOrTiny(number);
}

std::vector<std::string_view> SplitFields(std::string_view line, char separator)
{
    std::vector<std::string_view> fields;
    if (separator == 0) {
        fields.push_back(line);
    } else {
        while (true) {
            const std::size_t end = line.find(separator);
            fields.push_back(line.substr(0, end));
            if (end == std::string_view::npos)
                break;
            line.remove_prefix(end + 1);
        }
    }
    // A spreadsheet copy may carry empty cells after the values.
    while (fields.size() > 1 && Trim(fields.back()).empty())
        fields.pop_back();
    return fields;
}

// A digit, a sign or the decimal mark first: a value, however mistyped ("1e999", "0x10", "-nan").
// NaN and infinity spelled out are values too, never taken as names of columns.
bool LooksLikeAValue(std::string_view field, bool decimalComma)
{
    const std::string_view text = Unquoted(field);
    if (text.empty())
        return false;
    const char first = text.front();
    if ((first >= '0' && first <= '9') || first == '+' || first == '-' || first == '.' ||
        (decimalComma && first == ','))
        return true;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// Two letters in a row; a byte of a UTF-8 sequence counts as a letter ("Höhe", "°C").
bool HoldsAWord(std::string_view field)
{
    const auto letter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
    };
    return std::adjacent_find(field.begin(), field.end(),
                              [&letter](char a, char b) { return letter(a) && letter(b); }) != field.end();
}

// A header names columns: no field of it looks like a value, and one holds a word. Anything
// else on the first line is a value line, read and refused as any other.
bool IsHeader(std::string_view line, const Columns &columns)
{
    const auto fields = SplitFields(line, columns.separator);
    const auto looksLikeAValue = [&columns](std::string_view field) {
        return LooksLikeAValue(field, columns.decimalComma);
    };
    return std::none_of(fields.begin(), fields.end(), looksLikeAValue) &&
           std::any_of(fields.begin(), fields.end(), HoldsAWord);
}

// A tab or a ";" anywhere separates columns, and the comma is then a decimal comma. Commas alone
// separate columns where a "." is the decimal point, where a line holds more than one, or where
// the header is split by one; otherwise the text is one value per line with decimal commas.
Columns ChooseColumns(const std::vector<std::string_view> &lines, std::string_view firstLine)
{
    if (AnyLineHas(lines, '\t'))
        return {'\t', true};
    if (AnyLineHas(lines, ';'))
        return {';', true};
    if (!AnyLineHas(lines, ','))
        return {0, false};
    const bool severalCommas = std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
        return std::count(line.begin(), line.end(), ',') > 1;
    });
    const bool commaSplitHeader = firstLine.find(',') != std::string_view::npos && IsHeader(firstLine, {0, true});
    if (AnyLineHas(lines, '.') || severalCommas || commaSplitHeader)
        return {',', false};
    return {0, true};
}

std::string Shown(std::string_view line)
{
    std::string shown;
    for (const char c : line.substr(0, kShownLineLength)) {
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
    if (line.size() > kShownLineLength)
        shown += "...";
    return shown;
}

std::string LineLabel(int line)
{
    return "Line " + std::to_string(line);
}

std::string TooManyValues(int firstStep)
{
    if (firstStep == 1)
        return "There are more than 100 values: a series has at most 100 steps.";
    return "From step " + std::to_string(firstStep) + " on there is room for " +
           std::to_string(kMaxSteps - firstStep + 1) + " values: a series has at most 100 steps.";
}

std::string StepLabel(std::span<const int> lines, int step)
{
    const auto index = static_cast<std::size_t>(step - 1);
    const std::string label = "Step " + std::to_string(step);
    if (index < lines.size() && lines[index] > 0)
        return LineLabel(lines[index]) + " (step " + std::to_string(step) + ")";
    return label;
}

// The file's bytes, read up to one past the limit: a pipe or a device has no size to check
// beforehand, and /dev/zero never ends. The stream turns a read error into its bad state.
std::string ReadWholeFile(const std::string &path)
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
        throw SeriesError(path + ": the file is far too large for a series of 100 steps.");
    return text;
}

} // namespace

std::vector<HeightLine> ReadSeriesText(std::string_view text, int firstStep)
{
    const std::vector<std::string_view> lines = SplitLines(text);
    const auto isBlank = [](std::string_view line) {
        return Trim(line).find_first_not_of(",;") == std::string_view::npos;
    };
    const auto first = std::find_if_not(lines.begin(), lines.end(), isBlank);
    const auto last = std::find_if_not(lines.rbegin(), lines.rend(), isBlank).base();
    if (first >= last)
        return {};
    const Columns columns = ChooseColumns(lines, *first);

    std::vector<HeightLine> heights;
    std::size_t columnCount = 0;
    for (auto it = first; it != last; ++it) {
        const int line = static_cast<int>(it - lines.begin()) + 1;
        if (it == first && IsHeader(*it, columns))
            continue;
        if (firstStep + static_cast<int>(heights.size()) > kMaxSteps)
            throw SeriesError(TooManyValues(firstStep), kMaxSteps);
        if (isBlank(*it))
            throw SeriesError(LineLabel(line) + " is empty: every step needs a height.",
                              firstStep + static_cast<int>(heights.size()));
        const auto fields = SplitFields(*it, columns.separator);
        std::optional<double> height;
        if (fields.size() <= 2 && (columnCount == 0 || fields.size() == columnCount)) {
            height = ReadNumber(fields.back(), columns.decimalComma);
            if (fields.size() == 2 && !ReadNumber(fields.front(), columns.decimalComma))
                height.reset();
        }
        if (!height)
            throw SeriesError(LineLabel(line) + " is not a height, nor a time and a height: '" +
                                  Shown(*it) + "'",
                              firstStep + static_cast<int>(heights.size()));
        columnCount = fields.size();
        heights.push_back({*height, line});
    }
    return heights;
}

bool ReadHeightText(std::string_view text, double &value)
{
    const std::optional<double> number = ReadNumber(text, true);
    if (number)
        value = *number;
    return number.has_value();
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

std::vector<double> ReadSeriesFile(const std::string &path, SeriesKind kind)
{
    const std::string text = ReadWholeFile(path);
    try {
        const std::vector<HeightLine> read = ReadSeriesText(text);
        std::vector<double> heights;
        std::vector<int> lines;
        for (const HeightLine &h : read) {
            heights.push_back(h.height);
            lines.push_back(h.line);
        }
        CheckHeights(heights, kind, lines);
        if (heights.empty())
            throw SeriesError("there is no height in the file.");
        return heights;
    } catch (const SeriesError &error) {
        throw SeriesError(path + ": " + error.what(), error.Step());
    }
}

std::string WriteSeriesCsv(std::span<const double> heights, double timeStepMinutes,
                           std::string_view heightName, std::string_view unitName)
{
    std::string csv = "Time [h],";
    csv += heightName;
    csv += " [";
    csv += unitName;
    csv += "]\n";
    for (std::size_t i = 0; i < heights.size(); ++i) {
        csv += RoundTripText(static_cast<double>(i + 1) * timeStepMinutes / 60);
        csv += ',';
        csv += RoundTripText(heights[i]);
        csv += '\n';
    }
    return csv;
}

} // namespace velmaro::rainfall
