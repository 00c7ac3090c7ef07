#include "testsupport/ActiveWindow.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace velmaro::test {

void ShowActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace velmaro::test
