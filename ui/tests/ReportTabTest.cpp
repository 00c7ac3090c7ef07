#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "text/FieldText.h"
#include "ui/WindowReportSources.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
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

TEST_F(ReportTabTest, InUsUnitsTheReportShowsValuesAndUnitsAsTheFieldsDo)
{
    window->UsCustomary1->trigger();
    ShowTab(window->TabSheet1);
    for (const char *line : {"Distance from farthest point to outlet 71489.50131 ft",
                             "Land level difference between the farthest point and the outlet 3346.45669 ft",
                             "Watershed area 17361.6241 ac", "Initial Abstraction 0.70866 in",
                             "Maximum potencial retention1.765 in", "Specific total volume 4.017 in",
                             "Peak discharge 22170 ft³/s"})
        EXPECT_TRUE(Report().contains(QString::fromUtf8(line))) << line;
    EXPECT_EQ(model.InitialAbstraction, 18) << "the inputs keep the values entered";
    EXPECT_EQ(model.LevelDifference, 1020);
}

// The values the report's own tests take as the default window's: each field as it shows it.
TEST_F(ReportTabTest, TheReportReadsTheDefaultsAsTheWindowShowsThem)
{
    ShowTab(window->TabSheet1);
    const WindowReportSources sources(*window);
    struct Case {
        ReportField field;
        double value;
        QString unit;
    };
    const Case cases[] = {
        {ReportField::FlowLength, 21.79, "km"},
        {ReportField::LevelDifference, 1020, "m"},
        {ReportField::WatershedArea, 70.26, "km²"},
        {ReportField::ConcentrationTime, 2.333, "hrs"},
        {ReportField::InitialAbstraction, 18, "mm"},
        {ReportField::TimeStep, 30, "min"},
        {ReportField::CurveNumber, 85, "-"},
        {ReportField::PotentialRetention, 44.824, "mm"},
        {ReportField::TotalVolume, 7168000, "m³"}, // shown 7.168E6
        {ReportField::SpecificVolume, 102.022, "mm"},
        {ReportField::PeakDischarge, 627.683, "m³/s"},
        {ReportField::TimeToPeak, 3, "hrs"},
    };
    for (const Case &c : cases) {
        const ShownValue shown = sources.Field(c.field);
        EXPECT_DOUBLE_EQ(shown.value, c.value) << static_cast<int>(c.field);
        EXPECT_EQ(shown.unit, c.unit) << static_cast<int>(c.field);
    }
    EXPECT_EQ(sources.SoilGroup().index, 1);
    EXPECT_EQ(sources.SoilGroup().text, "B: Moderate infiltration rate");
    EXPECT_EQ(sources.StepCount().index, 5);
    EXPECT_EQ(sources.StepCount().text, "6");
    EXPECT_EQ(sources.LandUseCaption(), "Urban areas");
    EXPECT_EQ(sources.SeriesKindCaption(), "Series of partial rainfall heights");
    EXPECT_EQ(sources.VolumeCheck(), "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %");
    EXPECT_EQ(sources.UnitHydrograph().index, 0);
    EXPECT_EQ(sources.UnitHydrograph().text, "Triangular");
    EXPECT_EQ(&sources.Model(), &model);
    EXPECT_EQ(model.AssignInitialAbstraction, 1);
    EXPECT_EQ(model.PartialSeries, 1);
}

TEST_F(ReportTabTest, TheReportReadsWhatTheUserChanged)
{
    ShowTab(window->Escorrentia);
    const WindowReportSources sources(*window);
    window->euDdpmrhls->ChangeUnit(1);
    window->euCpResultado->ChangeUnit(1);
    EXPECT_DOUBLE_EQ(sources.Field(ReportField::FlowLength).value, 21790);
    EXPECT_EQ(sources.Field(ReportField::FlowLength).unit, "m");
    EXPECT_DOUBLE_EQ(sources.Field(ReportField::PeakDischarge).value, 627700); // shown 6.277E5
    EXPECT_EQ(sources.Field(ReportField::PeakDischarge).unit, "l/s");

    window->rbOta->setChecked(true);
    EXPECT_EQ(sources.LandUseCaption(), "Other agricultural lands");
    window->rbAcumulada->setChecked(true);
    EXPECT_EQ(sources.SeriesKindCaption(), "Series of cummulative rainfall heights");

    // Typing over a list keeps its current entry; a list emptied of its choice has none.
    Type(window->cbGh->lineEdit(), "Z");
    EXPECT_EQ(sources.SoilGroup().text, "B: Moderate infiltration rate");
    window->cbGh->setCurrentIndex(-1);
    EXPECT_EQ(sources.SoilGroup().index, -1);

    Type(window->euAi, "1-2");
    try {
        sources.Field(ReportField::InitialAbstraction);
        FAIL() << "no error";
    } catch (const ConversionError &error) {
        EXPECT_STREQ(error.what(), "'1-2' is not a valid floating point value");
    }
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

// Unticked, the runoff depths use 0.2 times the retention, whatever the hidden field holds.
TEST_F(ReportTabTest, TheInitialAbstractionPrintedIsTheOneTheComputationUsed)
{
    ShowTab(window->Suelo);
    Pick(window->euAi->UnitBox(), 1);
    window->cbAai->click();
    ShowTab(window->Condicionantes);
    Type(window->euNc, "75");
    ShowTab(window->TabSheet1);
    EXPECT_NEAR(model.InitialAbstraction, 16.93333, 1e-5);
    EXPECT_TRUE(Report().contains("Initial Abstraction 1.69333 cm")) << Report().toStdString();
    EXPECT_EQ(window->euAi->text(), "1.8") << "the entered value stays as it was";

    ShowTab(window->Condicionantes);
    Type(window->euNc, "0");
    ShowTab(window->TabSheet1);
    EXPECT_TRUE(Report().contains("Initial Abstraction not computed (")) << Report().toStdString();

    ShowTab(window->Suelo);
    window->cbAai->click();
    ShowTab(window->TabSheet1);
    EXPECT_TRUE(Report().contains("Initial Abstraction 1.8 cm"));
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

// "Save as..." saves the report as last shown: a name ending in .pdf gives the printed pages,
// the RTF type gives the filled bytes; a file that cannot be written is reported as printing
// reports it, and nothing is left behind.
TEST_F(ReportTabTest, SaveAsButtonSavesTheShownReportAsPdfOrRtf)
{
    ShowTab(window->TabSheet1);
    QTemporaryDir directory;
    const auto saveAs = [&](const QString &name, bool rtf) {
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no save dialog came up";
            ASSERT_EQ(dialog->nameFilters().size(), 2);
            dialog->selectNameFilter(dialog->nameFilters().at(rtf ? 1 : 0));
            dialog->selectFile(name);
            static_cast<QDialog *>(dialog)->accept(); // the dialog checks the name as its OK does
        });
        QTest::mouseClick(window->SaveReportButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    };
    const auto head = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray();
    };
    saveAs(directory.filePath("pages.pdf"), false);
    EXPECT_EQ(head(directory.filePath("pages.pdf")), "%PDF-");
    saveAs(directory.filePath("words"), true);
    EXPECT_EQ(head(directory.filePath("words.rtf")), "{\\rtf");
    EXPECT_TRUE(presenter.messages.empty());

    const QString unwritable = directory.filePath("missing/report.pdf");
    saveAs(unwritable, false);
    ASSERT_EQ(presenter.messages.size(), 1u);
    // The dialog names the folder by its own path, which may differ from ours by a link.
    EXPECT_TRUE(presenter.messages[0].text.startsWith("The report could not be printed on /"));
    EXPECT_TRUE(presenter.messages[0].text.endsWith("/missing/report.pdf"));
    EXPECT_FALSE(QFile::exists(unwritable));
}

} // namespace
} // namespace velmaro

namespace velmaro {
namespace {

// The shipped template prints the three lines after the runoff results, each choice its own.
TEST_F(ReportTabTest, TheShippedTemplatePrintsTheUnitHydrographTimeToPeakAndVolumeCheck)
{
    const struct {
        int entry;
        const char *name, *volumeCheck, *peak;
    } choices[] = {
        {0, "Triangular", "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %", "627.683"},
        {1, "Triangular, volume kept", "Hydrograph 81.735 mm for 81.735 mm of runoff: 0.0 %", "502.867"},
        {2, "NRCS curvilinear", "Hydrograph 81.735 mm for 81.735 mm of runoff: 0.0 %", "615.481"},
    };
    for (const auto &choice : choices) {
        ShowTab(window->Escorrentia);
        Pick(window->cbUnitHydrograph, choice.entry);
        ShowTab(window->TabSheet1);
        const QString report = Report();
        SCOPED_TRACE(choice.name);
        EXPECT_TRUE(report.contains(QStringLiteral("Peak discharge ") + choice.peak));
        const QString lines = QStringLiteral("Unit hydrograph ") + choice.name + "\nTime to peak 3 hrs\nVolume check: " +
                              choice.volumeCheck + "\n";
        EXPECT_TRUE(report.contains(lines)) << report.toStdString();
        EXPECT_GT(report.indexOf(lines), report.indexOf("Note: time in hours, Hydrogram in m³/s."))
            << "after the described lines";
    }
}

} // namespace
} // namespace velmaro
