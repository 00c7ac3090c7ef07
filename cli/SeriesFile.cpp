#include "SeriesFile.h"

#include "ModelState.h"
#include "NumberText.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace velmaro::cli {
namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A tab or a semicolon leaves the comma free to be the decimal point.
char SeparatorOf(std::string_view line)
{
    for (const char separator : {'\t', ';', ','}) {
        if (line.find(separator) != std::string_view::npos)
            return separator;
    }
    return '\0';
}

std::optional<double> NumberOf(std::string_view field, bool decimalComma)
{
    std::string text(Trimmed(field));
    if (decimalComma && text.find('.') == std::string::npos) {
        if (const auto comma = text.find(','); comma != std::string::npos)
            text[comma] = '.';
    }
    return ReadPlainNumber(text);
}

// The height a line holds: its only number, or the second of two. Nothing for a line that is
// not one number or two.
std::optional<double> HeightOf(std::string_view line)
{
    const char separator = SeparatorOf(line);
    const bool decimalComma = separator != ',';
    const auto split = separator == '\0' ? std::string_view::npos : line.find(separator);
    if (split == std::string_view::npos)
        return NumberOf(line, decimalComma);
    const std::string_view time = line.substr(0, split);
    const std::string_view height = line.substr(split + 1);
    if (height.find(separator) != std::string_view::npos || !NumberOf(time, decimalComma))
        return std::nullopt;
    return NumberOf(height, decimalComma);
}

std::string LineError(int number, std::string_view line, const char *what)
{
    return "line " + std::to_string(number) + ": '" + std::string(Trimmed(line)) + "' " + what;
}

} // namespace

std::vector<double> ParseSeriesText(std::string_view text)
{
    // A byte order mark would make the first value look like a header and be dropped.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<double> heights;
    int number = 0;
    bool firstLine = true;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        ++number;
        if (Trimmed(line).empty())
            continue;
        const std::optional<double> height = HeightOf(line);
        const bool header = firstLine && !height;
        firstLine = false;
        if (header)
            continue;
        if (!height)
            throw SeriesFileError(LineError(number, line, "is not a number (or two)"));
        if (static_cast<int>(heights.size()) == kSeriesSlots)
            throw SeriesFileError(LineError(number, line, "is beyond the 100 steps a series holds"));
        heights.push_back(*height);
    }
    if (heights.empty())
        throw SeriesFileError("the series holds no value");
    return heights;
}

std::vector<double> ReadSeriesFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path))
        throw SeriesFileError("cannot read '" + path + "'");
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    try {
        return ParseSeriesText(text);
    } catch (const SeriesFileError &error) {
        throw SeriesFileError(path + ", " + error.what());
    }
}

} // namespace velmaro::cli
