#pragma once

// What the widget tests share: a presenter that records the messages and beeps instead of
// showing them, and a shown, active window to put fields in.

#include "MessagePresenter.h"

#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace velmaro::test {

struct Message {
    QString caption;
    QString text;
};

class RecordingPresenter : public MessagePresenter {
public:
    RecordingPresenter() { SetMessagePresenter(this); }
    ~RecordingPresenter() override { SetMessagePresenter(nullptr); }

    void ShowMessage(QWidget *, const QString &caption, const QString &text) override
    {
        messages.push_back({caption, text});
        if (whileShown)
            whileShown();
    }
    void Beep() override { ++beeps; }

    QStringList Texts() const
    {
        QStringList texts;
        for (const Message &message : messages)
            texts.push_back(message.text);
        return texts;
    }

    std::vector<Message> messages;
    int beeps = 0;
    // Runs while a message is "on screen", e.g. to take the focus the way a dialog does.
    std::function<void()> whileShown;
};

// A shown and active window: focus moves and typed keys reach its fields.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(800, 200);
    }
    void ShowWindow()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void Focus(QWidget *widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(widget->hasFocus());
    }

    RecordingPresenter presenter;
    std::unique_ptr<QWidget> window;
};

} // namespace velmaro::test
