#include "ReportView.h"

#include "ReportTexts.h"
#include "RtfReader.h"

#include <QTextDocument>
#include <QTextEdit>

namespace velmaro {

void ShowFilledReport(QTextEdit &view, const QString &templatePath, const ReportSources &sources)
{
    view.setReadOnly(false);
    view.clear();
    const QByteArray report = FillReport(templatePath, sources);
    // Read away from the view, which would lay out the report again after every paragraph;
    // the view deletes the report it showed before, its child as this one is.
    auto *document = new QTextDocument(&view);
    LoadReportDocument(*document, report);
    view.setDocument(document);
    view.setReadOnly(true);
}

} // namespace velmaro
