#pragma once

#include "controls/MessagePresenter.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace velmaro::test {

// A message as the user would have seen it.
struct Message {
    QWidget *parent;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Critical;
};

// Takes the place of the message boxes and the beep for as long as it lives: every message is
// answered at once and kept, every beep counted. A question takes the next of `answers`, or the
// escape button when there is none, as if the user pressed Escape.
class RecordingPresenter final : public MessagePresenter {
public:
    RecordingPresenter();
    ~RecordingPresenter() override;
    RecordingPresenter(const RecordingPresenter &) = delete;
    RecordingPresenter &operator=(const RecordingPresenter &) = delete;

    void ShowMessage(QWidget *parent, const QString &caption, const QString &text) override;
    void ShowNote(QWidget *parent, const QString &caption, const QString &text) override;
    QMessageBox::StandardButton Ask(QWidget *parent, const Question &question) override;
    void Beep() override;

    QStringList Texts() const;

    std::vector<Message> messages;
    std::deque<QMessageBox::StandardButton> answers;
    int beeps = 0;
    // Runs while a message is "on screen", e.g. to take the focus the way a message box does.
    std::function<void()> whileShown;
};

} // namespace velmaro::test
