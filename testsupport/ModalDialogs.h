#pragma once

// A modal dialog runs its own event loop, so a test answers it from a poll started before the
// action that opens it.

#include <QMetaObject>
#include <QWidget>

#include <functional>

class QString;
class QTimer;

namespace velmaro::test {

// Polls every few milliseconds for the application's active modal dialog of class `kind` and
// hands the first one to `answer`, inside the dialog's event loop. The poll stops before
// answering and deletes itself afterwards; deleting it earlier ends a poll for a dialog that
// must not come up.
QTimer *AnswerNextModalDialog(const QMetaObject &kind, std::function<void(QWidget &)> answer);

template <class Dialog>
QTimer *AnswerNextModalDialog(std::function<void(Dialog &)> answer)
{
    return AnswerNextModalDialog(Dialog::staticMetaObject, [answer](QWidget &dialog) {
        answer(static_cast<Dialog &>(dialog));
    });
}

// Accepts the next modal dialog of any kind; `seen` receives its title and `ownerWasOnScreen`
// whether `owner` was visible while it was up.
QTimer *CloseNextModalDialog(QString *seen = nullptr, bool *ownerWasOnScreen = nullptr,
                             const QWidget *owner = nullptr);

} // namespace velmaro::test
