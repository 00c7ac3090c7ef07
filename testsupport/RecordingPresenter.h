#pragma once

#include "controls/MessagePresenter.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace velmaro::test {

// A message as the user would have seen it.
struct Message {
    QWidget *parent;
    QString caption;
    QString text;
};

// Takes the place of the message boxes and the beep for as long as it lives: every message is
// answered at once and kept, every beep counted.
class RecordingPresenter final : public MessagePresenter {
public:
    RecordingPresenter();
    ~RecordingPresenter() override;
    RecordingPresenter(const RecordingPresenter &) = delete;
    RecordingPresenter &operator=(const RecordingPresenter &) = delete;

    void ShowMessage(QWidget *parent, const QString &caption, const QString &text) override;
    void Beep() override;

    QStringList Texts() const;

    std::vector<Message> messages;
    int beeps = 0;
    // Runs while a message is "on screen", e.g. to take the focus the way a message box does.
    std::function<void()> whileShown;
};

} // namespace velmaro::test
