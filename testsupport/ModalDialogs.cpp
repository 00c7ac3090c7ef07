#include "testsupport/ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWindow>

namespace velmaro::test {

QTimer *AnswerNextModalDialog(const QMetaObject &kind, std::function<void(QWidget &)> answer)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, kind = &kind, answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->metaObject()->inherits(kind))
            return;
        // Stopped first: an answer that opens another dialog must not be polled into again.
        poll->stop();
        poll->deleteLater();
        answer(*modal);
    });
    poll->start();
    return poll;
}

QTimer *CloseNextModalDialog(QString *seen, bool *ownerWasOnScreen, const QWidget *owner)
{
    return AnswerNextModalDialog<QWidget>([=](QWidget &modal) {
        if (seen)
            *seen = modal.windowTitle();
        if (ownerWasOnScreen)
            *ownerWasOnScreen = owner->windowHandle() && owner->windowHandle()->isVisible();
        if (auto *dialog = qobject_cast<QDialog *>(&modal))
            dialog->accept();
        else
            modal.close();
    });
}

} // namespace velmaro::test
