#include "WindowFixture.h"

#include "Unidades.h"

#include <QApplication>
#include <QFile>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace velmaro {
namespace {

class ReportTabTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window->ReportTemplatePath = QStringLiteral(VELMARO_REPORT_TEMPLATE);
        ShowWindow();
    }

    QString Report() const { return window->RichEdit1->toPlainText(); }
};

TEST_F(ReportTabTest, ShowingTheTabRecomputesAndFillsTheReport)
{
    ShowTab(window->TabSheet1);
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_TRUE(window->RichEdit1->isReadOnly());
    EXPECT_TRUE(Report().contains("Distance from farthest point to outlet 21.79 km"));
    EXPECT_TRUE(Report().contains("Hydrologic Group B: Moderate infiltration rate"));
    EXPECT_TRUE(Report().contains("Peak discharge 627.683 m³/s"));
    EXPECT_EQ(model.HydrographCount, 16) << "the Runoff stage ran";

    // Inputs changed elsewhere reach the report at its next showing.
    ShowTab(window->Condicionantes);
    Type(window->euNc, "90");
    ShowTab(window->TabSheet1);
    EXPECT_TRUE(Report().contains("Curve number 90"));
}

TEST_F(ReportTabTest, AMissingTemplateLeavesTheViewEmptyAndWritable)
{
    ShowTab(window->TabSheet1);
    ASSERT_FALSE(Report().isEmpty());
    ShowTab(window->Escorrentia);
    QTemporaryDir folder;
    window->ReportTemplatePath = folder.filePath("ModeloRepVelmaro.rtf");
    ShowTab(window->TabSheet1);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, QCoreApplication::applicationName());
    EXPECT_EQ(presenter.messages[0].text, "Cannot open file " + window->ReportTemplatePath);
    EXPECT_TRUE(Report().isEmpty());
    EXPECT_FALSE(window->RichEdit1->isReadOnly());
}

TEST_F(ReportTabTest, AnUnreadableInputKeepsThePreviousReport)
{
    ShowTab(window->TabSheet1);
    const QString before = Report();
    ShowTab(window->Geometria);
    Type(window->euAc, "7-");
    Type(window->euAc, "7-1");
    presenter.messages.clear();
    ShowTab(window->TabSheet1);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "'7-1' is not a valid floating point value");
    EXPECT_EQ(Report(), before);
}

TEST_F(ReportTabTest, PrintingWithoutADefaultPrinterIsShownAsAnError)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer; printing would send a real job";
    window->ImprimirReporte1->trigger();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, QCoreApplication::applicationName());
    EXPECT_FALSE(presenter.messages[0].text.isEmpty());
}

// The Print button asks first, unlike the menu item: the print dialog comes up over the window,
// and cancelling it prints nothing and reports nothing.
TEST_F(ReportTabTest, PrintButtonOpensThePrintDialog)
{
    ShowTab(window->TabSheet1);
    QString title;
    QWidget *owner = nullptr;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no print dialog came up";
        title = dialog->windowTitle();
        owner = dialog->parentWidget();
        dialog->reject();
    });
    QTest::mouseClick(window->Button8, Qt::LeftButton);
    QCoreApplication::processEvents(); // without a dialog the check above runs here
    EXPECT_EQ(title, "Print of VELMARO");
    EXPECT_EQ(owner, window.get());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(presenter.messages.empty());
}

} // namespace
} // namespace velmaro
