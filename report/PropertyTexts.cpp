#include "report/PropertyTexts.h"

#include "report/ReportSources.h"
#include "report/Windows1252.h"

#include <algorithm>
#include <array>
#include <utility>

namespace velmaro {

namespace {

// Identifier kFirstPropertyIdentifier + k is entry k.
constexpr std::array kProperties{StudyProperty::Project, StudyProperty::Location,
                                 StudyProperty::Author, StudyProperty::Date, StudyProperty::Notes};

const QString kLineToWriteOn = QStringLiteral("______________________________________________");

const std::pair<QChar, const char *> kRtfEscapes[] = {
    {u'\\', "\\\\"}, {u'{', "\\{"}, {u'}', "\\}"}, {u'\n', "\\line "}, {u'\t', "\\tab "}, {u'\r', ""}};

bool InCodePage(QChar c)
{
    return c == u'?' || ToWindows1252(QString(c)) != "?";
}

QString RtfText(const QString &text)
{
    QString rtf;
    for (const QChar c : text) {
        const auto escape = std::find_if(std::begin(kRtfEscapes), std::end(kRtfEscapes),
                                         [c](const auto &entry) { return entry.first == c; });
        if (escape != std::end(kRtfEscapes))
            rtf += QString::fromLatin1(escape->second);
        else if (InCodePage(c))
            rtf += c;
        else // RTF's Unicode escape takes a signed 16-bit number, then the one byte a reader without it shows
            rtf += QStringLiteral("\\u%1?").arg(static_cast<short>(c.unicode()));
    }
    return rtf;
}

} // namespace

std::optional<QByteArray> PropertyText(int identifier, const ReportSources &sources)
{
    const int entry = identifier - kFirstPropertyIdentifier;
    if (entry < 0 || entry >= static_cast<int>(kProperties.size()))
        return std::nullopt;
    const QString text = sources.Property(kProperties[static_cast<std::size_t>(entry)]);
    return ToWindows1252(text.isEmpty() ? kLineToWriteOn : RtfText(text));
}

} // namespace velmaro
