#pragma once

// A shown, active window to put the fields under test in; its messages and beeps are recorded.

#include "testsupport/ActiveWindow.h"
#include "testsupport/RecordingPresenter.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace velmaro::test {

// A shown and active window: focus moves and typed keys reach its fields.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(800, 200);
    }
    void ShowWindow() { ShowActive(*window); }
    void Focus(QWidget *widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(widget->hasFocus());
    }

    RecordingPresenter presenter;
    std::unique_ptr<QWidget> window;
};

} // namespace velmaro::test
