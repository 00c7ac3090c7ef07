#include "rainfall/DateTimeText.h"

#include <array>
#include <cctype>
#include <charconv>

namespace velmaro::rainfall {

namespace {

// Reads `count` to `most` digits at text[at], moving at past them.
std::optional<int> ReadDigits(std::string_view text, std::size_t &at, std::size_t count, std::size_t most)
{
    std::size_t end = at;
    while (end < text.size() && end - at < most && std::isdigit(static_cast<unsigned char>(text[end])))
        ++end;
    if (end - at < count)
        return std::nullopt;
    int value = 0;
    std::from_chars(text.data() + at, text.data() + end, value);
    at = end;
    return value;
}

bool ReadChar(std::string_view text, std::size_t &at, std::string_view allowed, char *which = nullptr)
{
    if (at >= text.size() || allowed.find(text[at]) == std::string_view::npos)
        return false;
    if (which)
        *which = text[at];
    ++at;
    return true;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(int year, int month, int day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month)
{
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// "yyyy-mm-dd" or "dd/mm/yyyy" (any of "-", "/", "." between the parts, the same twice) at the
// start of text; the days since 1970-01-01.
std::optional<long long> ReadDate(std::string_view text, std::size_t &at)
{
    const std::size_t start = at;
    const std::optional<int> first = ReadDigits(text, at, 1, 4);
    const bool yearFirst = first && at - start == 4;
    char mark = 0;
    if (!first || !ReadChar(text, at, "-/.", &mark))
        return std::nullopt;
    const std::optional<int> second = ReadDigits(text, at, 1, 2);
    if (!second || !ReadChar(text, at, std::string_view(&mark, 1)))
        return std::nullopt;
    const std::optional<int> third = yearFirst ? ReadDigits(text, at, 1, 2) : ReadDigits(text, at, 4, 4);
    if (!third)
        return std::nullopt;
    const int year = yearFirst ? *first : *third;
    const int month = *second;
    const int day = yearFirst ? *third : *first;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    return DaysFromCivil(year, month, day);
}

// "hh:mm" or "hh:mm:ss"; the minutes since midnight.
std::optional<double> ReadClock(std::string_view text, std::size_t &at)
{
    const std::optional<int> hours = ReadDigits(text, at, 1, 2);
    if (!hours || *hours > 23 || !ReadChar(text, at, ":"))
        return std::nullopt;
    const std::optional<int> minutes = ReadDigits(text, at, 2, 2);
    if (!minutes || *minutes > 59)
        return std::nullopt;
    double seconds = 0;
    if (ReadChar(text, at, ":")) {
        const std::optional<int> s = ReadDigits(text, at, 2, 2);
        if (!s || *s > 59)
            return std::nullopt;
        seconds = *s;
    }
    return *hours * 60.0 + *minutes + seconds / 60;
}

} // namespace

std::optional<double> ReadDateTime(std::string_view text)
{
    std::size_t at = 0;
    const std::optional<long long> days = ReadDate(text, at);
    if (!days)
        return std::nullopt;
    double minutes = static_cast<double>(*days) * 1440;
    if (at < text.size()) {
        if (!ReadChar(text, at, " T"))
            return std::nullopt;
        while (at < text.size() && text[at] == ' ')
            ++at;
        const std::optional<double> clock = ReadClock(text, at);
        if (!clock)
            return std::nullopt;
        minutes += *clock;
    }
    return at == text.size() ? std::optional<double>(minutes) : std::nullopt;
}

bool IsDateAlone(std::string_view text)
{
    std::size_t at = 0;
    return ReadDate(text, at) && at == text.size();
}

bool IsClock(std::string_view text)
{
    std::size_t at = 0;
    return ReadClock(text, at) && at == text.size();
}

} // namespace velmaro::rainfall
