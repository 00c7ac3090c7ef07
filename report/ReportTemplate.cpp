#include "report/ReportTemplate.h"

#include "engine/Arithmetic.h"
#include "report/Windows1252.h"
#include "text/FieldText.h"
#include "text/MachineText.h"

#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <optional>
#include <source_location>
#include <string_view>

namespace velmaro {
namespace {

constexpr qsizetype kIdentifierDigits = 10;

bool IsMarkerOpener(char c) { return c == '#' || c == '$' || c == '&'; }

// The message carries the place of the check, as an assertion report does: the source file by
// its name alone, since the folders it was built in mean nothing to the user.
[[noreturn]] void FailIdentifierAssertion(
    std::source_location where = std::source_location::current())
{
    std::string_view file = where.file_name();
    file.remove_prefix(file.find_last_of("/\\") + 1);
    throw ReportAssertionError(std::string("Report identifier [$--] not valid (") +
                               std::string(file) + ", line " + std::to_string(where.line()) +
                               ")");
}

QString FullPath(const QString &path) { return QFileInfo(path).absoluteFilePath(); }

// The template's own bytes are at most kTemplateSizeLimit; the texts of its markers are what
// can grow without bound.
void AppendMarkerText(QByteArray &report, const QByteArray &text)
{
    if (text.size() > kReportSizeLimit - report.size())
        throw ReportError("The report would be larger than " + std::to_string(kReportSizeLimit) +
                          " bytes: its template repeats long listings too often");
    report.append(text);
}

} // namespace

QByteArray ScanReportTemplate(QByteArrayView templateBytes, const IdentifierResolver &resolve)
{
    QByteArray report;
    report.reserve(templateBytes.size());
    QByteArray identifier;
    bool insideMarker = false;
    for (qsizetype i = 0; i < templateBytes.size(); ++i) {
        const char byte = templateBytes[i];
        if (byte == '[') {
            // The opener is not consumed here: the next turn makes it the identifier's first
            // character.
            if (i + 1 < templateBytes.size() && IsMarkerOpener(templateBytes[i + 1]))
                insideMarker = true;
            else
                report.append(byte);
        } else if (byte == ']') {
            // Also outside a marker: a stray "]" ends an empty identifier, which is refused.
            insideMarker = false;
            AppendMarkerText(report, resolve(identifier));
            identifier.clear();
        } else if (insideMarker) {
            identifier.append(byte);
        } else {
            report.append(byte);
        }
    }
    // A marker still open at the end is dropped.
    return report;
}

QString DefaultReportTemplatePath(const QString &exeDir)
{
    return exeDir + QStringLiteral("/Reportes/ModeloRepVelmaro.rtf");
}

QByteArray ReadReportTemplate(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Cannot open file %1").arg(FullPath(path)).toStdString());
    // One byte past the limit tells a file at the limit from a larger one, whatever size the
    // file claims (it may grow while it is read).
    QByteArray bytes = file.read(kTemplateSizeLimit + 1);
    if (file.error() != QFileDevice::NoError)
        throw ReportError(QStringLiteral("Cannot read file %1: %2")
                              .arg(FullPath(path), file.errorString())
                              .toStdString());
    if (bytes.size() > kTemplateSizeLimit)
        throw ReportError(QStringLiteral("The report template %1 is larger than %2 bytes")
                              .arg(FullPath(path))
                              .arg(kTemplateSizeLimit)
                              .toStdString());
    return bytes;
}

QByteArray FillReportTemplate(const QString &path, const IdentifierResolver &resolve)
{
    return ScanReportTemplate(ReadReportTemplate(path), resolve);
}

int ReportIdentifierNumber(QByteArrayView identifier)
{
    if (identifier.isEmpty() || identifier.front() != '$')
        FailIdentifierAssertion();
    return ParseIntegerText(FromWindows1252(identifier.sliced(1).first(
        std::min(identifier.size() - 1, kIdentifierDigits))));
}

int ParseIntegerText(const QString &text)
{
    // Characters beyond ASCII are no digits in any encoding, so UTF-8 reads the same.
    const std::optional<std::int64_t> value = ReadInteger(text.toStdString());
    if (value && *value >= arith::kInt32Min && *value <= arith::kInt32Max)
        return static_cast<int>(*value);
    throw ConversionError(
        QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
}

} // namespace velmaro
