#include "report/Windows1252.h"

#include "text/Windows1252Text.h"

namespace velmaro {

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
        bytes.append(static_cast<char>(Windows1252Byte(ch.unicode()).value_or('?')));
    }
    return bytes;
}

} // namespace velmaro
