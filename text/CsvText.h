#pragma once

// Writing comma-separated values, shared by the headless runner's files and the window's saved
// tables so both quote and end records alike: a field is quoted only when it holds the
// separator, a quote or a line break, its quotes doubled; numbers are the shortest text that
// reads back; records end with CRLF. The caller owns the text and separates fields with ',' (or
// ';', as spreadsheets write where the decimal mark is a comma).

#include <string>
#include <string_view>

namespace velmaro {

void AppendCsvField(std::string &out, std::string_view text, char separator = ',');
// RoundTripText's form, "." whatever the locale.
void AppendCsvNumber(std::string &out, double value);
void EndCsvRecord(std::string &out);

} // namespace velmaro
