#include "MainFormVelmaro.h"

#include "AboutDialog.h"
#include "HelpNotes.h"
#include "MessagePresenter.h"

#include <QShowEvent>
#include <QTabWidget>

namespace velmaro {

TMainFormVelmaro::TMainFormVelmaro(ModelState &model, QWidget *parent)
    : QMainWindow(parent), model_(model)
{
    BuildWindow();
    FormCreate();
}

TMainFormVelmaro::~TMainFormVelmaro() = default;

void TMainFormVelmaro::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    PlaceInFrameOnce();
    if (shown_)
        return;
    shown_ = true;
    // Sent before the window is mapped: the About dialog comes up alone, and the visible tab's
    // fields are current when the window appears.
    GuardEntryPoint(this, [this] {
        FormShow();
        RunTabShowHandler(PageControl1->currentIndex());
    });
}

void TMainFormVelmaro::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    PlaceInFrameOnce();
}

void TMainFormVelmaro::FormShow()
{
    ShowAboutDialog(this);
}

void TMainFormVelmaro::AcercaDeExecute()
{
    ShowAboutDialog(this);
}

void TMainFormVelmaro::Ayuda2Click()
{
    OpenHelpNotes(this);
}

} // namespace velmaro
