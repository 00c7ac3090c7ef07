#include "controls/ExitSequence.h"

#include <QStackedWidget>
#include <QTabWidget>

namespace velmaro {

namespace {

constexpr char kExitProperty[] = "velmaroFieldExitInProgress";

} // namespace

bool IsFocusMoveReason(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}

ExitInProgress::ExitInProgress(QWidget *field)
    : window_(field->window())
    , before_(window_->property(kExitProperty))
{
    window_->setProperty(kExitProperty, true);
}

ExitInProgress::~ExitInProgress()
{
    if (window_)
        window_->setProperty(kExitProperty, before_);
}

bool ExitInProgress::In(const QWidget *field)
{
    return field->window()->property(kExitProperty).toBool();
}

void ShowPagesHolding(QWidget *widget)
{
    for (QWidget *page = widget; page->parentWidget(); page = page->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
        if (!stack)
            continue;
        if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
            tabs->setCurrentWidget(page);
        else
            stack->setCurrentWidget(page);
    }
}

} // namespace velmaro
