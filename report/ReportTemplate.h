#pragma once

// The report template: RTF bytes in Windows-1252 whose markers [$N] stand for the texts of
// report identifiers. The scan does not interpret RTF; it copies bytes and replaces markers.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <stdexcept>

namespace velmaro {

// A template that cannot be read, or a report that cannot be filled from it.
class ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A marker that does not name a report identifier: "[#...]", "[&...]" or a stray "]".
class ReportAssertionError : public ReportError {
public:
    using ReportError::ReportError;
};

// Templates are small; anything larger is refused rather than read in part.
inline constexpr qint64 kTemplateSizeLimit = 1024 * 1024;

// A report filled past this size is refused: a template repeating its long listings could
// otherwise take more memory than the machine has. The shipped template at the hydrograph's
// full capacity fills under 5 MiB.
inline constexpr qsizetype kReportSizeLimit = 64 * 1024 * 1024;

// Gives the Windows-1252 text that replaces the marker with this identifier (the bytes
// between "[" and "]", opener included).
using IdentifierResolver = std::function<QByteArray(const QByteArray &identifier)>;

// Throws ReportError, before the memory is taken, when the report would pass kReportSizeLimit.
QByteArray ScanReportTemplate(QByteArrayView templateBytes, const IdentifierResolver &resolve);

// "Reportes/ModeloRepVelmaro.rtf" in the folder of the executable.
QString DefaultReportTemplatePath(const QString &exeDir);

// The whole file, at most kTemplateSizeLimit bytes.
QByteArray ReadReportTemplate(const QString &path);

QByteArray FillReportTemplate(const QString &path, const IdentifierResolver &resolve);

// The number a valid identifier names: "$" then at most ten characters read as an integer.
int ReportIdentifierNumber(QByteArrayView identifier);

// An optional sign, then decimal digits, within the 32-bit range; anything else raises the
// conversion error "'text' is not a valid integer value".
int ParseIntegerText(const QString &text);

} // namespace velmaro
