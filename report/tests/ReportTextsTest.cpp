#include "report/ReportTexts.h"

#include "engine/Chain.h"
#include "engine/ModelState.h"
#include "report/ReportSources.h"
#include "report/ReportTemplate.h"
#include "report/ReportView.h"
#include "text/FieldText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <clocale>
#include <map>
#include <optional>
#include <string>

namespace velmaro {
namespace {

// What the window shows for the default watershed once every stage ran, as plain values.
class FakeSources final : public ReportSources {
public:
    FakeSources()
    {
        model.SetDefaults();
        RunGuardedChain(model);
    }

    ShownValue Field(ReportField field) const override
    {
        if (field == unreadable)
            throw ConversionError("'1-2' is not a valid floating point value");
        return fields.at(field);
    }
    ShownValue InFieldUnit(ReportField field, double baseValue) const override
    {
        const FieldUnit &unit = units.at(field);
        return {baseValue * unit.perBaseUnit, unit.name};
    }
    ListEntry SoilGroup() const override { return soilGroup; }
    ListEntry StepCount() const override { return stepCount; }
    QString LandUseCaption() const override { return landUse; }
    QString SeriesKindCaption() const override { return seriesKind; }
    QString VolumeCheck() const override { return volumeCheck; }
    ListEntry UnitHydrograph() const override { return unitHydrograph; }
    const ModelState &Model() const override { return model; }
    std::optional<QString> StaleReason(Stage stage) const override
    {
        const auto reason = stale.find(stage);
        return reason == stale.end() ? std::nullopt : std::optional<QString>(reason->second);
    }
    QString Property(StudyProperty property) const override
    {
        const auto text = properties.find(property);
        return text == properties.end() ? QString() : text->second;
    }

    std::map<ReportField, ShownValue> fields = {
        {ReportField::FlowLength, {21.79, "km"}},
        {ReportField::LevelDifference, {1020, "m"}},
        {ReportField::WatershedArea, {70.26, "km²"}},
        {ReportField::ConcentrationTime, {2.333, "hrs"}},
        {ReportField::InitialAbstraction, {18, "mm"}},
        {ReportField::TimeStep, {30, "min"}},
        {ReportField::CurveNumber, {85, "-"}},
        {ReportField::PotentialRetention, {44.824, "mm"}},
        // The volume as its field shows it: 7.168E6 at three decimals.
        {ReportField::TotalVolume, {7168000, "m³"}},
        {ReportField::SpecificVolume, {102.022, "mm"}},
        {ReportField::PeakDischarge, {627.683, "m³/s"}},
        {ReportField::TimeToPeak, {3, "hrs"}},
    };
    // The unit each field shows, for values it does not show.
    struct FieldUnit {
        QString name;
        double perBaseUnit;
    };
    std::map<ReportField, FieldUnit> units = {{ReportField::InitialAbstraction, {"mm", 1}}};
    std::optional<ReportField> unreadable;
    std::map<Stage, QString> stale;
    ListEntry soilGroup{1, "B: Moderate infiltration rate"};
    ListEntry stepCount{5, "6"};
    QString landUse = "Urban areas";
    QString seriesKind = "Series of partial rainfall heights";
    QString volumeCheck = "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %";
    ListEntry unitHydrograph{0, "Triangular"};
    std::map<StudyProperty, QString> properties;
    ModelState model;
};

const QByteArray kRainfallResults =
    "Time: 0.5\\tab \\tab Parcial: 9.4\\tab \\tab Acum.: 9.4\\tab \\tab Hietograma: 18.8\\par "
    "Time: 1\\tab \\tab Parcial: 22.6\\tab \\tab Acum.: 32\\tab \\tab Hietograma: 45.2\\par "
    "Time: 1.5\\tab \\tab Parcial: 73.4\\tab \\tab Acum.: 105.4\\tab \\tab Hietograma: 146.8\\par "
    "Time: 2\\tab \\tab Parcial: 13.2\\tab \\tab Acum.: 118.6\\tab \\tab Hietograma: 26.4\\par "
    "Time: 2.5\\tab \\tab Parcial: 7.3\\tab \\tab Acum.: 125.9\\tab \\tab Hietograma: 14.6\\par "
    "Time: 3\\tab \\tab Parcial: 6\\tab \\tab Acum.: 131.9\\tab \\tab Hietograma: 12\\par "
    "Note: times in hours, heights in mm, Hyetogram in mm/hr.";

const QByteArray kRunoffDepths =
    "Time : 0.5\\tab \\tab Vol/Area: 0\\par Time : 1\\tab \\tab Vol/Area: 3.332\\par "
    "Time : 1.5\\tab \\tab Vol/Area: 57.77156\\par Time : 2\\tab \\tab Vol/Area: 69.59231\\par "
    "Time : 2.5\\tab \\tab Vol/Area: 76.23193\\par Time : 3\\tab \\tab Vol/Area: 81.73464\\par "
    "Note: time in hours, volumes per unit area in mm.";

const QByteArray kHydrograph =
    "Time : 0.5\\tab \\tab Valor: 0\\par Time : 1\\tab \\tab Valor: 7.37913\\par "
    "Time : 1.5\\tab \\tab Valor: 135.32147\\par Time : 2\\tab \\tab Valor: 289.44234\\par "
    "Time : 2.5\\tab \\tab Valor: 458.26748\\par Time : 3\\tab \\tab Valor: 627.68326\\par "
    "Time : 3.5\\tab \\tab Valor: 607.64257\\par Time : 4\\tab \\tab Valor: 546.46419\\par "
    "Time : 4.5\\tab \\tab Valor: 462.17911\\par Time : 5\\tab \\tab Valor: 358.74393\\par "
    "Time : 5.5\\tab \\tab Valor: 255.30875\\par Time : 6\\tab \\tab Valor: 151.87358\\par "
    "Time : 6.5\\tab \\tab Valor: 52.65505\\par Time : 7\\tab \\tab Valor: 22.32978\\par "
    "Time : 7.5\\tab \\tab Valor: 6.96367\\par Time : 8\\tab \\tab Valor: 0\\par "
    "Note: time in hours, Hydrogram in m\xB3/s.";

QByteArray PartialRows()
{
    QByteArray rows = "Series of partial rainfall heights: 6\\par ";
    const char *heights[] = {"9.400000", "22.600000", "73.400000", "13.200000", "7.300000",
                             "6.000000"};
    for (int k = 1; k <= 6; ++k)
        rows += "Rainfall step #: " + QByteArray::number(k) + "        Partial rainfall height: " +
                heights[k - 1] + "\\par ";
    return rows;
}

class ReportTexts : public ::testing::Test {
protected:
    QByteArray Text(const QByteArray &identifier)
    {
        return ReportIdentifierText(identifier, sources);
    }

    QByteArray Fill(const QByteArray &templateBytes)
    {
        return ScanReportTemplate(templateBytes, [this](const QByteArray &identifier) {
            return ReportIdentifierText(identifier, sources);
        });
    }

    FakeSources sources;
};

TEST_F(ReportTexts, EachIdentifierOfTheDefaultWindow)
{
    const QByteArray expected[13] = {
        "Distance from farthest point to outlet 21.79 km\\par Land level difference between the "
        "farthest point and the outlet 1020 m\\par Watershed area 70.26 km\xB2",
        "Watershed concentration time 2.333 hrs",
        "Hydrologic Group B: Moderate infiltration rate",
        "Assignment of Initial Abstraction:  Yes",
        "Initial Abstraction 18 mm",
        "Series of partial rainfall heights",
        "Time step of data series 30 min",
        PartialRows(),
        kRainfallResults,
        "Urban areas",
        "Curve number 85 - \\par ",
        "Maximum potencial retention44.824 mm\\par " + kRunoffDepths,
        "Total runoff volume 7168000 m\xB3\\par Specific total volume 102.022 mm\\par "
        "Peak discharge 627.683 m\xB3/s\\par " + kHydrograph,
    };
    for (int id = 1; id <= 13; ++id)
        EXPECT_EQ(Text("$" + QByteArray::number(id)), expected[id - 1]) << "identifier " << id;
}

// The study's properties as the user wrote them, in RTF; an empty one keeps the line that the
// printed report is filled in on by hand.
TEST_F(ReportTexts, StudyPropertiesFillTheHeadOfTheReport)
{
    const QByteArray lineToWriteOn = "______________________________________________";
    sources.properties = {{StudyProperty::Project, QString::fromUtf8("Flood {2026} \\ Río Claro")},
                          {StudyProperty::Author, QString::fromUtf8("Łukasz")},
                          {StudyProperty::Date, "2026-03-14"},
                          {StudyProperty::Notes, "First\nSecond\tend"}};
    EXPECT_EQ(Text("$17"), "Flood \\{2026\\} \\\\ R\xEDo Claro");
    EXPECT_EQ(Text("$18"), lineToWriteOn);
    EXPECT_EQ(Text("$19"), "\\u321?ukasz");
    EXPECT_EQ(Text("$20"), "2026-03-14");
    EXPECT_EQ(Text("$21"), "First\\line Second\\tab end");
    EXPECT_EQ(Text("$22"), " ");
}

// A result its stage did not compute from the current inputs is never printed as if it were.
TEST_F(ReportTexts, StaleResultsSayTheyWereNotComputedAndWhy)
{
    const QByteArray reason = "The hydrograph would need 120001 ordinates; at most 100000 can be computed.";
    const struct {
        Stage stage;
        QByteArray identifier;
        QByteArray expected;
    } cases[] = {
        {Stage::ConcentrationTime, "$2",
         "Watershed concentration time not computed (" + reason + ")"},
        {Stage::Rainfall, "$9", "Rainfall results not computed (" + reason + ")"},
        {Stage::RunoffDepth, "$12",
         "Maximum potencial retention not computed (" + reason + ")\\par Runoff depths not computed (" +
             reason + ")"},
        {Stage::Hydrograph, "$13",
         "Total runoff volume not computed (" + reason + ")\\par Specific total volume not computed (" +
             reason + ")\\par Peak discharge not computed (" + reason + ")\\par Hydrograph not computed (" +
             reason + ")"},
    };
    std::vector<QByteArray> current;
    for (int identifier = 1; identifier <= 13; ++identifier)
        current.push_back(Text("$" + QByteArray::number(identifier)));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.identifier.constData());
        sources.stale = {{c.stage, QString::fromLatin1(reason)}};
        EXPECT_EQ(Text(c.identifier), c.expected);
        // Everything else reads as before.
        for (int identifier = 1; identifier <= 13; ++identifier) {
            if ("$" + QByteArray::number(identifier) != c.identifier) {
                EXPECT_EQ(Text("$" + QByteArray::number(identifier)), current[identifier - 1]) << identifier;
            }
        }
    }
}

// Numbered after the described thirteen; only the hydrograph's results can be stale.
TEST_F(ReportTexts, TimeToPeakVolumeCheckAndUnitHydrograph)
{
    EXPECT_EQ(Text("$14"), "Time to peak 3 hrs");
    EXPECT_EQ(Text("$15"), "Volume check: Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %");
    EXPECT_EQ(Text("$16"), "Unit hydrograph Triangular");

    sources.fields[ReportField::TimeToPeak] = {180, "min"};
    sources.unitHydrograph = {2, "NRCS curvilinear"};
    EXPECT_EQ(Text("$14"), "Time to peak 180 min");
    EXPECT_EQ(Text("$16"), "Unit hydrograph NRCS curvilinear");

    const QString reason = "The hydrograph would need 120001 ordinates; at most 100000 can be computed.";
    sources.stale = {{Stage::Hydrograph, reason}};
    EXPECT_EQ(Text("$14"), "Time to peak not computed (" + reason.toLatin1() + ")");
    EXPECT_EQ(Text("$15"), "Volume check not computed (" + reason.toLatin1() + ")");
    EXPECT_EQ(Text("$16"), "Unit hydrograph NRCS curvilinear");

    sources.unitHydrograph = {-1, {}};
    EXPECT_THROW(Text("$16"), ReportError);
}

TEST_F(ReportTexts, TemplateBytesGiveReportBytes)
{
    struct Case {
        QByteArray bytes;
        QByteArray report;
    };
    const Case cases[] = {
        {"{\\rtf1 no markers at all\\par }", "{\\rtf1 no markers at all\\par }"},
        {"[x [1 ok[", "[x [1 ok["},
        {"a[$0]b[$22]c[$-3]d", "a b c d"},
        {"[$00000000013]", Text("$1")},
        {"[$2][$5]", "Watershed concentration time 2.333 hrsInitial Abstraction 18 mm"},
        {"[$4]", "Assignment of Initial Abstraction:  Yes"},
        {"end [$7", "end "},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Fill(c.bytes), c.report) << c.bytes.constData();
}

TEST_F(ReportTexts, UnitsFollowTheFieldWhileListingsStayInBaseUnits)
{
    sources.fields[ReportField::FlowLength] = {21790, "m"};
    sources.fields[ReportField::PeakDischarge] = {627700, "l/s"};
    EXPECT_TRUE(Text("$1").startsWith("Distance from farthest point to outlet 21790 m\\par "));
    EXPECT_TRUE(Text("$13").contains("Peak discharge 627700 l/s\\par ")); // shown 6.277E5
    EXPECT_TRUE(Text("$13").contains("Time : 3\\tab \\tab Valor: 627.68326\\par "));
}

TEST_F(ReportTexts, CumulativeEntry)
{
    sources.seriesKind = "Series of cummulative rainfall heights";
    sources.model.PartialSeries = 0;
    const double cumulative[] = {10, 30, 31.5};
    for (int k = 1; k <= 3; ++k)
        sources.model.EnteredCumulative[k] = cumulative[k - 1];
    sources.stepCount = {2, "3"};
    sources.model.StepCount = 3;
    RunGuardedChain(sources.model);
    EXPECT_EQ(Text("$6"), "Series of cummulative rainfall heights");
    EXPECT_EQ(Text("$8"), "Series of partial rainfall heights: 3\\par "
                          "Rainfall step #: 1        Cummulative rainfall height: 10.000000\\par "
                          "Rainfall step #: 2        Cummulative rainfall height: 30.000000\\par "
                          "Rainfall step #: 3        Cummulative rainfall height: 31.500000\\par ");
    EXPECT_TRUE(Text("$9").startsWith("Time: 0.5\\tab \\tab Parcial: 10\\tab \\tab Acum.: 10\\tab "
                                      "\\tab Hietograma: 20\\par Time: 1\\tab \\tab Parcial: 20"));
}

TEST_F(ReportTexts, ChoicesOfTheSoilAndConditioningTabs)
{
    sources.model.AssignInitialAbstraction = 0;
    EXPECT_EQ(Text("$4"), "Assignment of Initial Abstraction:  No");
    sources.soilGroup = {3, "D: Very low infiltration rate"};
    EXPECT_EQ(Text("$3"), "Hydrologic Group D: Very low infiltration rate");
    sources.landUse = "Other agricultural lands";
    EXPECT_EQ(Text("$10"), "Other agricultural lands");
    sources.landUse.clear();
    EXPECT_EQ(Text("$10"), "");
}

// Unticked, the initial abstraction is 0.2 times the retention (8.96471 mm for the defaults),
// not the value its hidden field holds; it is printed in the field's unit.
TEST_F(ReportTexts, TheInitialAbstractionPrintedIsTheOneUsed)
{
    sources.model.AssignInitialAbstraction = 0;
    RunGuardedChain(sources.model);
    EXPECT_EQ(Text("$5"), "Initial Abstraction 8.96471 mm");
    sources.units[ReportField::InitialAbstraction] = {"cm", 0.1};
    EXPECT_EQ(Text("$5"), "Initial Abstraction 0.89647 cm");
    sources.stale = {{Stage::RunoffDepth, "Floating point division by zero"}};
    EXPECT_EQ(Text("$5"), "Initial Abstraction not computed (Floating point division by zero)");

    sources.model.AssignInitialAbstraction = 1;
    EXPECT_EQ(Text("$5"), "Initial Abstraction 18 mm") << "an entered value was used as entered";
}

TEST_F(ReportTexts, AListWithoutCurrentEntryIsAnError)
{
    sources.soilGroup = {-1, "typed over"};
    try {
        Text("$3");
        FAIL() << "no error";
    } catch (const ReportError &error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (-1)");
    }
}

TEST_F(ReportTexts, AnUnreadableFieldStopsTheFill)
{
    sources.unreadable = ReportField::InitialAbstraction;
    EXPECT_THROW(Fill("[$4][$5]"), ConversionError);
}

TEST_F(ReportTexts, TimesFollowTheTimeStep)
{
    sources.model.TimeStep = 1;
    sources.model.StepCount = 1;
    RunGuardedChain(sources.model);
    EXPECT_TRUE(Text("$9").startsWith("Time: 0.01667\\tab "));
    EXPECT_TRUE(Text("$12").contains("Time : 0.01667\\tab \\tab Vol/Area: "));
    EXPECT_EQ(Text("$13").count("Time : "), sources.model.HydrographCount);
    EXPECT_GT(sources.model.HydrographCount, 100); // beyond the 100 slots of a series
}

TEST_F(ReportTexts, NumbersDoNotFollowTheCLibraryLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    const QByteArray rows = Text("$8");
    const QByteArray results = Text("$9");
    const QByteArray runoff = Text("$13");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(rows, PartialRows());
    EXPECT_EQ(results, kRainfallResults);
    EXPECT_TRUE(runoff.endsWith(kHydrograph));
}

// The view of the Report tab, filled from a template file.
class ReportView : public ::testing::Test {
protected:
    QString Write(const QByteArray &bytes)
    {
        QFile file(path_);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path_;
    }

    static int OpenFiles() { return static_cast<int>(QDir("/proc/self/fd").count()); }

    // Shows the error's message, as the window's error box would.
    std::string Show(const QString &path)
    {
        try {
            ShowFilledReport(view_, path, sources_);
        } catch (const std::exception &error) {
            return error.what();
        }
        return {};
    }

    FakeSources sources_;
    QTextEdit view_;
    QTemporaryDir directory_;
    QString path_ = directory_.filePath("ModeloRepVelmaro.rtf");
};

TEST_F(ReportView, ShowsTheFilledShippedTemplateReadOnly)
{
    ASSERT_EQ(Show(QStringLiteral(VELMARO_REPORT_TEMPLATE)), "");
    EXPECT_TRUE(view_.isReadOnly());
    const QString text = view_.document()->toPlainText();
    EXPECT_FALSE(text.contains("[$"));
    EXPECT_FALSE(text.contains("\\par"));
    EXPECT_TRUE(text.contains("Watershed area 70.26 km²")) << text.toStdString();
    EXPECT_TRUE(text.contains("Time : 3\t\tValor: 627.68326\n"));
    EXPECT_TRUE(text.contains("Note: time in hours, Hydrogram in m³/s."));
}

// Each showing refills the view; the reports shown before must not pile up in memory.
TEST_F(ReportView, ShowingAgainKeepsOnlyTheShownReport)
{
    for (int showing = 0; showing < 3; ++showing)
        ASSERT_EQ(Show(QStringLiteral(VELMARO_REPORT_TEMPLATE)), "");
    const QList<QTextDocument *> reports = view_.findChildren<QTextDocument *>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports.front(), view_.document());
    EXPECT_TRUE(view_.document()->toPlainText().contains("Note: time in hours, Hydrogram in m³/s."));
}

TEST_F(ReportView, AFailedFillLeavesTheViewEmptyAndWritable)
{
    const std::string assertion = "Report identifier [$--] not valid (";
    struct Case {
        QByteArray bytes;
        std::string message;
    };
    const Case cases[] = {
        {"{\\rtf1 before [$1] a ] b}", assertion},
        {"{\\rtf1 before [$1] [#1]}", assertion},
        {"{\\rtf1 before [$1] [&1]}", assertion},
        {"{\\rtf1 before [$1] [$]}", "'' is not a valid integer value"},
        {"{\\rtf1 before [$1] [$1\r\n]}", "'1\r\n' is not a valid integer value"},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(Show(QStringLiteral(VELMARO_REPORT_TEMPLATE)), "");
        const int open = OpenFiles();
        EXPECT_EQ(Show(Write(c.bytes)).substr(0, c.message.size()), c.message) << c.bytes.data();
        EXPECT_EQ(OpenFiles(), open); // the template was closed
        EXPECT_TRUE(view_.document()->isEmpty());
        EXPECT_FALSE(view_.isReadOnly());
    }
}

// A small template repeating the hydrograph's listing would fill hundreds of megabytes.
TEST_F(ReportView, AReportPastTheSizeLimitIsAnError)
{
    constexpr int kOrdinates = 89703;
    sources_.model.Hydrograph.ResetTo(kOrdinates);
    for (int k = 1; k <= kOrdinates; ++k)
        sources_.model.Hydrograph[k] = 627.68326 * k / kOrdinates;
    sources_.model.HydrographCount = kOrdinates;
    QByteArray bytes = "{\\rtf1 ";
    for (int marker = 0; marker < 100; ++marker)
        bytes += "[$13]\\par ";
    EXPECT_EQ(Show(Write(bytes + "}")), "The report would be larger than 67108864 bytes: its "
                                        "template repeats long listings too often");
    EXPECT_TRUE(view_.document()->isEmpty());
    EXPECT_FALSE(view_.isReadOnly());
}

TEST_F(ReportView, AMissingTemplateLeavesTheViewEmpty)
{
    ASSERT_EQ(Show(QStringLiteral(VELMARO_REPORT_TEMPLATE)), "");
    EXPECT_EQ(Show(path_), "Cannot open file " + path_.toStdString());
    EXPECT_TRUE(view_.document()->isEmpty());
    EXPECT_FALSE(view_.isReadOnly());
}

TEST_F(ReportView, AnEmptyTemplateGivesAnEmptyView)
{
    EXPECT_EQ(Show(Write("")), "");
    EXPECT_TRUE(view_.document()->isEmpty());
    EXPECT_TRUE(view_.isReadOnly());
}

TEST_F(ReportView, AReportThatIsNotRtfShowsAsText)
{
    EXPECT_EQ(Show(Write("Area: [$1]\r\nend")), "");
    EXPECT_TRUE(view_.document()->toPlainText().startsWith(
        "Area: Distance from farthest point to outlet 21.79 km\\par "));
    EXPECT_TRUE(view_.document()->toPlainText().endsWith("70.26 km²\nend"));
}

} // namespace
} // namespace velmaro
