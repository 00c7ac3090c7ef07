#include "ReportView.h"

#include "ReportTexts.h"
#include "RtfReader.h"

#include <QTextEdit>

namespace velmaro {

void ShowFilledReport(QTextEdit &view, const QString &templatePath, const ReportSources &sources)
{
    view.setReadOnly(false);
    view.clear();
    const QByteArray report = FillReport(templatePath, sources);
    LoadReportDocument(*view.document(), report);
    view.setReadOnly(true);
}

} // namespace velmaro
