#include "report/Windows1252.h"

#include <array>

namespace velmaro {
namespace {

// 0x80-0x9F are where Windows-1252 departs from Latin-1; 0 marks the five unassigned bytes,
// which are read as the C1 control of the same number, as Windows itself does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool IsHighControl(unsigned char byte) { return byte >= 0x80 && byte <= 0x9F; }

char EncodeChar(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        const char16_t mapped = kHighControls[i] ? kHighControls[i] : char16_t(0x80 + i);
        if (mapped == unit)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QChar Windows1252ToChar(unsigned char byte)
{
    if (!IsHighControl(byte))
        return QChar(byte);
    const char16_t mapped = kHighControls[byte - 0x80u];
    return QChar(mapped ? mapped : char16_t(byte));
}

QString FromWindows1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.append(Windows1252ToChar(static_cast<unsigned char>(byte)));
    return text;
}

QByteArray ToWindows1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        // A surrogate pair is one character beyond the code page: one "?".
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.append(EncodeChar(ch.unicode()));
    }
    return bytes;
}

} // namespace velmaro
