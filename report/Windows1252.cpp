#include "report/Windows1252.h"

#include "text/Windows1252Text.h"

namespace velmaro {
namespace {

char EncodeChar(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (unsigned byte = 0x80; byte <= 0x9F; ++byte) {
        if (Windows1252Unit(static_cast<unsigned char>(byte)) == unit)
            return static_cast<char>(byte);
    }
    return '?';
}

} // namespace

QChar Windows1252ToChar(unsigned char byte)
{
    return QChar(Windows1252Unit(byte));
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
