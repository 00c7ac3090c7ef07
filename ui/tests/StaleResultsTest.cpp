#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "ui/ResultGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>

#include <vector>

namespace velmaro {
namespace {

// 100 steps of 6 seconds, then a time step whose hydrograph is refused: the Runoff tab keeps
// what it showed, and the report must not pair those results with the new time step.
TEST_F(WindowTest, TheReportNeverPrintsAResultWithInputsItWasNotComputedFrom)
{
    window->ReportTemplatePath = QStringLiteral(VELMARO_REPORT_TEMPLATE);
    ShowTab(window->Forzantes);
    Pick(window->cbSall, 99);
    Pick(window->euPtsd->UnitBox(), 1);
    Type(window->euPtsd, "6");
    ShowTab(window->Escorrentia);
    const QStringList hydrograph = Column(window->sgHeResultado, 1);
    ASSERT_GT(hydrograph.size(), 100);

    ShowTab(window->Forzantes);
    Pick(window->euPtsd->UnitBox(), 0);
    Type(window->euPtsd, "0.002");
    ShowTab(window->TabSheet1);
    const QString report = window->RichEdit1->toPlainText();
    EXPECT_TRUE(report.contains("Peak discharge not computed (The hydrograph would need "))
        << report.toStdString();
    EXPECT_TRUE(report.contains("Hydrograph not computed (The hydrograph would need ")) << report.toStdString();
    EXPECT_FALSE(report.contains("Valor: "));
    EXPECT_TRUE(report.contains("Time step of data series 0.002 min"));
    EXPECT_TRUE(report.contains("Hietograma: ")) << "the rainfall stage still ran";
    EXPECT_EQ(Column(window->sgHeResultado, 1), hydrograph) << "the tab keeps what it showed";
}

// A curve number of 0 leaves the runoff depths stale, and the hydrograph then spreads them.
TEST_F(WindowTest, StaleResultsAreDrawnAsSuchUntilTheNextGoodRun)
{
    ShowTab(window->Escorrentia);
    const QString peak = window->euCpResultado->text();
    const std::vector<QWidget *> stale = {window->euRpmResultado, window->sgSvaeuaResultados,
                                          window->euVteResultado, window->euVtespResultado,
                                          window->euCpResultado, window->sgHeResultado,
                                          window->euTpResultado, window->edVolumeCheck};
    const std::vector<QWidget *> current = {window->euTccResultado, window->sgLlResultado};
    const auto expectLook = [](QWidget *shown, bool isStale) {
        SCOPED_TRACE(shown->objectName().toStdString());
        EXPECT_EQ(shown->font().italic(), isStale);
        EXPECT_EQ(shown->palette().color(QPalette::Text) != QApplication::palette(shown).color(QPalette::Text),
                  isStale);
        EXPECT_EQ(shown->toolTip().contains("Floating point division by zero"), isStale)
            << shown->toolTip().toStdString();
    };
    for (QWidget *shown : stale)
        expectLook(shown, false);

    ShowTab(window->Condicionantes);
    Type(window->euNc, "0");
    ShowTab(window->Escorrentia);
    for (QWidget *shown : stale)
        expectLook(shown, true);
    for (QWidget *shown : current)
        expectLook(shown, false);
    EXPECT_TRUE(presenter.messages.empty()) << "no message box";

    ShowTab(window->Condicionantes);
    Type(window->euNc, "85");
    ShowTab(window->Escorrentia);
    for (QWidget *shown : stale)
        expectLook(shown, false);
    EXPECT_EQ(window->euCpResultado->text(), peak);
}

} // namespace
} // namespace velmaro
