#pragma once

// What the study says about itself, as the report prints it.

#include <QString>

namespace velmaro {

// The user's text escaped as RTF needs (braces, backslashes, characters outside the code page; a
// line break stays within its paragraph); an empty one keeps the line that the report is written
// on by hand.
QString PropertyText(const QString &text);

} // namespace velmaro
