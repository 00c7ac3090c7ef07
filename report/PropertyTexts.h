#pragma once

// The report identifiers that tell about the study, numbered after those of the results: 17 the
// project, 18 the location, 19 who prepared it, 20 the date, 21 the notes.

#include <QByteArray>

#include <optional>

namespace velmaro {

class ReportSources;

inline constexpr int kFirstPropertyIdentifier = 17;

// The Windows-1252 RTF text of the identifier; nothing for another number. The user's text is
// escaped as RTF needs (braces, backslashes, characters outside the code page; a line break stays
// within its paragraph); an
// empty one keeps the line that the report is written on by hand.
std::optional<QByteArray> PropertyText(int identifier, const ReportSources &sources);

} // namespace velmaro
