#include "ui/WheelGuard.h"

#include <QComboBox>
#include <QEvent>

namespace velmaro {

void WheelGuard::Guard(QComboBox *list)
{
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(this);
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel) {
        const auto *list = qobject_cast<QComboBox *>(watched);
        if (list && !list->hasFocus()) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velmaro
