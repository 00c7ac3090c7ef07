#include "rainfall/RainfallSeriesDialog.h"

#include "rainfall/SeriesImportDialog.h"
#include "testsupport/ActiveWindow.h"
#include "testsupport/ModalDialogs.h"
#include "testsupport/RecordingPresenter.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <numeric>

namespace velmaro::rainfall {
namespace {

const QStringList kHeightUnits{"mm|1|0", "cm|0.1|0", "m|0.001|0",
                                "in|0.0393700787401574803149606299212598425196850394|0"};

RainfallSeries DefaultPartial()
{
    RainfallSeries series;
    series.heights = {9.4, 22.6, 73.4, 13.2, 7.3, 6.0};
    series.heights[8] = 50; // step 9, above the count
    series.stepCount = 6;
    return series;
}

RainfallSeries Cumulative(std::initializer_list<double> heights)
{
    RainfallSeries series;
    series.kind = SeriesKind::Cumulative;
    std::copy(heights.begin(), heights.end(), series.heights.begin());
    series.stepCount = static_cast<int>(heights.size());
    return series;
}

std::vector<double> Steps(const RainfallSeries &series)
{
    return {series.heights.begin(), series.heights.begin() + series.stepCount};
}

class SeriesDialogTest : public ::testing::Test {
protected:
    RainfallSeriesDialog &Open(const RainfallSeries &series, int unit = 0, double timeStep = 30)
    {
        dialog = std::make_unique<RainfallSeriesDialog>(series, SeriesDisplay{kHeightUnits, unit, timeStep});
        return *dialog;
    }

    QString Cell(int row, int column) const
    {
        return dialog->Table()->model()->index(row, column).data().toString();
    }

    void SelectRow(int row)
    {
        dialog->Table()->setCurrentIndex(dialog->Table()->model()->index(row, 2));
    }

    // Answers the next import preview: `look` sees it, then OK when it is enabled, else Cancel.
    static void AnswerPreview(std::function<void(SeriesImportDialog &)> look = {})
    {
        test::AnswerNextModalDialog<SeriesImportDialog>([look](SeriesImportDialog &preview) {
            if (look)
                look(preview);
            if (preview.OkButton()->isEnabled())
                preview.OkButton()->click();
            else
                preview.reject();
        });
    }

    static QString WriteFile(const QTemporaryDir &folder, const QString &name, const QByteArray &bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    test::RecordingPresenter presenter;
    std::unique_ptr<RainfallSeriesDialog> dialog;
};

TEST_F(SeriesDialogTest, ShowsEveryStepWithItsEndTimeAndHeightInTheFieldsUnit)
{
    Open(DefaultPartial(), 1, 20);
    EXPECT_EQ(dialog->windowTitle(), "Rainfall series");
    EXPECT_EQ(dialog->Table()->model()->rowCount(), 6);
    EXPECT_EQ(dialog->StepCountBox()->value(), 6);
    EXPECT_EQ(dialog->Table()->model()->headerData(2, Qt::Horizontal).toString(),
              "Partial rainfall height [cm]");
    EXPECT_EQ(Cell(0, 0), "1");
    EXPECT_EQ(Cell(2, 1), "1");
    EXPECT_EQ(Cell(1, 1), "0.66667");
    EXPECT_EQ(Cell(0, 2), "0.94");
    EXPECT_EQ(Cell(2, 2), "7.34");
}

TEST_F(SeriesDialogTest, AUnitOutsideTheListShowsTheHeightsAsKept)
{
    Open(DefaultPartial(), static_cast<int>(kHeightUnits.size()));
    EXPECT_EQ(dialog->Table()->model()->headerData(2, Qt::Horizontal).toString(),
              "Partial rainfall height [mm]");
    EXPECT_EQ(Cell(0, 2), "9.4");
    EXPECT_EQ(Cell(2, 2), "73.4");
}

TEST_F(SeriesDialogTest, PasteReplacesStepsFromTheCurrentRowAndCoversThem)
{
    Open(DefaultPartial());
    SelectRow(2);
    ASSERT_TRUE(dialog->PasteText("1\n2\n3\n4\n5\n6\n"));
    EXPECT_EQ(Steps(dialog->Series()), (std::vector<double>{9.4, 22.6, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(dialog->StepCountBox()->value(), 8);
    EXPECT_EQ(dialog->Series().heights[8], 50) << "the slot above the count keeps its height";
    SelectRow(0);
    AnswerPreview();
    ASSERT_TRUE(dialog->PasteText("0.5;7\n1;8"));
    EXPECT_EQ(Steps(dialog->Series()), (std::vector<double>{7, 8}));
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(SeriesDialogTest, PastedHeightsAreInTheUnitShown)
{
    Open(DefaultPartial(), 1);
    ASSERT_TRUE(dialog->PasteText("1,5\n2"));
    EXPECT_EQ(Steps(dialog->Series()), (std::vector<double>{15, 20}));
}

struct BadPaste {
    const char *name;
    RainfallSeries series;
    int row;
    QString text;
    QString message;
    int shownRow;
};

class BadPastes : public SeriesDialogTest, public ::testing::WithParamInterface<BadPaste> {};

TEST_P(BadPastes, ChangeNothingAndShowTheOffendingRow)
{
    const BadPaste &bad = GetParam();
    Open(bad.series);
    SelectRow(bad.row);
    EXPECT_FALSE(dialog->PasteText(bad.text));
    EXPECT_EQ(presenter.Texts(), QStringList{bad.message});
    EXPECT_EQ(presenter.messages.front().caption, "Error");
    EXPECT_EQ(Steps(dialog->Series()), Steps(bad.series));
    EXPECT_EQ(dialog->Series().heights, bad.series.heights);
    EXPECT_EQ(dialog->StepCountBox()->value(), bad.series.stepCount);
    EXPECT_EQ(dialog->CurrentRow(), bad.shownRow);
}

QString Ones(int count)
{
    return QString("1\n").repeated(count);
}

INSTANTIATE_TEST_SUITE_P(
    SeriesDialog, BadPastes,
    ::testing::Values(
        BadPaste{"LineNotANumber", DefaultPartial(), 0, "1\n2\nabc\n4", "Line 3, column 1: 'abc' is not a number.", 2},
        BadPaste{"NegativeHeight", DefaultPartial(), 1, "1\n-2",
                 "Line 2, column 1: a rainfall height cannot be negative.", 2},
        BadPaste{"MoreThanAHundred", DefaultPartial(), 0, Ones(101),
                 "Line 101: there are more than 100 values; a series has at most 100 steps.", 5},
        BadPaste{"FallingBelowAnEarlierStep", Cumulative({10, 20, 30}), 1, "5\n40",
                 "Line 1 (step 2): the cumulative height falls below that of step 1.", 1},
        BadPaste{"FallingWithinThePaste", Cumulative({10, 20, 30}), 0, "10\n12\n11",
                 "Line 3 (step 3): the cumulative height falls below that of step 2.", 2},
        BadPaste{"Nothing", DefaultPartial(), 3, "\n\n", "There is no height to take.", 3}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SeriesDialogTest, CtrlVPastesTheClipboardAtTheCurrentRow)
{
    Open(DefaultPartial());
    ASSERT_NO_FATAL_FAILURE(test::ShowActive(*dialog));
    QApplication::clipboard()->setText("0.5\t7,5\n1\t8\n");
    SelectRow(4);
    dialog->Table()->setFocus();
    AnswerPreview();
    QTest::keyClick(dialog->Table(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Steps(dialog->Series()), (std::vector<double>{9.4, 22.6, 73.4, 13.2, 7.5, 8}));
}

TEST_F(SeriesDialogTest, ExportWritesTheSeriesThatImportReadsBack)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("series.csv");
    RainfallSeries series = DefaultPartial();
    series.heights[0] = 0.1 + 0.2;
    Open(series, 1);
    ASSERT_TRUE(dialog->ExportFile(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readLine(), "Time [h],Partial rainfall height [cm]\r\n");
    EXPECT_EQ(file.readLine(), "0.5,0.030000000000000006\r\n");

    Open(series);
    ASSERT_TRUE(dialog->ExportFile(path));
    Open(RainfallSeries{});
    AnswerPreview();
    ASSERT_TRUE(dialog->ImportFile(path));
    EXPECT_EQ(Steps(dialog->Series()), Steps(series));
    EXPECT_EQ(dialog->TimeStep(), 30);
    EXPECT_TRUE(presenter.messages.empty());

    // Exported in inches, imported where the heights show mm: read in the unit the file names.
    Open(series, 3);
    ASSERT_TRUE(dialog->ExportFile(path));
    Open(RainfallSeries{});
    QString note;
    QStringList headings;
    AnswerPreview([&](SeriesImportDialog &preview) {
        note = preview.findChild<QLabel *>("unitNote")->text();
        const QAbstractItemModel *steps = preview.StepsView()->model();
        for (int column = 3; column < steps->columnCount(); ++column)
            headings.append(steps->headerData(column, Qt::Horizontal).toString());
    });
    ASSERT_TRUE(dialog->ImportFile(path));
    EXPECT_EQ(note, "Heights are read in in, as the column's name says, and taken in mm, the unit the series shows.");
    EXPECT_EQ(headings, QStringList({"Partial rainfall height [in]", "Taken as partial rainfall height [mm]"}));
    const std::vector<double> imported = Steps(dialog->Series());
    ASSERT_EQ(imported.size(), Steps(series).size());
    for (std::size_t i = 0; i < imported.size(); ++i)
        EXPECT_DOUBLE_EQ(imported[i], Steps(series)[i]);
}

TEST_F(SeriesDialogTest, ABadFileChangesNothing)
{
    QTemporaryDir folder;
    const QString path = WriteFile(folder, "bad.txt", "Cumulative\n10\n20\n15\n");
    Open(Cumulative({1, 2}));
    QStringList problems;
    AnswerPreview([&problems](SeriesImportDialog &preview) {
        for (int i = 0; i < preview.ProblemList()->count(); ++i)
            problems.append(preview.ProblemList()->item(i)->text());
    });
    EXPECT_FALSE(dialog->ImportFile(path));
    EXPECT_EQ(problems, QStringList{"Line 4, column 1: the cumulative height falls below that of line 3."});
    EXPECT_FALSE(dialog->ImportFile(folder.filePath("missing.csv")));
    EXPECT_EQ(presenter.Texts(), QStringList{folder.filePath("missing.csv") + ": the file cannot be opened."});
    EXPECT_EQ(Steps(dialog->Series()), (std::vector<double>{1, 2}));
    EXPECT_FALSE(dialog->ExportFile(folder.filePath("no/such/folder/x.csv")));
    EXPECT_EQ(presenter.messages.size(), 2u);
}

// The file that started it all: hours and heights, read as such, and the series takes the file's
// hourly step once the user says OK to it.
TEST_F(SeriesDialogTest, AnImportTakesTheStepOfItsTimesWhenTheUserSaysOk)
{
    QTemporaryDir folder;
    const QString path = WriteFile(folder, "hourly.csv", "1,12\n2,30\n3,8\n");
    Open(DefaultPartial(), 0, 15);
    QString offer;
    AnswerPreview([&offer](SeriesImportDialog &preview) { offer = preview.StepLabel()->text(); });
    ASSERT_TRUE(dialog->ImportFile(path));
    EXPECT_EQ(offer, "The times step every 60 min; the series steps every 15 min. OK sets the series' time step to 60 min.");
    EXPECT_EQ(Steps(dialog->Series()), (std::vector<double>{12, 30, 8}));
    EXPECT_EQ(dialog->TimeStep(), 60);
    EXPECT_EQ(Cell(2, 1), "3");

    Open(DefaultPartial(), 0, 15);
    test::AnswerNextModalDialog<SeriesImportDialog>([](SeriesImportDialog &preview) { preview.reject(); });
    EXPECT_FALSE(dialog->ImportFile(path));
    EXPECT_EQ(dialog->TimeStep(), 15);
    EXPECT_EQ(Steps(dialog->Series()), Steps(DefaultPartial()));
}

// The preview reads again with every choice, and OK waits until every line taken reads.
TEST(SeriesImportPreview, ReadsWithTheChoicesAndEnablesOkOnlyWhenEveryLineReads)
{
    SeriesImportDialog preview("1,12\n2,30\n3,8\n", "hourly.csv", ImportTarget{SeriesKind::Partial, 60, 1, "mm"});
    EXPECT_TRUE(preview.OkButton()->isEnabled());
    EXPECT_EQ(preview.StepLabel()->text(), "The times step every 60 min, as the series does.");
    EXPECT_EQ(preview.StepsView()->model()->rowCount(), 3);
    EXPECT_EQ(preview.LinesView()->model()->index(0, 0).data().toString(), "1  1,12");
    EXPECT_FALSE(preview.NewTimeStep());

    auto *separator = preview.findChild<QComboBox *>("separator");
    separator->setCurrentIndex(separator->findText("None: one column"));
    EXPECT_FALSE(preview.OkButton()->isEnabled());
    ASSERT_EQ(preview.ProblemList()->count(), 3);
    EXPECT_EQ(preview.ProblemList()->item(0)->text(), "Line 1, column 1: '1,12' is not a number.");

    auto *decimal = preview.findChild<QComboBox *>("decimalMark");
    decimal->setCurrentIndex(decimal->findText("Comma ,"));
    EXPECT_TRUE(preview.OkButton()->isEnabled());
    EXPECT_EQ(preview.Taken().front().height, 1.12);
    EXPECT_EQ(preview.StepLabel()->text(), "No column of times: each line is the next step, 60 min after the one before.");
}

// A cumulative file fills a partial series with its rises; a paste lower down cannot change the
// step of the heights above it.
TEST(SeriesImportPreview, ConvertsTheKindAndRefusesAStepItCannotTake)
{
    const std::string text = "Time [min];Cumulative [mm]\n10;2\n20;5\n30;5,5\n";
    SeriesImportDialog preview(text, "logger.csv", ImportTarget{SeriesKind::Partial, 30, 1, "mm"});
    EXPECT_EQ(preview.Options().timeUnit, TimeUnit::Minutes);
    std::vector<double> heights;
    for (const HeightLine &h : preview.Taken())
        heights.push_back(h.height);
    EXPECT_EQ(heights, (std::vector<double>{2, 3, 0.5}));
    EXPECT_EQ(preview.NewTimeStep(), 10);
    EXPECT_TRUE(preview.OkButton()->isEnabled());

    SeriesImportDialog lower(text, "logger.csv", ImportTarget{SeriesKind::Partial, 30, 4, "mm"});
    EXPECT_FALSE(lower.OkButton()->isEnabled());
    EXPECT_FALSE(lower.NewTimeStep());
    EXPECT_TRUE(lower.StepLabel()->text().contains("Pasted from step 4")) << lower.StepLabel()->text().toStdString();
}

TEST_F(SeriesDialogTest, StormsAreLaidOnTheTimeStepOrTheStepCount)
{
    Open(DefaultPartial());
    ASSERT_TRUE(dialog->GenerateStorm(StormType::TypeII, "100"));
    EXPECT_EQ(dialog->Series().stepCount, 48);
    EXPECT_EQ(dialog->Table()->model()->rowCount(), 48);
    const std::vector<double> storm = Steps(dialog->Series());
    EXPECT_NEAR(std::accumulate(storm.begin(), storm.end(), 0.0), 100, 1e-9);
    EXPECT_EQ(storm, MakeStorm(StormType::TypeII, 100, 30, 0).partial);

    dialog->StepCountBox()->setValue(4);
    ASSERT_TRUE(dialog->GenerateStorm(StormType::Uniform, "60"));
    EXPECT_EQ(Steps(dialog->Series()), std::vector<double>(4, 15));
    EXPECT_EQ(dialog->Series().heights[4], storm[4]) << "slots above the count keep their heights";

    Open(Cumulative({1}));
    ASSERT_TRUE(dialog->GenerateStorm(StormType::TypeIA, "50"));
    EXPECT_EQ(dialog->Series().heights[47], 50);
    EXPECT_EQ(Steps(dialog->Series()), MakeStorm(StormType::TypeIA, 50, 30, 0).cumulative);
}

TEST_F(SeriesDialogTest, StormDepthIsInInchesWhileTheHeightsShowInches)
{
    const auto depthCaption = [this] {
        QStringList captions;
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            if (label->text().startsWith("Total"))
                captions.append(label->text());
        return captions;
    };
    Open(DefaultPartial(), 1, 15);
    EXPECT_EQ(dialog->StormDepthUnit(), "mm");
    EXPECT_EQ(depthCaption(), QStringList{"Total &depth [mm]"});

    Open(DefaultPartial(), 3, 15);
    EXPECT_EQ(dialog->StormDepthUnit(), "in");
    EXPECT_EQ(depthCaption(), QStringList{"Total &depth [in]"});
    ASSERT_TRUE(dialog->GenerateStorm(StormType::TypeII, "5"));
    EXPECT_EQ(Steps(dialog->Series()), MakeStorm(StormType::TypeII, 127, 15, 0).partial);
}

// The series keeps what made it only while its heights are the storm's.
TEST_F(SeriesDialogTest, AStormIsRememberedUntilItsHeightsChange)
{
    Open(DefaultPartial(), 0, 15);
    EXPECT_FALSE(dialog->Series().storm);
    ASSERT_TRUE(dialog->GenerateStorm(StormType::TypeIII, "120"));
    ASSERT_TRUE(dialog->Series().storm);
    EXPECT_EQ(dialog->Series().storm->type, StormType::TypeIII);
    EXPECT_EQ(dialog->Series().storm->depthMm, 120);
    EXPECT_EQ(dialog->Series().storm->timeStepMinutes, 15);

    QAbstractItemModel *cells = dialog->Table()->model();
    EXPECT_TRUE(cells->setData(cells->index(0, 2), cells->index(0, 2).data()));
    EXPECT_TRUE(dialog->Series().storm) << "a cell committed unchanged keeps the storm";
    EXPECT_TRUE(cells->setData(cells->index(0, 2), "3"));
    EXPECT_FALSE(dialog->Series().storm);

    ASSERT_TRUE(dialog->GenerateStorm(StormType::Uniform, "60"));
    dialog->StepCountBox()->setValue(dialog->Series().stepCount + 1);
    EXPECT_FALSE(dialog->Series().storm);

    ASSERT_TRUE(dialog->GenerateStorm(StormType::Uniform, "60"));
    ASSERT_TRUE(dialog->PasteText("5\n6"));
    EXPECT_FALSE(dialog->Series().storm);
}

// A storm laid for another time step is offered again at the window's step; other series get no offer.
TEST_F(SeriesDialogTest, AStormMadeForAnotherStepIsOfferedAgainAtTheWindowsStep)
{
    const auto offer = [this] {
        const auto *line = dialog->findChild<QLabel *>("stormMade");
        const auto *again = dialog->findChild<QPushButton *>("generateAgain");
        EXPECT_EQ(line->isHidden(), again->isHidden());
        return line->isHidden() ? QString() : line->text() + " | " + again->text();
    };
    RainfallSeries laid = DefaultPartial();
    const Storm at30 = MakeStorm(StormType::TypeII, 120, 30, 0);
    std::copy(at30.partial.begin(), at30.partial.end(), laid.heights.begin());
    laid.stepCount = 48;
    laid.storm = StormRecipe{StormType::TypeII, 120, 30};

    Open(laid, 0, 30);
    EXPECT_EQ(offer(), "");
    Open(DefaultPartial(), 0, 15);
    EXPECT_EQ(offer(), "");

    Open(laid, 0, 15);
    EXPECT_EQ(offer(), "NRCS Type II, 120 mm, made for 30 min steps | Generate a&gain at 15 min steps");
    EXPECT_EQ(dialog->findChild<QLineEdit *>("stormDepth")->text(), "120");
    ASSERT_TRUE(dialog->GenerateAgain());
    EXPECT_EQ(Steps(dialog->Series()), MakeStorm(StormType::TypeII, 120, 15, 0).partial);
    EXPECT_EQ(dialog->Series().storm->timeStepMinutes, 15);
    EXPECT_EQ(offer(), "");

    Open(laid, 3, 15);
    EXPECT_EQ(offer(), "NRCS Type II, 4.724 in, made for 30 min steps | Generate a&gain at 15 min steps");
    QAbstractItemModel *cells = dialog->Table()->model();
    EXPECT_TRUE(cells->setData(cells->index(0, 2), "3"));
    EXPECT_EQ(offer(), "") << "an edited storm is no longer the storm";

    Open(laid, 0, 25);
    EXPECT_FALSE(dialog->GenerateAgain());
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(Steps(dialog->Series()), Steps(laid));
}

TEST_F(SeriesDialogTest, StormsThatCannotBeLaidChangeNothing)
{
    Open(DefaultPartial(), 0, 25);
    EXPECT_FALSE(dialog->GenerateStorm(StormType::TypeI, "100"));
    EXPECT_FALSE(dialog->GenerateStorm(StormType::Uniform, "lots"));
    ASSERT_EQ(presenter.messages.size(), 2u);
    EXPECT_TRUE(presenter.messages[0].text.contains("24 min (60 steps) and 30 min (48 steps)"));
    EXPECT_EQ(presenter.messages[1].text, "The storm depth must be a number of 0 mm or more.");
    EXPECT_EQ(Steps(dialog->Series()), Steps(DefaultPartial()));
}

TEST_F(SeriesDialogTest, TypedHeightsAreCheckedAndKeptExactWhenUnchanged)
{
    RainfallSeries series = DefaultPartial();
    series.heights[1] = 0.1 + 0.2;
    Open(series, 1);
    QAbstractItemModel *cells = dialog->Table()->model();
    EXPECT_TRUE(cells->setData(cells->index(0, 2), "12,5"));
    EXPECT_TRUE(cells->setData(cells->index(1, 2), cells->index(1, 2).data()));
    EXPECT_FALSE(cells->setData(cells->index(2, 2), "-1"));
    EXPECT_FALSE(cells->setData(cells->index(3, 2), "1.2.3"));
    EXPECT_FALSE(cells->setData(cells->index(3, 1), "1"));
    EXPECT_EQ(Steps(dialog->Series()), (std::vector<double>{125, 0.1 + 0.2, 73.4, 13.2, 7.3, 6.0}));
    EXPECT_EQ(presenter.Texts(), QStringList({"Step 3: a rainfall height cannot be negative.",
                                              "Step 4: '1.2.3' is not a number."}));
}

TEST_F(SeriesDialogTest, StepCountHidesLaterStepsWithoutClearingThem)
{
    Open(DefaultPartial());
    dialog->StepCountBox()->setValue(2);
    EXPECT_EQ(dialog->Table()->model()->rowCount(), 2);
    dialog->StepCountBox()->setValue(9);
    EXPECT_EQ(Steps(dialog->Series()), (std::vector<double>{9.4, 22.6, 73.4, 13.2, 7.3, 6.0, 0, 0, 50}));
}

TEST_F(SeriesDialogTest, OkRefusesAFallingCumulativeSeriesShowingTheStep)
{
    Open(Cumulative({10, 20, 15, 30}));
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(presenter.Texts(), QStringList{"Step 3: the cumulative height falls below that of step 2."});
    EXPECT_EQ(dialog->CurrentRow(), 2);
    dialog->Table()->model()->setData(dialog->Table()->model()->index(2, 2), "25");
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

} // namespace
} // namespace velmaro::rainfall
