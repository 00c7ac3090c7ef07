#pragma once

#include "engine/ModelState.h"
#include "testsupport/ModalDialogs.h"
#include "testsupport/RecordingPresenter.h"
#include "ui/MainFormVelmaro.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>

class QComboBox;
class QLineEdit;

namespace velmaro {

class ResultGrid;

using test::CloseNextModalDialog;
using test::RecordingPresenter;

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

} // namespace velmaro
