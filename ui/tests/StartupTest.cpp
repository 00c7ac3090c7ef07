#include "ui/tests/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

namespace velmaro {
namespace {

const char *const kAboutCaption = "NURA - VELMARO - ORVIK S.A.";

TEST_F(WindowTest, AboutDialogComesUpAloneBeforeTheWindow)
{
    QString seen;
    bool windowOnScreen = true;
    CloseNextModalDialog(&seen, &windowOnScreen, window.get());
    window->show();
    EXPECT_EQ(seen, kAboutCaption);
    EXPECT_FALSE(windowOnScreen);
    ASSERT_NE(window->windowHandle(), nullptr);
    EXPECT_TRUE(window->windowHandle()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(WindowTest, AboutDialogOnlyAtTheFirstShow)
{
    ShowWindow();
    window->hide();
    QString seen;
    std::unique_ptr<QTimer> closer(CloseNextModalDialog(&seen));
    window->show();
    QTest::qWait(50);
    EXPECT_TRUE(seen.isEmpty()) << seen.toStdString();
}

TEST_F(WindowTest, AboutMenuOpensAFreshDialogEachTime)
{
    ShowWindow();
    for (int time = 0; time < 2; ++time) {
        QString seen;
        CloseNextModalDialog(&seen);
        window->Acercade1->trigger();
        EXPECT_EQ(seen, kAboutCaption);
        EXPECT_TRUE(window->findChildren<QDialog *>().isEmpty()) << "the dialog is freed once closed";
    }
}

TEST_F(WindowTest, MissingHelpNotesAreReported)
{
    window->Ayuda2->trigger();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, "Error");
    EXPECT_EQ(presenter.messages[0].text,
              "Error on trying to open the help file. This problem can be due to the following "
              "thing: The file does not exist, or the Acrobat Reader program is not installed.");
}

} // namespace
} // namespace velmaro
