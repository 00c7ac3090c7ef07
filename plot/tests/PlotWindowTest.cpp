#include "plot/PlotWindow.h"

#include "engine/ModelState.h"
#include "testsupport/ActiveWindow.h"
#include "testsupport/RecordingPresenter.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <qcustomplot.h>

#include <gtest/gtest.h>

namespace velmaro {
namespace {

class PlotWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.SetDefaults();
        window.Follow(model, PlotUnits{});
    }

    QCPAbstractPlottable *Plottable(const QString &name) const
    {
        for (int i = 0; i < window.Plot()->plottableCount(); ++i)
            if (window.Plot()->plottable(i)->name() == name)
                return window.Plot()->plottable(i);
        ADD_FAILURE() << "no curve " << name.toStdString();
        return nullptr;
    }

    // The visible text items of the plot.
    QStringList Texts() const
    {
        QStringList texts;
        for (int i = 0; i < window.Plot()->itemCount(); ++i)
            if (auto *text = qobject_cast<QCPItemText *>(window.Plot()->item(i)); text && text->visible())
                texts.append(text->text());
        return texts;
    }

    test::RecordingPresenter presenter;
    ModelState model;
    PlotWindow window;
};

int PointCount(QCPAbstractPlottable *plottable)
{
    return plottable ? plottable->interface1D()->dataCount() : -1;
}

TEST_F(PlotWindowTest, DrawsEveryCurveWithThePeakLabelled)
{
    EXPECT_EQ(window.windowTitle(), "Velmaro - Plot");
    EXPECT_EQ(PointCount(Plottable("Hyetogram")), 6);
    EXPECT_EQ(PointCount(Plottable("Runoff hydrograph")), 16);
    EXPECT_EQ(PointCount(Plottable("Cumulative rainfall")), 6);
    EXPECT_EQ(PointCount(Plottable("Cumulative runoff depth")), 6);
    // Each bar spans its step: step 3 ends at 1.5 h, so its bar is centred on 1.25 h.
    auto *bars = static_cast<QCPBars *>(Plottable("Hyetogram"));
    EXPECT_DOUBLE_EQ(bars->data()->at(2)->key, 1.25);
    EXPECT_DOUBLE_EQ(bars->width(), 0.5);
    EXPECT_TRUE(bars->valueAxis()->rangeReversed());
    EXPECT_EQ(bars->valueAxis()->label(), "Intensity [mm/hr]");
    EXPECT_EQ(Plottable("Runoff hydrograph")->valueAxis()->label(), QString::fromUtf8("Discharge [m³/s]"));
    EXPECT_EQ(Texts(), QStringList({QString::fromUtf8("Peak 627.683 m³/s at 3 h"),
                                    "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %"}));
}

TEST_F(PlotWindowTest, AFailedStageBecomesALineInThePlotAndItsCurvesGoAway)
{
    model.LevelDifference = 0;
    window.Follow(model, PlotUnits{"cm/hr", 10, "l/s", 1000});
    EXPECT_EQ(PointCount(Plottable("Runoff hydrograph")), 0);
    EXPECT_EQ(PointCount(Plottable("Hyetogram")), 6);
    EXPECT_EQ(Texts(), QStringList{"Hydrograph not drawn: the concentration time stage failed "
                                   "(Floating point division by zero)"});
    EXPECT_EQ(Plottable("Hyetogram")->valueAxis()->label(), "Intensity [cm/hr]");
    EXPECT_TRUE(presenter.messages.empty()) << "a failure is told in the plot, not in a message";

    model.LevelDifference = 1020;
    window.Follow(model, PlotUnits{});
    EXPECT_EQ(PointCount(Plottable("Runoff hydrograph")), 16);
    EXPECT_EQ(Texts().size(), 2) << "the failure line goes once the stage computes again: the peak "
                                    "label and the volume check remain";
}

// Every curve is handed as many times as values whichever stage failed; the plotting library
// complains on standard error otherwise, which fails the test.
TEST_F(PlotWindowTest, EachCurveKeepsItsTimesAndValuesTogetherWhicheverStageFailed)
{
    const struct {
        const char *failure;
        void (*spoil)(ModelState &);
        int steps, runoffSteps, ordinates;
    } cases[] = {
        {"curve number 0", [](ModelState &m) { m.CurveNumber = 0; }, 6, 0, 0},
        {"time step 0", [](ModelState &m) { m.TimeStep = 0; }, 0, 0, 0},
        {"level difference 0", [](ModelState &m) { m.LevelDifference = 0; }, 6, 6, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.failure);
        ModelState spoilt = model;
        c.spoil(spoilt);
        window.Follow(spoilt, PlotUnits{});
        EXPECT_EQ(PointCount(Plottable("Hyetogram")), c.steps);
        EXPECT_EQ(PointCount(Plottable("Cumulative rainfall")), c.steps);
        EXPECT_EQ(PointCount(Plottable("Cumulative runoff depth")), c.runoffSteps);
        EXPECT_EQ(PointCount(Plottable("Runoff hydrograph")), c.ordinates);
        window.Plot()->replot();
    }
}

TEST_F(PlotWindowTest, FollowsTheDataUntilTheUserZoomsAndResetShowsEverythingAgain)
{
    window.show();
    QCPAxis *time = Plottable("Runoff hydrograph")->keyAxis();
    EXPECT_DOUBLE_EQ(time->range().upper, 8);

    QWheelEvent zoomIn(QPointF(300, 200), window.Plot()->mapToGlobal(QPointF(300, 200)), {}, {0, 120},
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window.Plot(), &zoomIn);
    const QCPRange zoomed = time->range();
    EXPECT_LT(zoomed.size(), 8);

    model.StepCount = 3;
    window.Follow(model, PlotUnits{});
    EXPECT_DOUBLE_EQ(time->range().lower, zoomed.lower) << "a recomputation keeps the user's view";

    window.ResetView();
    EXPECT_DOUBLE_EQ(time->range().upper, 6.5);
}

TEST_F(PlotWindowTest, ShowsTheValuesUnderThePointer)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.Plot()->replot();
    QCPAxis *time = Plottable("Runoff hydrograph")->keyAxis();
    QCPAxis *discharge = Plottable("Runoff hydrograph")->valueAxis();
    const QPoint at(qRound(time->coordToPixel(1.3)), qRound(discharge->coordToPixel(100)));
    QMouseEvent move(QEvent::MouseMove, at, window.Plot()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(window.Plot(), &move);
    EXPECT_TRUE(window.PointerText().contains("step 3    intensity 146.8 mm/hr")) << window.PointerText().toStdString();
}

QString OutputOf(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(PlotWindowTest, SavesReadablePngSvgAndVectorPdf)
{
    QTemporaryDir folder;
    const QString png = folder.filePath("plot.png"), svg = folder.filePath("plot.svg"),
                  pdf = folder.filePath("plot.PDF");
    ASSERT_TRUE(window.SaveTo(png));
    ASSERT_TRUE(window.SaveTo(svg));
    ASSERT_TRUE(window.SaveTo(pdf));
    EXPECT_TRUE(presenter.messages.empty()) << presenter.Texts().join('\n').toStdString();

    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(900, 640));

    QSvgRenderer drawing(svg);
    EXPECT_TRUE(drawing.isValid());
    QFile svgFile(svg);
    ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
    const QByteArray svgText = svgFile.readAll();
    EXPECT_TRUE(svgText.contains("<path") || svgText.contains("<polyline"));
    EXPECT_FALSE(svgText.contains("<image")) << "the curves are drawn as vectors, not as a picture";

    const QString info = OutputOf("pdfinfo", {pdf});
    if (info.isEmpty())
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+900 x 640 pts"))) << info.toStdString();
    // Text that pdftotext finds is text, not a picture of it.
    const QString text = OutputOf("pdftotext", {pdf, "-"});
    EXPECT_TRUE(text.contains(QString::fromUtf8("Discharge [m³/s]"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("Peak 627.683 m³/s at 3 h"))) << text.toStdString();
}

TEST_F(PlotWindowTest, AFileThatCannotBeWrittenIsNamedWithItsReasonAndNothingIsLeft)
{
    QTemporaryDir folder;
    const QString missingFolder = folder.filePath("missing/plot.png");
    EXPECT_FALSE(window.SaveTo(missingFolder));
    const QString wrongKind = folder.filePath("plot.txt");
    EXPECT_FALSE(window.SaveTo(wrongKind));
    const QStringList texts = presenter.Texts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith("The plot could not be saved to \"" + missingFolder + "\": "))
        << texts[0].toStdString();
    EXPECT_GT(texts[0].size(), 35 + missingFolder.size()) << "the reason is given";
    EXPECT_EQ(texts[1], "The plot could not be saved to \"" + wrongKind +
                                      "\": the name must end in .png, .svg or .pdf.");
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST_F(PlotWindowTest, SaveAsksForTheFileAndCopyPutsThePictureOnTheClipboard)
{
    QTemporaryDir folder;
    const QString chosen = folder.filePath("asked.svg");
    window.AskSavePath = [&chosen](QWidget *) { return chosen; };
    test::ShowActive(window);
    QTest::keyClick(window.windowHandle(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(chosen));

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(window.windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), window.Plot()->size());
}

} // namespace
} // namespace velmaro

namespace velmaro {
namespace {

TEST_F(PlotWindowTest, CompareDrawsTheOtherUnitHydrographsWithTheirPeaksAndNamesThemAll)
{
    auto *compare = window.findChild<QCheckBox *>("compare");
    ASSERT_TRUE(compare);
    EXPECT_EQ(compare->text(), "Compare");
    EXPECT_FALSE(compare->isChecked());
    const auto legendNames = [this] {
        QStringList names;
        for (int i = 0; i < window.Plot()->legend->itemCount(); ++i)
            if (auto *item = qobject_cast<QCPPlottableLegendItem *>(window.Plot()->legend->item(i)))
                names.append(item->plottable()->name());
        return names;
    };
    const auto dashedLines = [this] {
        QList<QCPGraph *> lines;
        for (int i = 0; i < window.Plot()->graphCount(); ++i)
            if (window.Plot()->graph(i)->visible() && window.Plot()->graph(i)->pen().style() == Qt::DashLine)
                lines.append(window.Plot()->graph(i));
        return lines;
    };
    const auto peakMarks = [this] {
        int marks = 0;
        for (int i = 0; i < window.Plot()->itemCount(); ++i)
            if (auto *mark = qobject_cast<QCPItemTracer *>(window.Plot()->item(i)); mark && mark->visible())
                ++marks;
        return marks;
    };
    EXPECT_EQ(legendNames(), QStringList({"Hyetogram", "Runoff hydrograph"}));
    EXPECT_TRUE(dashedLines().isEmpty());

    compare->click();
    EXPECT_EQ(legendNames(), QStringList({"Hyetogram", QString::fromUtf8("Triangular (chosen): peak 627.683 m³/s at 3 h"),
                                          QString::fromUtf8("Triangular, volume kept: peak 502.867 m³/s at 3 h"),
                                          QString::fromUtf8("NRCS curvilinear: peak 615.481 m³/s at 3 h")}));
    const QList<QCPGraph *> lines = dashedLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(PointCount(lines[0]), 16);
    EXPECT_EQ(PointCount(lines[1]), 22);
    EXPECT_EQ(peakMarks(), 3);
    EXPECT_DOUBLE_EQ(lines[1]->keyAxis()->range().upper, 11) << "the longest curve is seen whole";

    model.UnitHydrograph = 2;
    window.Follow(model, PlotUnits{});
    EXPECT_EQ(legendNames()[1], QString::fromUtf8("NRCS curvilinear (chosen): peak 615.481 m³/s at 3 h"));
    EXPECT_EQ(PointCount(dashedLines()[0]), 16) << "the triangle now dashed";

    compare->click();
    EXPECT_EQ(legendNames(), QStringList({"Hyetogram", "Runoff hydrograph"}));
    EXPECT_TRUE(dashedLines().isEmpty());
    EXPECT_EQ(peakMarks(), 1);
}

} // namespace
} // namespace velmaro
