#pragma once

// Dates and times of day as spreadsheets and rain-gauge loggers write them in a column of times.
// Plain C++, no Qt.

#include <optional>
#include <string_view>

namespace velmaro::rainfall {

// "yyyy-mm-dd" or "dd/mm/yyyy" (any of "-", "/", "." between the parts, the same twice), alone
// or followed by " " or "T" and "hh:mm" or "hh:mm:ss"; the minutes since 1970-01-01 00:00.
std::optional<double> ReadDateTime(std::string_view text);
// A date with no time of day.
bool IsDateAlone(std::string_view text);
// "hh:mm" or "hh:mm:ss" alone.
bool IsClock(std::string_view text);

} // namespace velmaro::rainfall
