#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "rainfall/RainfallSeriesDialog.h"
#include "rainfall/SeriesImportDialog.h"
#include "ui/ResultGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <functional>

namespace velmaro {
namespace {

const char *const kOutOfOrder = "The sequence of cummulative rainfall is incorrectly loaded";

class RainfallEditorTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowTab(window->Forzantes);
    }

    void SetHeight(int step, const QString &text)
    {
        Pick(window->cbLluvia, step - 1);
        Type(window->euAll, text);
    }

    void TypeStepCount(const QString &text)
    {
        QLineEdit *edit = window->cbSall->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // Clicks "Series...", lets `use` work on the dialog it opens, then answers OK or Cancel.
    void UseSeriesDialog(const std::function<void(rainfall::RainfallSeriesDialog &)> &use, bool ok)
    {
        test::AnswerNextModalDialog<rainfall::RainfallSeriesDialog>([use, ok](rainfall::RainfallSeriesDialog &dialog) {
            use(dialog);
            if (ok)
                dialog.accept();
            if (dialog.isVisible()) {
                EXPECT_FALSE(ok) << "OK was refused";
                dialog.reject();
            }
        });
        window->btnSeries->click();
    }

    // Each fill of the rainfall grid writes its last column's heading once.
    int RainfallGridFills(const std::function<void()> &action)
    {
        QSignalSpy fills(&window->sgLlResultado->Cells(), &QAbstractItemModel::headerDataChanged);
        action();
        return static_cast<int>(fills.count());
    }
};

TEST_F(RainfallEditorTest, StartsWithSixPartialSteps)
{
    EXPECT_EQ(window->cbSall->count(), 100);
    EXPECT_EQ(window->cbSall->currentText(), "6");
    EXPECT_EQ(window->cbLluvia->count(), 6);
    EXPECT_EQ(window->cbLluvia->currentText(), "1");
    EXPECT_EQ(window->euAll->text(), "9.4");
    EXPECT_EQ(window->euAll->EditLabel()->text(), "Partial rainfall height");
    EXPECT_TRUE(window->rcParcial->isChecked());
    EXPECT_EQ(window->sgLlResultado->RowCount(), 7);
    EXPECT_EQ(window->Panel1->text(), "OK");
}

TEST_F(RainfallEditorTest, TypedHeightIsStoredInItsStepAndRecomputed)
{
    Pick(window->cbLluvia, 2);
    EXPECT_EQ(window->euAll->text(), "73.4");
    Type(window->euAll, "10");
    EXPECT_EQ(model.EnteredPartial[3], 10);
    EXPECT_EQ(Column(window->sgLlResultado, 2),
              QStringList({"9.4", "32", "42", "55.2", "62.5", "68.5"}));
}

TEST_F(RainfallEditorTest, HeightUnitChangesTheFieldOnly)
{
    Pick(window->euAll->UnitBox(), 1);
    EXPECT_EQ(window->euAll->text(), "0.94");
    EXPECT_EQ(model.EnteredPartial[1], 9.4);
    EXPECT_EQ(window->sgLlResultado->Cell(1, 1), "9.4");
}

// Heights that came in whole (here through the series table) are shown at the field's three
// decimals; browsing the steps, picking another unit, switching the series kind or leaving the
// field shows them without storing them back rounded. Only typing stores.
TEST_F(RainfallEditorTest, ShowingAHeightNeverChangesTheStore)
{
    UseSeriesDialog([](rainfall::RainfallSeriesDialog &dialog) { dialog.PasteText("0.3737\n1.23456\n"); },
                    true);
    const QStringList entered{"0.3737", "1.23456"};
    const auto expectStored = [&](const char *after) {
        SCOPED_TRACE(after);
        EXPECT_EQ(model.EnteredPartial[1], 0.3737);
        EXPECT_EQ(model.EnteredPartial[2], 1.23456);
        EXPECT_EQ(Column(window->sgLlResultado, 1), entered);
    };
    Pick(window->cbLluvia, 1);
    EXPECT_EQ(window->euAll->text(), "1.235");
    Pick(window->cbLluvia, 0);
    EXPECT_EQ(window->euAll->text(), "0.374");
    expectStored("browsing the steps");

    const struct {
        int unit;
        const char *shown;
    } units[] = {{1, "0.037"}, {2, "0"}, {0, "0.374"}};
    for (const auto &u : units) {
        Pick(window->euAll->UnitBox(), u.unit);
        EXPECT_EQ(window->euAll->text(), u.shown) << "the field shows the height it holds, rounded";
    }
    expectStored("picking units");

    window->rbAcumulada->click();
    window->rcParcial->click();
    Pick(window->cbLluvia, 1);
    expectStored("switching the series kind");

    ShowWindow();
    window->euAll->setFocus();
    Type(window->euAll, "2.22222");
    EXPECT_EQ(model.EnteredPartial[2], 2.22222);
    QTest::keyClick(window->euAll, Qt::Key_Tab);
    EXPECT_EQ(window->euAll->text(), "2.222");
    EXPECT_EQ(model.EnteredPartial[2], 2.22222) << "leaving the field renders the typed height";
}

TEST_F(RainfallEditorTest, FewerStepsHideLaterHeightsWithoutClearingThem)
{
    Pick(window->cbSall, 3);
    EXPECT_EQ(model.StepCount, 4);
    EXPECT_EQ(window->cbLluvia->count(), 4);
    EXPECT_EQ(window->sgLlResultado->RowCount(), 5);
    Pick(window->cbSall, 5);
    Pick(window->cbLluvia, 4);
    EXPECT_EQ(window->euAll->text(), "7.3");
    Pick(window->cbLluvia, 5);
    EXPECT_EQ(window->euAll->text(), "6");
    EXPECT_EQ(window->sgLlResultado->Cell(2, 6), "131.9");
}

TEST_F(RainfallEditorTest, CumulativeInputHasItsOwnStore)
{
    window->rbAcumulada->click();
    EXPECT_EQ(window->euAll->EditLabel()->text(), "Cummulative rainfall height");
    EXPECT_EQ(model.PartialSeries, 0);
    EXPECT_EQ(window->euAll->text(), "0");
    EXPECT_EQ(window->Panel1->text(), "OK");
    EXPECT_EQ(Column(window->sgLlResultado, 2), QStringList({"0", "0", "0", "0", "0", "0"}));

    window->rcParcial->click();
    EXPECT_EQ(model.PartialSeries, 1);
    EXPECT_EQ(window->euAll->text(), "9.4");
    EXPECT_EQ(model.EnteredPartial[3], 73.4);
}

TEST_F(RainfallEditorTest, DecreasingCumulativeSeriesIsFlaggedButComputed)
{
    window->rbAcumulada->click();
    Pick(window->cbSall, 1);
    SetHeight(1, "10");
    SetHeight(2, "8");
    EXPECT_TRUE(window->SeriesError);
    EXPECT_EQ(window->Panel1->text(), kOutOfOrder);
    EXPECT_EQ(window->Panel1->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(Column(window->sgLlResultado, 1), QStringList({"10", "0"}));
    EXPECT_EQ(Column(window->sgLlResultado, 2), QStringList({"10", "8"}));
    EXPECT_EQ(Column(window->sgLlResultado, 3), QStringList({"20", "0"}));
    EXPECT_EQ(model.RainPartial[2], -2);

    SetHeight(2, "10");
    EXPECT_EQ(window->Panel1->text(), "OK");
    SetHeight(2, "8");
    EXPECT_EQ(window->Panel1->text(), kOutOfOrder);
    window->rcParcial->click();
    EXPECT_EQ(window->Panel1->text(), "OK");
    EXPECT_FALSE(window->SeriesError);
}

TEST_F(RainfallEditorTest, SingleStepIsAlwaysInOrder)
{
    window->rbAcumulada->click();
    model.EnteredCumulative[2] = -50;
    Pick(window->cbSall, 0);
    SetHeight(1, "10");
    EXPECT_EQ(window->Panel1->text(), "OK");
}

TEST_F(RainfallEditorTest, SeriesOkTakesThePastedSeriesAndRecomputesOnce)
{
    const int fills = RainfallGridFills([this] {
        UseSeriesDialog([](rainfall::RainfallSeriesDialog &dialog) { dialog.PasteText("5\n10\n15\n"); },
                        true);
    });
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(model.StepCount, 3);
    EXPECT_EQ(window->cbSall->currentText(), "3");
    EXPECT_EQ(window->cbLluvia->count(), 3);
    EXPECT_EQ(window->cbLluvia->currentText(), "1");
    EXPECT_EQ(window->euAll->text(), "5");
    EXPECT_EQ(Column(window->sgLlResultado, 1), QStringList({"5", "10", "15"}));
    EXPECT_EQ(Column(window->sgLlResultado, 2), QStringList({"5", "15", "30"}));
    EXPECT_EQ(model.EnteredPartial[4], 13.2) << "slots above the count keep their heights";
    EXPECT_TRUE(presenter.messages.empty());
    Pick(window->cbSall, 5);
    EXPECT_EQ(Column(window->sgLlResultado, 1), QStringList({"5", "10", "15", "13.2", "7.3", "6"}));
}

// The user took the step of a pasted text's times in the preview: the time step field shows it.
TEST_F(RainfallEditorTest, SeriesOkTakesTheStepOfAPastedTextsTimes)
{
    UseSeriesDialog([](rainfall::RainfallSeriesDialog &dialog) {
        test::AnswerNextModalDialog<rainfall::SeriesImportDialog>(
            [](rainfall::SeriesImportDialog &preview) { preview.OkButton()->click(); });
        dialog.PasteText("1,12\n2,30\n3,8\n");
    }, true);
    EXPECT_EQ(model.TimeStep, 60);
    EXPECT_EQ(window->euPtsd->text(), "60");
    EXPECT_EQ(model.StepCount, 3);
    EXPECT_EQ(Column(window->sgLlResultado, 1), QStringList({"12", "30", "8"}));
}

TEST_F(RainfallEditorTest, SeriesTypeTwoStormFillsTheGrid)
{
    UseSeriesDialog([](rainfall::RainfallSeriesDialog &dialog) {
        dialog.GenerateStorm(rainfall::StormType::TypeII, "100");
    }, true);
    EXPECT_EQ(model.StepCount, 48);
    EXPECT_EQ(window->cbSall->currentText(), "48");
    EXPECT_EQ(window->sgLlResultado->RowCount(), 49);
    EXPECT_EQ(window->sgLlResultado->Cell(0, 24), "12");
    EXPECT_EQ(window->sgLlResultado->Cell(2, 24), "66.3");
    EXPECT_EQ(window->sgLlResultado->Cell(2, 48), "100");
}

// The storm line tells a storm read at another step than it was made for, until the series is
// no longer the storm or is made again at the new step.
TEST_F(RainfallEditorTest, StormLineTellsAStormMadeForAnotherTimeStep)
{
    EXPECT_EQ(window->lblStormMade->text(), "");
    UseSeriesDialog([](rainfall::RainfallSeriesDialog &dialog) {
        dialog.GenerateStorm(rainfall::StormType::TypeII, "120");
    }, true);
    EXPECT_EQ(window->lblStormMade->text(), "");
    Type(window->euPtsd, "15");
    EXPECT_EQ(window->lblStormMade->text(), "NRCS Type II, 120 mm, made for 30 min steps");
    Pick(window->euPtsd->UnitBox(), 2); // hrs: still 15 min
    EXPECT_EQ(window->lblStormMade->text(), "NRCS Type II, 120 mm, made for 30 min steps");
    Type(window->euPtsd, "0.5");
    EXPECT_EQ(window->lblStormMade->text(), "");
    Type(window->euPtsd, "0.25");

    UseSeriesDialog([](rainfall::RainfallSeriesDialog &dialog) { ASSERT_TRUE(dialog.GenerateAgain()); }, true);
    EXPECT_EQ(model.StepCount, 96);
    EXPECT_EQ(window->lblStormMade->text(), "");
    EXPECT_EQ(window->sgLlResultado->Cell(2, 96), "120");

    Type(window->euPtsd, "1");
    EXPECT_EQ(window->lblStormMade->text(), "NRCS Type II, 120 mm, made for 15 min steps");
    SetHeight(1, "2");
    EXPECT_EQ(window->lblStormMade->text(), "") << "an edited storm is no longer the storm";
}

TEST_F(RainfallEditorTest, SeriesCancelChangesNothing)
{
    const int fills = RainfallGridFills([this] {
        UseSeriesDialog([](rainfall::RainfallSeriesDialog &dialog) {
            dialog.GenerateStorm(rainfall::StormType::TypeI, "100");
        }, false);
    });
    EXPECT_EQ(fills, 0);
    EXPECT_EQ(model.StepCount, 6);
    EXPECT_EQ(model.EnteredPartial[1], 9.4);
    EXPECT_EQ(window->cbSall->currentText(), "6");
    EXPECT_EQ(Column(window->sgLlResultado, 1), QStringList({"9.4", "22.6", "73.4", "13.2", "7.3", "6"}));
}

TEST_F(RainfallEditorTest, SeriesWorksOnTheCumulativeStoreInTheFieldsUnit)
{
    window->rbAcumulada->click();
    Pick(window->euAll->UnitBox(), 1);
    QString heading;
    UseSeriesDialog([&heading](rainfall::RainfallSeriesDialog &dialog) {
        heading = dialog.Table()->model()->headerData(2, Qt::Horizontal).toString();
        dialog.PasteText("1\n2,5");
    }, true);
    EXPECT_EQ(heading, "Cumulative rainfall height [cm]");
    EXPECT_EQ(model.EnteredCumulative[1], 10);
    EXPECT_EQ(model.EnteredCumulative[2], 25);
    EXPECT_EQ(model.EnteredPartial[2], 22.6);
    EXPECT_EQ(window->euAll->text(), "1");
    EXPECT_EQ(Column(window->sgLlResultado, 1), QStringList({"10", "15"}));
    EXPECT_EQ(window->Panel1->text(), "OK");
}

TEST_F(RainfallEditorTest, TypedStepCountNamingAnEntryChoosesIt)
{
    TypeStepCount("10");
    EXPECT_EQ(model.StepCount, 10);
    EXPECT_EQ(window->cbLluvia->count(), 10);
    EXPECT_EQ(window->sgLlResultado->RowCount(), 11);
    EXPECT_EQ(window->cbSall->currentText(), "10");
}

TEST_F(RainfallEditorTest, TypedStepCountNamingNoEntryReverts)
{
    for (const char *text : {"0", "abc", "-3", "", "6.5"}) {
        SCOPED_TRACE(text);
        TypeStepCount(text);
        EXPECT_EQ(model.StepCount, 6);
        EXPECT_EQ(window->cbSall->currentText(), "6");
        EXPECT_EQ(window->cbLluvia->count(), 6);
    }
    // Each keystroke is a change: "10" names an entry on the way to "101".
    TypeStepCount("101");
    EXPECT_EQ(model.StepCount, 10);
    EXPECT_EQ(window->cbSall->currentText(), "10");
    TypeStepCount("100");
    EXPECT_EQ(model.StepCount, 100);
    EXPECT_EQ(window->sgLlResultado->RowCount(), 101);
}

TEST_F(RainfallEditorTest, TypedSoilGroupNamingNoEntryKeepsTheGroup)
{
    QLineEdit *edit = window->cbGh->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, "D: Very low infiltration rate");
    EXPECT_EQ(model.SoilGroup, 3);
    edit->selectAll();
    QTest::keyClicks(edit, "E");
    EXPECT_EQ(model.SoilGroup, 3);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(window->cbGh->currentText(), "D: Very low infiltration rate");
    Pick(window->cbGh, 0);
    EXPECT_EQ(model.SoilGroup, 0);
}

} // namespace
} // namespace velmaro
