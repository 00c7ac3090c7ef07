// The Report tab: the report filled from the template on every showing, its printing and
// saving.

#include "ui/MainFormVelmaro.h"

#include "report/ReportPrinter.h"
#include "report/ReportView.h"
#include "ui/WindowReportSources.h"

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
    PrintToDefaultPrinter(*RichEdit1->document(), this);
}

// The same content through the standard print dialog, so the user can pick a printer or a PDF.
void TMainFormVelmaro::Button8Click()
{
    PrintWithDialog(*RichEdit1->document(), this);
}

// The report as last shown, as PDF pages laid out as printing lays them out, or as the filled
// RTF to open in a word processor.
void TMainFormVelmaro::SaveReportButtonClick()
{
    SaveWithDialog(*RichEdit1->document(), this);
}

} // namespace velmaro
