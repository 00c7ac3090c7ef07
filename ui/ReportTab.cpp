// The Report tab: the report filled from the template on every showing, and its printing.

#include "MainFormVelmaro.h"

#include "ReportPrinter.h"
#include "ReportSources.h"
#include "ReportView.h"

#include <QTextEdit>

namespace velmaro {

ReportSources TMainFormVelmaro::ReportControls() const
{
    ReportSources sources;
    sources.euDdpmrhls = euDdpmrhls;
    sources.euDntepmrys = euDntepmrys;
    sources.euAc = euAc;
    sources.euTccResultado = euTccResultado;
    sources.euAi = euAi;
    sources.euPtsd = euPtsd;
    sources.euNc = euNc;
    sources.euRpmResultado = euRpmResultado;
    sources.euVteResultado = euVteResultado;
    sources.euVtespResultado = euVtespResultado;
    sources.euCpResultado = euCpResultado;
    sources.cbGh = cbGh;
    sources.cbSall = cbSall;
    sources.cbAai = cbAai;
    sources.rbAcumulada = rbAcumulada;
    sources.rcParcial = rcParcial;
    sources.rbAu = rbAu;
    sources.rbTac = rbTac;
    sources.rbOta = rbOta;
    sources.rbTpas = rbTpas;
    sources.model = &model_;
    return sources;
}

// The last link of the recomputation chain: an unreadable input ends it before the view is
// touched, so the view keeps the report it showed.
void TMainFormVelmaro::TabSheet1Show()
{
    EscorrentiaShow();
    ShowFilledReport(*RichEdit1, ReportTemplatePath, ReportControls());
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
