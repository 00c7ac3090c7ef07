#include "text/Windows1252Text.h"

#include <array>

namespace velmaro {
namespace {

// 0x80-0x9F are where Windows-1252 departs from Latin-1; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string &out, char16_t unit)
{
    if (unit < 0x80) {
        out += static_cast<char>(unit);
    } else if (unit < 0x800) {
        out += static_cast<char>(0xC0 | (unit >> 6));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (unit >> 12));
        out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (unit & 0x3F));
    }
}

// The length of the UTF-8 sequence starting at bytes[i], or 0 where none starts.
std::size_t SequenceLength(std::string_view bytes, std::size_t i)
{
    const auto byte = [&bytes](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // overlong
        high = lead == 0xED ? 0x9F : 0xBF; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;  // overlong
        high = lead == 0xF4 ? 0x8F : 0xBF; // past U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = i + 2; k < i + length; ++k)
        if (byte(k) < 0x80 || byte(k) > 0xBF)
            return 0;
    return length;
}

} // namespace

char16_t Windows1252Unit(unsigned char byte)
{
    if (byte < 0x80 || byte > 0x9F)
        return byte;
    const char16_t mapped = kHighControls[byte - 0x80u];
    return mapped ? mapped : char16_t(byte);
}

std::optional<unsigned char> Windows1252Byte(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<unsigned char>(unit);
    for (unsigned byte = 0x80; byte <= 0x9F; ++byte)
        if (Windows1252Unit(static_cast<unsigned char>(byte)) == unit)
            return static_cast<unsigned char>(byte);
    return std::nullopt;
}

bool IsUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = SequenceLength(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes)
        AppendUtf8(text, Windows1252Unit(static_cast<unsigned char>(byte)));
    return text;
}

} // namespace velmaro
