#include "report/ReportView.h"

#include "report/ReportTexts.h"
#include "report/RtfReader.h"

#include <QTextDocument>
#include <QTextEdit>

namespace velmaro {
namespace {

// The view only deletes documents it made itself; the reports it shows are ours. Letting the
// last one go before the next is filled keeps a single long report in memory, never two.
void ReleaseShownReport(QTextEdit &view)
{
    QTextDocument *shown = view.document();
    const bool ours = shown->parent() == &view;
    view.setDocument(nullptr); // the view makes an empty page of its own meanwhile
    if (ours)
        delete shown;
}

} // namespace

void ShowFilledReport(QTextEdit &view, const QString &templatePath, const ReportSources &sources)
{
    view.setReadOnly(false);
    ReleaseShownReport(view);
    const QByteArray report = FillReport(templatePath, sources);
    // Read away from the view, which would lay out the report again after every paragraph.
    auto *document = new QTextDocument(&view);
    LoadReportDocument(*document, report);
    view.setDocument(document);
    view.setReadOnly(true);
}

} // namespace velmaro
