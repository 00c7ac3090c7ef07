// The Report tab: the report filled from the template on every showing, and its printing.

#include "MainFormVelmaro.h"

#include "ReportPrinter.h"
#include "ReportView.h"
#include "WindowReportSources.h"

#include <QTextEdit>

namespace velmaro {

// The last link of the recomputation chain: an unreadable input ends it before the view is
// touched, so the view keeps the report it showed.
void TMainFormVelmaro::TabSheet1Show()
{
    EscorrentiaShow();
    ShowFilledReport(*RichEdit1, ReportTemplatePath, WindowReportSources(*this));
}

// Prints the report as last filled; printing never refills it.
void TMainFormVelmaro::ImprimirReporte1Click()
{
    PrintToDefaultPrinter(*RichEdit1->document());
}

// The same content through the standard print dialog, so the user can pick a printer or a PDF.
void TMainFormVelmaro::Button8Click()
{
    PrintWithDialog(*RichEdit1->document(), this);
}

} // namespace velmaro
