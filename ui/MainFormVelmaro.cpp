#include "ui/MainFormVelmaro.h"

#include "controls/MessagePresenter.h"
#include "plot/PlotWindow.h"
#include "ui/AboutDialog.h"
#include "ui/HelpNotes.h"
#include "ui/StudyActions.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>

#include <algorithm>

namespace velmaro {

TMainFormVelmaro::TMainFormVelmaro(ModelState &model, QWidget *parent)
    : QMainWindow(parent), model_(model)
{
    BuildWindow();
    ListStageResults();
    FormCreate();
    Studies = new StudyActions(*this);
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

namespace {

// Beside the main window on the side with room for it, else over the main window's right edge.
QPoint BesidePlace(const QRect &mainFrame, QSize plotFrame, const QRect &screen)
{
    const int lowest = std::max(screen.top(), screen.bottom() - plotFrame.height());
    const int top = std::clamp(mainFrame.top(), screen.top(), lowest);
    if (mainFrame.right() + plotFrame.width() < screen.right())
        return {mainFrame.right() + 1, top};
    if (mainFrame.left() - plotFrame.width() >= screen.left())
        return {mainFrame.left() - plotFrame.width(), top};
    return {std::max(screen.left(), screen.right() - plotFrame.width()), top};
}

} // namespace

PlotWindow *TMainFormVelmaro::PlotShown() const
{
    return plotWindow_;
}

void TMainFormVelmaro::Plot1Click()
{
    if (!plotWindow_) {
        plotWindow_ = new PlotWindow(this);
        plotWindow_->setAttribute(Qt::WA_DeleteOnClose); // closing it ends its work
        const QSize frame = frameGeometry().size() - geometry().size();
        const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        plotWindow_->move(BesidePlace(frameGeometry(), plotWindow_->size() + frame,
                                      screen->availableGeometry()));
        FollowInPlot();
    }
    plotWindow_->show();
    plotWindow_->raise();
    plotWindow_->activateWindow();
}

} // namespace velmaro
