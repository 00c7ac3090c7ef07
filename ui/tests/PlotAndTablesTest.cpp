#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "engine/Chain.h"
#include "plot/PlotWindow.h"
#include "ui/GridText.h"
#include "ui/ResultGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <charconv>

namespace velmaro {
namespace {

// The plot's peak when every stage runs on a copy of the window's model.
double PeakOfCopy(const ModelState &model)
{
    ModelState copy = model;
    RunGuardedChain(copy);
    return copy.PeakDischarge;
}

TEST_F(WindowTest, ViewMenuSitsBetweenFileAndHelpAndOpensOnePlotWindow)
{
    QStringList menus;
    for (QAction *menu : window->MainMenu1->actions())
        menus.append(menu->text());
    EXPECT_EQ(menus, (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(window->Plot1->text(), "&Plot...");

    ShowWindow();
    EXPECT_EQ(window->PlotShown(), nullptr);
    window->Plot1->trigger();
    PlotWindow *plot = window->PlotShown();
    ASSERT_NE(plot, nullptr);
    EXPECT_TRUE(plot->isVisible());
    EXPECT_EQ(plot->windowTitle(), "Velmaro - Plot");
    EXPECT_TRUE(plot->isWindow());
    EXPECT_FALSE(plot->isModal());
    window->Plot1->trigger();
    EXPECT_EQ(window->PlotShown(), plot) << "a second Plot... raises the same window";
    EXPECT_EQ(window->findChildren<PlotWindow *>().size(), 1);
}

TEST_F(WindowTest, PlotFollowsEveryKeystrokeWithoutTouchingTheTabs)
{
    ShowWindow();
    window->Plot1->trigger();
    PlotWindow *plot = window->PlotShown();
    ASSERT_NE(plot, nullptr);
    // The Runoff tab has never been shown: the window has no hydrograph, the plot has one.
    ASSERT_TRUE(plot->Curves().peak);
    EXPECT_NEAR(plot->Curves().peak->discharge, 627.68326, 1e-5);
    EXPECT_EQ(model.HydrographCount, 0);
    EXPECT_EQ(window->sgHeResultado->RowCount(), 5);
    EXPECT_EQ(window->euCpResultado->text(), "0");

    ShowTab(window->Condicionantes);
    const QStringList depthsBefore = Column(window->sgSvaeuaResultados, 1);
    Type(window->euNc, "9");
    Type(window->euNc, "90");
    EXPECT_EQ(model.CurveNumber, 90);
    EXPECT_DOUBLE_EQ(plot->Curves().peak->discharge, PeakOfCopy(model));
    EXPECT_GT(plot->Curves().peak->discharge, 627.7);
    EXPECT_EQ(model.HydrographCount, 0) << "the plot never writes into the window's model";
    EXPECT_EQ(window->sgHeResultado->RowCount(), 5);
    EXPECT_NE(Column(window->sgSvaeuaResultados, 1), depthsBefore) << "the tab itself still recomputes";
}

TEST_F(WindowTest, PlotTakesTheUnitsChosenAboveTheGrids)
{
    ShowWindow();
    window->Plot1->trigger();
    PlotWindow *plot = window->PlotShown();
    ShowTab(window->Forzantes);
    Pick(window->cbUnidadesHietograma, 1);
    ShowTab(window->Escorrentia);
    Pick(window->cbUnidadHidrograma, 1);
    EXPECT_DOUBLE_EQ(plot->Curves().intensity[2], 146.8 / 10);
    EXPECT_NEAR(plot->Curves().peak->discharge, 627683.26, 0.01);
    EXPECT_EQ(plot->PeakText(), "Peak 6.277E+5 l/s at 3 h");
    EXPECT_DOUBLE_EQ(plot->Curves().cumulativeRain[2], 105.4) << "cumulative depths follow their own list, still mm";
}

TEST_F(WindowTest, FailedStageIsALineInThePlotNotAMessage)
{
    ShowWindow();
    window->Plot1->trigger();
    PlotWindow *plot = window->PlotShown();
    Type(window->euDntepmrys, "0");
    EXPECT_EQ(plot->NotDrawnText(), "Hydrograph not drawn: the concentration time stage failed "
                                    "(Floating point division by zero)");
    EXPECT_TRUE(presenter.messages.empty());
    Type(window->euDntepmrys, "1020");
    EXPECT_EQ(plot->NotDrawnText(), "");
}

TEST_F(WindowTest, ClosingThePlotEndsItAndTheWindowGoesOnAlone)
{
    ShowWindow();
    window->Plot1->trigger();
    QPointer<PlotWindow> plot = window->PlotShown();
    plot->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(plot.isNull());
    EXPECT_EQ(window->PlotShown(), nullptr);
    ShowTab(window->Condicionantes);
    Type(window->euNc, "80");
    EXPECT_EQ(model.CurveNumber, 80);
    window->Plot1->trigger();
    ASSERT_NE(window->PlotShown(), nullptr);
    EXPECT_DOUBLE_EQ(window->PlotShown()->Curves().peak->discharge, PeakOfCopy(model))
        << "a plot opened again starts from the current inputs";
}

std::vector<double> CsvColumn(const QByteArray &csv, int column)
{
    std::vector<double> values;
    const QList<QByteArray> lines = csv.split('\n');
    for (qsizetype line = 1; line < lines.size(); ++line) {
        if (lines[line].trimmed().isEmpty())
            continue;
        const QByteArray field = lines[line].trimmed().split(',').value(column);
        double value = 0;
        std::from_chars(field.data(), field.data() + field.size(), value);
        values.push_back(value);
    }
    return values;
}

TEST_F(WindowTest, ResultGridsCopyAndSaveTheWholeTable)
{
    ShowWindow();
    ShowTab(window->Escorrentia);
    Pick(window->cbUnidadHidrograma, 1);
    ResultGrid *grid = window->sgHeResultado;
    QStringList menu;
    for (QAction *item : grid->actions())
        menu.append(item->text());
    EXPECT_EQ(menu, (QStringList{"Copy table", "Save as CSV..."}));
    EXPECT_EQ(grid->ContextMenu()->actions(), grid->actions());
    EXPECT_EQ(grid->selectionMode(), QAbstractItemView::SingleSelection) << "still no ranges";

    grid->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(window->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(copied.size(), 17);
    EXPECT_EQ(copied[0], "[Hours]\t[l/s]");
    for (int row = 1; row <= 16; ++row)
        EXPECT_EQ(copied[row], grid->Cell(0, row) + '\t' + grid->Cell(1, row));

    QTemporaryDir folder;
    const QString path = folder.filePath("runoff.csv");
    QString proposed;
    grid->AskCsvPath = [&](QWidget *, const QString &name) {
        proposed = name;
        return path;
    };
    grid->SaveCsvAction->trigger();
    EXPECT_EQ(proposed, "discharge.csv");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray csv = file.readAll();
    EXPECT_TRUE(csv.startsWith("time [h],discharge [l/s]\r\n")) << csv.left(40).toStdString();
    const std::vector<double> discharge = CsvColumn(csv, 1);
    ASSERT_EQ(discharge.size(), 16u);
    for (int j = 1; j <= 16; ++j)
        EXPECT_EQ(discharge[static_cast<std::size_t>(j - 1)], model.Hydrograph[j] * 1000) << j;
    EXPECT_EQ(CsvColumn(csv, 0)[5], 3.0);

    // Every grid names its columns.
    EXPECT_TRUE(GridCsv(window->sgLlResultado->Cells())
                    .startsWith("time [h],partial rainfall [mm],cumulative rainfall [mm],intensity [mm/hr]\r\n"));
    EXPECT_TRUE(GridCsv(window->sgSvaeuaResultados->Cells()).startsWith("time [h],cumulative runoff depth [mm]\r\n"));
}

TEST_F(WindowTest, CsvThatCannotBeWrittenNamesTheFileAndLeavesNothing)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("missing/runoff.csv");
    EXPECT_FALSE(window->sgLlResultado->SaveCsv(path));
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, "Error");
    EXPECT_TRUE(presenter.messages[0].text.startsWith("The table could not be saved to \"" + path + "\": "))
        << presenter.messages[0].text.toStdString();
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

} // namespace
} // namespace velmaro
