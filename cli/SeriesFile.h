#pragma once

// A rainfall series from a file or pasted text: one height per line, or two columns (time,
// height) separated by a tab, a semicolon or a comma, with an optional header line. "." is the
// decimal point; a decimal comma is read in tab- or semicolon-separated lines, where it cannot
// be taken for the separator. Blank lines are skipped.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro::cli {

// Text that is not a series; the message names the line.
class SeriesFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The heights, step 1 first; at most 100 of them.
std::vector<double> ParseSeriesText(std::string_view text);
std::vector<double> ReadSeriesFile(const std::string &path);

} // namespace velmaro::cli
