#include "report/PropertyTexts.h"

#include "text/Windows1252Text.h"

#include <algorithm>
#include <utility>

namespace velmaro {

namespace {

const QString kLineToWriteOn = QStringLiteral("______________________________________________");

const std::pair<QChar, const char *> kRtfEscapes[] = {
    {u'\\', "\\\\"}, {u'{', "\\{"}, {u'}', "\\}"}, {u'\n', "\\line "}, {u'\t', "\\tab "}, {u'\r', ""}};

QString RtfText(const QString &text)
{
    QString rtf;
    for (const QChar c : text) {
        const auto escape = std::find_if(std::begin(kRtfEscapes), std::end(kRtfEscapes),
                                         [c](const auto &entry) { return entry.first == c; });
        if (escape != std::end(kRtfEscapes))
            rtf += QString::fromLatin1(escape->second);
        else if (Windows1252Byte(c.unicode()))
            rtf += c;
        else // RTF's Unicode escape takes a signed 16-bit number, then the one byte a reader without it shows
            rtf += QStringLiteral("\\u%1?").arg(static_cast<short>(c.unicode()));
    }
    return rtf;
}

} // namespace

QString PropertyText(const QString &text)
{
    return text.isEmpty() ? kLineToWriteOn : RtfText(text);
}

} // namespace velmaro
