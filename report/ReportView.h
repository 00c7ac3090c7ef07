#pragma once

// Filling the Report tab's view: made writable and emptied, filled from the template, then
// made read-only. On a failure the view is left empty and writable and the error goes on to
// the caller; a partly filled report is never shown.

class QString;
class QTextEdit;

namespace velmaro {

class ReportSources;

void ShowFilledReport(QTextEdit &view, const QString &templatePath, const ReportSources &sources);

} // namespace velmaro
