#pragma once

// The Windows-1252 code page, which text written on Windows in Western Europe and the Americas
// is in when it is not UTF-8: the report template, files of rain gauges and spreadsheets. Plain
// C++, no Qt, so the series reader decodes such files as the report does.

#include <optional>
#include <string>
#include <string_view>

namespace velmaro {

// The UTF-16 unit (a BMP code point) a byte of the code page stands for. The five bytes the
// code page leaves unassigned stand for the C1 control of the same number, as Windows reads them.
char16_t Windows1252Unit(unsigned char byte);
// The byte standing for a UTF-16 unit; nothing for a unit the code page cannot hold.
std::optional<unsigned char> Windows1252Byte(char16_t unit);

// Whether bytes are well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool IsUtf8(std::string_view bytes);

// Windows-1252 bytes as UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);

} // namespace velmaro
