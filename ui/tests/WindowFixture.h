#pragma once

#include "MainFormVelmaro.h"
#include "MessagePresenter.h"
#include "ModelState.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;
class QTimer;

namespace velmaro {

class ResultGrid;

// Answers every message at once and keeps its caption and text.
class RecordingPresenter final : public MessagePresenter {
public:
    struct Message {
        QString caption;
        QString text;
    };

    void ShowMessage(QWidget *, const QString &caption, const QString &text) override
    {
        messages.push_back({caption, text});
    }
    void Beep() override { ++beeps; }

    std::vector<Message> messages;
    int beeps = 0;
};

// A fresh model and window for each test; messages are recorded, not shown.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the window as the program does, closing the About dialog it opens first, and makes
    // it the active window so that focus moves work.
    void ShowWindow();
    void ShowTab(QWidget *sheet);
    // Replaces the field's text by typing, one keystroke per character.
    static void Type(QLineEdit *field, const QString &text);
    // The user picks an entry of a list.
    static void Pick(QComboBox *list, int entry);
    static QStringList Column(const ResultGrid *grid, int column);

    ModelState model;
    RecordingPresenter presenter;
    std::unique_ptr<TMainFormVelmaro> window;
};

// Closes the modal dialog that comes up next; `seen` receives its title. The returned poll
// deletes itself once it has closed a dialog.
QTimer *CloseNextModalDialog(QString *seen = nullptr, bool *ownerWasOnScreen = nullptr,
                          const QWidget *owner = nullptr);

} // namespace velmaro
