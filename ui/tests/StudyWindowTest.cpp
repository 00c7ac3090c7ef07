#include "ui/tests/WindowFixture.h"

#include "cli/Command.h"
#include "controls/Unidades.h"
#include "engine/Chain.h"
#include "rainfall/RainfallSeriesDialog.h"
#include "study/Study.h"
#include "testsupport/ModelExpectations.h"
#include "ui/Program.h"
#include "ui/ResultGrid.h"
#include "ui/StudyActions.h"
#include "ui/StudyPropertiesDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <bit>
#include <charconv>
#include <limits>
#include <sstream>
#include <csignal>
#include <cstdint>
#include <sys/resource.h>

namespace velmaro {
namespace {

using rainfall::RainfallSeriesDialog;
using rainfall::StormType;
using test::Bits;
using test::ExpectSameInputs;

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The results of every stage, bit for bit.
void ExpectSameResults(const ModelState &a, const ModelState &b)
{
    for (const double ModelState::*number : {&ModelState::ConcentrationTime, &ModelState::PotentialRetention,
                                             &ModelState::TotalVolume, &ModelState::SpecificVolume,
                                             &ModelState::PeakDischarge, &ModelState::PeakTime,
                                             &ModelState::ContinuityError})
        EXPECT_EQ(Bits(a.*number), Bits(b.*number));
    ASSERT_EQ(a.HydrographCount, b.HydrographCount);
    for (int k = 1; k <= a.StepCount; ++k)
        EXPECT_EQ(Bits(a.RunoffDepth[k]), Bits(b.RunoffDepth[k])) << "step " << k;
    for (int j = 1; j <= a.HydrographCount; ++j)
        EXPECT_EQ(Bits(a.Hydrograph[j]), Bits(b.Hydrograph[j])) << "ordinate " << j;
}

// What a user sees of the window, one line each: every field with its text, unit and label, every
// list, button, grid cell and caption that the study or its results decide, the title and the tab.
std::string Seen(TMainFormVelmaro &w)
{
    QStringList seen{w.windowTitle() + (w.isWindowModified() ? " modified" : ""),
                     "tab " + QString::number(w.PageControl1->currentIndex()), "Label8 " + w.Label8->text(),
                     "Panel1 " + w.Panel1->text() + " " + w.Panel1->palette().color(QPalette::Window).name(),
                     "storm line " + w.lblStormMade->text()};
    for (TUnidades *field : w.findChildren<TUnidades *>())
        seen << field->objectName() + " = " + field->text() + " " + field->UnitAsString() + ", " +
                    field->EditLabel()->text() + (field->isVisibleTo(&w) ? "" : ", hidden");
    for (QComboBox *list : w.findChildren<QComboBox *>())
        seen << list->parent()->objectName() + "/" + list->objectName() + ": " + list->currentText() + " of " +
                    QString::number(list->count());
    for (QAbstractButton *button : w.findChildren<QAbstractButton *>())
        if (button->isCheckable())
            seen << button->objectName() + (button->isChecked() ? " on" : " off");
    for (ResultGrid *grid : w.findChildren<ResultGrid *>())
        for (int row = 0; row < grid->RowCount(); ++row)
            for (int column = 0; column < grid->model()->columnCount(); ++column)
                seen << grid->objectName() + QStringLiteral("[%1,%2] ").arg(row).arg(column) + grid->Cell(column, row);
    if (w.PageControl1->currentWidget() == w.TabSheet1)
        seen << w.RichEdit1->toPlainText();
    return seen.join('\n').toStdString();
}

// Each test keeps its studies, and the list of recent ones, in a folder of its own.
class StudyWindowTest : public WindowTest {
public:
    using WindowTest::Pick;
    using WindowTest::Type;

    // Typed, then left for the next field, as a user finishes a value.
    static void Enter(QLineEdit *field, const QString &text)
    {
        field->setFocus(Qt::OtherFocusReason);
        Type(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }

protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
        WindowTest::SetUp();
        window->ReportTemplatePath = QStringLiteral(VELMARO_REPORT_TEMPLATE);
    }

    QString PathIn(const QString &name) const { return folder.filePath(name); }

    // A second window, as after closing the program and starting it again.
    std::unique_ptr<TMainFormVelmaro> NewWindow(ModelState &itsModel) const
    {
        auto other = std::make_unique<TMainFormVelmaro>(itsModel);
        other->ReportTemplatePath = QStringLiteral(VELMARO_REPORT_TEMPLATE);
        return other;
    }

    // A saved study with one change since.
    QString SavedThenChanged()
    {
        const QString path = PathIn("flood study 2026.velmaro");
        EXPECT_TRUE(window->Studies->SaveStudy(path));
        Type(window->euNc, "70");
        return path;
    }

    QTemporaryDir folder;
};

struct WindowCase {
    const char *name;
    void (*act)(TMainFormVelmaro &w);
};

void PrintTo(const WindowCase &c, std::ostream *out) { *out << c.name; }

using T = StudyWindowTest;

void GenerateStorm(TMainFormVelmaro &w, StormType type, const char *depth)
{
    test::AnswerNextModalDialog<RainfallSeriesDialog>([type, depth](RainfallSeriesDialog &dialog) {
        ASSERT_TRUE(dialog.GenerateStorm(type, depth));
        dialog.accept();
    });
    w.btnSeries->click();
}

void TypeHeights(TMainFormVelmaro &w, const QStringList &heights)
{
    T::Pick(w.cbSall, static_cast<int>(heights.size()) - 1);
    for (int step = 0; step < heights.size(); ++step) {
        T::Pick(w.cbLluvia, step);
        T::Enter(w.euAll, heights[step]);
    }
}

// Everything a user can set: each field in each kind of unit, each list, each series kind.
const WindowCase kWindowCases[] = {
    {"Defaults", [](TMainFormVelmaro &) {}},
    {"FlowLengthInMetres",
     [](TMainFormVelmaro &w) {
         T::Pick(w.euDdpmrhls->UnitBox(), 1);
         T::Enter(w.euDdpmrhls, "21800.25");
     }},
    {"LevelDifferenceInCentimetres",
     [](TMainFormVelmaro &w) {
         T::Pick(w.euDntepmrys->UnitBox(), 1);
         T::Enter(w.euDntepmrys, "98765");
     }},
    {"AreaInHectares",
     [](TMainFormVelmaro &w) {
         T::Pick(w.euAc->UnitBox(), 1);
         T::Enter(w.euAc, "7100.5");
     }},
    {"AreaInSquareMetres", [](TMainFormVelmaro &w) { T::Pick(w.euAc->UnitBox(), 2); }},
    // Shown rounded, held as typed: through units and back, and through the study.
    {"MoreDecimalsThanTheFieldShows",
     [](TMainFormVelmaro &w) {
         T::Enter(w.euDdpmrhls, "0.3737");
         EXPECT_EQ(w.euDdpmrhls->text(), "0.374");
         T::Pick(w.euDdpmrhls->UnitBox(), 1);
         EXPECT_EQ(w.euDdpmrhls->text(), "373.7");
         T::Pick(w.euDdpmrhls->UnitBox(), 2);
         T::Pick(w.euDdpmrhls->UnitBox(), 0);
         EXPECT_EQ(w.Model().FlowLength, 0.3737);
         EXPECT_EQ(w.euDdpmrhls->AsFloat(), 0.3737L);
     }},
    {"AbstractionInCentimetresThenDerived",
     [](TMainFormVelmaro &w) {
         T::Pick(w.euAi->UnitBox(), 1);
         T::Enter(w.euAi, "2.25");
         w.cbAai->click();
     }},
    {"TimeStepInSeconds",
     [](TMainFormVelmaro &w) {
         T::Pick(w.euPtsd->UnitBox(), 1);
         T::Enter(w.euPtsd, "900");
     }},
    {"TimeStepInHours", [](TMainFormVelmaro &w) { T::Pick(w.euPtsd->UnitBox(), 2); }},
    {"CurveNumberWithAFraction", [](TMainFormVelmaro &w) { T::Enter(w.euNc, "78.6"); }},
    {"SoilGroupAndLandUse",
     [](TMainFormVelmaro &w) {
         T::Pick(w.cbGh, 3);
         w.rbOta->click();
     }},
    {"AridLandUse", [](TMainFormVelmaro &w) { w.rbTpas->click(); }},
    {"CumulativeHeightsInCentimetres",
     [](TMainFormVelmaro &w) {
         w.rbAcumulada->click();
         T::Pick(w.euAll->UnitBox(), 1);
         TypeHeights(w, {"1", "2.5", "2.5", "4.125"});
         T::Pick(w.cbLluvia, 2);
     }},
    {"CumulativeOutOfOrder",
     [](TMainFormVelmaro &w) {
         w.rbAcumulada->click();
         TypeHeights(w, {"10", "8"});
     }},
    {"FewerStepsKeepTheOthers", [](TMainFormVelmaro &w) { T::Pick(w.cbSall, 2); }},
    {"HeightsInMetresAfterPartial",
     [](TMainFormVelmaro &w) {
         T::Pick(w.euAll->UnitBox(), 2);
         TypeHeights(w, {"0.012", "0.0305", "0.001"});
     }},
    {"ResultUnits",
     [](TMainFormVelmaro &w) {
         T::Pick(w.euTccResultado->UnitBox(), 1);
         T::Pick(w.euRpmResultado->UnitBox(), 1);
         T::Pick(w.euVteResultado->UnitBox(), 2);
         T::Pick(w.euVtespResultado->UnitBox(), 2);
         T::Pick(w.euCpResultado->UnitBox(), 1);
     }},
    {"GridUnits",
     [](TMainFormVelmaro &w) {
         T::Pick(w.cbUnidadesHietograma, 2);
         T::Pick(w.cbUnidadesVolumenes, 1);
         T::Pick(w.cbUnidadHidrograma, 1);
     }},
    {"DesignStormInDefaultUnits", [](TMainFormVelmaro &w) { GenerateStorm(w, StormType::TypeII, "120"); }},
    {"DesignStormMadeForAnotherStep",
     [](TMainFormVelmaro &w) {
         GenerateStorm(w, StormType::TypeIA, "80");
         T::Enter(w.euPtsd, "15");
         ASSERT_FALSE(w.lblStormMade->text().isEmpty());
     }},
    {"DesignStormInOtherUnits",
     [](TMainFormVelmaro &w) {
         T::Pick(w.euPtsd->UnitBox(), 2);
         T::Pick(w.euAll->UnitBox(), 1);
         w.rbAcumulada->click();
         GenerateStorm(w, StormType::TypeIA, "87.5");
         T::Pick(w.cbUnidadHidrograma, 1);
     }},
    {"NrcsCurvilinearUnitHydrograph", [](TMainFormVelmaro &w) { T::Pick(w.cbUnitHydrograph, 2); }},
    {"VolumeKeptUnitHydrograph", [](TMainFormVelmaro &w) { T::Pick(w.cbUnitHydrograph, 1); }},
    {"OnTheSoilTab", [](TMainFormVelmaro &w) { w.PageControl1->setCurrentWidget(w.Suelo); }},
    {"OnTheReportTab", [](TMainFormVelmaro &w) { w.PageControl1->setCurrentWidget(w.TabSheet1); }},
};

// Every tab shown once, then the one that was: each tab's fields exist on screen and show their
// results, as for a user who has been through them all.
void VisitEveryTab(TMainFormVelmaro &w)
{
    const int shown = w.PageControl1->currentIndex();
    for (int tab = 0; tab < w.PageControl1->count(); ++tab)
        w.PageControl1->setCurrentIndex(tab);
    w.PageControl1->setCurrentIndex(shown);
}

class StudyRoundTrip : public StudyWindowTest, public ::testing::WithParamInterface<WindowCase> {
protected:
    void SetUp() override
    {
        StudyWindowTest::SetUp();
        ShowWindow();
        VisitEveryTab(*window);
    }
};

// Saved, closed, opened from the command line in a new window and saved again: the window as the
// user left it, on every tab, the model's inputs bit for bit, the same bytes, and the numbers
// that the study library's inputs give the chain without a window.
TEST_P(StudyRoundTrip, ReopensAsTheUserLeftItAndSavesTheSameBytes)
{
    GetParam().act(*window);
    VisitEveryTab(*window);
    const QString first = PathIn("first.velmaro");
    ASSERT_TRUE(window->Studies->SaveStudy(first));
    const std::string seen = Seen(*window);

    ModelState reopenedModel;
    const auto reopened = NewWindow(reopenedModel);
    CloseNextModalDialog();
    ShowWithStudyOf(*reopened, {"velmaro", first});
    VisitEveryTab(*reopened);
    EXPECT_EQ(Seen(*reopened), seen);
    ExpectSameInputs(reopenedModel, model);
    ModelState headless = study::ReadStudyFile(first.toStdString()).study.inputs;
    RunGuardedChain(headless);
    ExpectSameInputs(reopenedModel, headless);
    ExpectSameResults(reopenedModel, headless);

    const QString second = PathIn("second.velmaro");
    ASSERT_TRUE(reopened->Studies->SaveStudy(second));
    EXPECT_EQ(Bytes(second), Bytes(first));
    EXPECT_TRUE(presenter.messages.empty()) << presenter.Texts().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryFieldUnitListAndKind, StudyRoundTrip, ::testing::ValuesIn(kWindowCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A number of the runner's JSON as printed, read back to its double; for a series, its last slot.
double PrintedNumber(const std::string &json, const std::string &key)
{
    const std::size_t at = json.find("\n  \"" + key + "\": ");
    EXPECT_NE(at, std::string::npos) << key;
    std::size_t start = json.find(": ", at) + 2;
    if (json[start] == '[')
        start = json.rfind(' ', json.find(']', start)) + 1;
    double value = std::numeric_limits<double>::quiet_NaN();
    std::from_chars(json.data() + start, json.data() + json.size(), value);
    return value;
}

// A study unlike the defaults in every way that reaches the numbers: a design storm, other units,
// the curvilinear unit hydrograph. The window opened on it and the runner started from it give
// the same numbers, bit for bit.
TEST_F(StudyWindowTest, TheRunnerComputesTheWindowsNumbersForTheSameStudy)
{
    ShowWindow();
    VisitEveryTab(*window);
    Pick(window->euDdpmrhls->UnitBox(), 1);
    Enter(window->euDdpmrhls, "18250.5");
    Pick(window->euAc->UnitBox(), 1);
    Enter(window->euAc, "3120.75");
    Pick(window->euPtsd->UnitBox(), 2);
    Pick(window->euAll->UnitBox(), 1);
    Enter(window->euNc, "81");
    GenerateStorm(*window, StormType::TypeIII, "112.5");
    Pick(window->cbUnitHydrograph, 2);
    const QString path = PathIn("storm in other units.velmaro");
    ASSERT_TRUE(window->Studies->SaveStudy(path));

    ModelState opened;
    const auto reopened = NewWindow(opened);
    CloseNextModalDialog();
    ShowWithStudyOf(*reopened, {"velmaro", path});
    VisitEveryTab(*reopened);
    ASSERT_EQ(reopened->cbUnitHydrograph->currentText(), "NRCS curvilinear");
    ASSERT_EQ(opened.StepCount, 48);
    ASSERT_GT(opened.RunoffDepth[opened.StepCount], 0);

    std::ostringstream out, err;
    ASSERT_EQ(cli::Run({"--study", path.toStdString()}, out, err), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    for (const auto &[key, number] : {std::pair{"RunoffDepth", opened.RunoffDepth[opened.StepCount]},
                                      {"PeakDischarge", opened.PeakDischarge},
                                      {"TotalVolume", opened.TotalVolume},
                                      {"SpecificVolume", opened.SpecificVolume},
                                      {"PeakTime", opened.PeakTime},
                                      {"ContinuityError", opened.ContinuityError}})
        EXPECT_EQ(Bits(PrintedNumber(out.str(), key)), Bits(number)) << key;
    EXPECT_EQ(PrintedNumber(out.str(), "HydrographCount"), opened.HydrographCount);
    EXPECT_TRUE(presenter.messages.empty()) << presenter.Texts().join('\n').toStdString();
}

TEST_F(StudyWindowTest, TheFileSaysWhatTheUserEntered)
{
    Pick(window->euDdpmrhls->UnitBox(), 1);
    GenerateStorm(*window, StormType::TypeII, "120");
    const QString path = PathIn("storm.velmaro");
    ASSERT_TRUE(window->Studies->SaveStudy(path));
    const QByteArray text = Bytes(path);
    for (const char *line : {"FlowLength = 21790 m\n", "DesignStorm = II\n", "StormDepth = 120\n",
                             "StormTimeStep = 30\n", "StepCount = 48\n"})
        EXPECT_TRUE(text.contains(line)) << line;

    // A height typed over the storm's makes the series the user's own.
    Pick(window->cbLluvia, 4);
    Type(window->euAll, "3");
    ASSERT_TRUE(window->Studies->SaveStudy(path));
    EXPECT_FALSE(Bytes(path).contains("DesignStorm"));
}

struct BadFile {
    const char *name;
    QByteArray bytes; // nothing: the file is missing
    const char *says;
};

void PrintTo(const BadFile &bad, std::ostream *out) { *out << bad.name; }

class BadStudyFile : public StudyWindowTest, public ::testing::WithParamInterface<BadFile> {};

// Whatever is wrong, the user is told where and what, and the window keeps what it had.
TEST_P(BadStudyFile, IsNamedWithItsLineAndChangesNothing)
{
    const QString saved = SavedThenChanged();
    const QString path = PathIn("bad.velmaro");
    if (!GetParam().bytes.isNull()) {
        ASSERT_TRUE(WriteBytes(path, GetParam().bytes));
    }
    const std::string seen = Seen(*window);
    const ModelState before = model;

    EXPECT_FALSE(window->Studies->OpenStudy(path));
    ASSERT_EQ(presenter.messages.size(), 1u) << "no question about the unsaved changes either";
    EXPECT_EQ(presenter.messages[0].caption, "Error");
    EXPECT_EQ(presenter.messages[0].text, "The study could not be opened: " + path + GetParam().says);
    EXPECT_EQ(Seen(*window), seen);
    ExpectSameInputs(model, before);
    EXPECT_EQ(window->Studies->Path(), QFileInfo(saved).absoluteFilePath());
}

QByteArray HundredAndOneHeights()
{
    QByteArray line = "Velmaro study 1.0\nEnteredPartial = 1";
    for (int k = 2; k <= 101; ++k)
        line += ", 1";
    return line + "\n";
}

const BadFile kBadFiles[] = {
    {"Missing", QByteArray(), ": the file does not exist"},
    {"AnotherProgramsFile", "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n", ", line 1: not a Velmaro study: its first line must read \"Velmaro study 1.1\""},
    {"NewerFormat", "Velmaro study 2.1\nCurveNumber = 70 -\n",
     ", line 1: the study has format version 2.1; this Velmaro reads format 1.x: it was written by a newer Velmaro"},
    {"UnreadableLine", "Velmaro study 1.0\nCurveNumber = 70 -\nFlowLength: 3 km\n",
     ", line 3: 'FlowLength: 3 km' is not \"Key = value\""},
    {"OutOfRange", "Velmaro study 1.0\n\nCurveNumber = 170 -\n",
     ", line 3: CurveNumber: 170 is outside the allowed range (0 - 1E2)"},
    {"MoreThan100Heights", HundredAndOneHeights(), ", line 2: EnteredPartial: more than 100 heights"},
    {"UnknownUnitOfAResult", "Velmaro study 1.0\nCurveNumber = 70 -\nPeakDischargeUnit = cfs\n",
     ", line 3: PeakDischargeUnit: 'cfs' is none of its units: m³/s, l/s, ft³/s"},
};

INSTANTIATE_TEST_SUITE_P(EveryFault, BadStudyFile, ::testing::ValuesIn(kBadFiles),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(StudyWindowTest, KeysOfANewerMinorVersionAreSkippedWithANote)
{
    const QString path = PathIn("newer.velmaro");
    ASSERT_TRUE(WriteBytes(path, "Velmaro study 1.4\nCurveNumber = 72 -\nSnowMelt = degree-day\n"));
    ASSERT_TRUE(window->Studies->OpenStudy(path));
    EXPECT_EQ(model.CurveNumber, 72);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(presenter.messages[0].text,
              path + " was written by a newer Velmaro. What this one does not know was skipped:\n"
                     "line 3: the key 'SnowMelt' of format 1.4 was skipped");
}

// The unit hydrograph chosen is saved by its name and comes back with the study; a study of the
// format before the choice existed has the triangular one, whatever the window showed before.
TEST_F(StudyWindowTest, TheUnitHydrographChosenComesBackAndOlderStudiesHaveTheTriangular)
{
    Pick(window->cbUnitHydrograph, 2);
    ASSERT_EQ(window->cbUnitHydrograph->currentText(), "NRCS curvilinear");
    const QString curvilinear = PathIn("curvilinear.velmaro");
    ASSERT_TRUE(window->Studies->SaveStudy(curvilinear));
    EXPECT_TRUE(Bytes(curvilinear).contains("\nUnitHydrograph = nrcs-curvilinear\n"));
    const double curvilinearPeak = model.PeakDischarge;

    const QString older = PathIn("older.velmaro");
    ASSERT_TRUE(WriteBytes(older, "Velmaro study 1.0\nCurveNumber = 85 -\n"));
    ASSERT_TRUE(window->Studies->OpenStudy(older));
    EXPECT_EQ(window->cbUnitHydrograph->currentText(), "Triangular");
    EXPECT_EQ(model.UnitHydrograph, 0);
    EXPECT_NEAR(model.PeakDischarge, 627.68326, 5e-6);

    ASSERT_TRUE(window->Studies->OpenStudy(curvilinear));
    EXPECT_EQ(window->cbUnitHydrograph->currentText(), "NRCS curvilinear");
    EXPECT_EQ(model.UnitHydrograph, 2);
    EXPECT_EQ(model.PeakDischarge, curvilinearPeak);
    EXPECT_TRUE(presenter.messages.empty()) << presenter.Texts().join('\n').toStdString();
}

TEST_F(StudyWindowTest, TheTitleNamesTheStudyAndMarksItsChanges)
{
    EXPECT_EQ(window->windowTitle(), "Velmaro");
    Type(window->euNc, "70");
    QCoreApplication::processEvents();
    EXPECT_EQ(window->windowTitle(), "Velmaro") << "whatever was typed before a study exists";

    ASSERT_TRUE(window->Studies->SaveStudy(PathIn("flood study 2026.velmaro")));
    EXPECT_EQ(window->windowTitle(), "Velmaro - flood study 2026[*]");
    EXPECT_FALSE(window->isWindowModified());

    ShowTab(window->Escorrentia);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isWindowModified()) << "looking at another tab changes nothing";
    Pick(window->cbUnidadHidrograma, 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isWindowModified());
    Pick(window->cbUnidadHidrograma, 0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isWindowModified()) << "back as saved";
    Type(window->euNc, "71");
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isWindowModified());
    ASSERT_TRUE(window->Studies->Save());
    EXPECT_FALSE(window->isWindowModified());
}

struct CloseAnswer {
    const char *name;
    QMessageBox::StandardButton answer;
    bool closes;
    bool saves;
};

void PrintTo(const CloseAnswer &c, std::ostream *out) { *out << c.name; }

class ClosingWithChanges : public StudyWindowTest, public ::testing::WithParamInterface<CloseAnswer> {};

TEST_P(ClosingWithChanges, AsksToSaveThem)
{
    const QString path = SavedThenChanged();
    const QByteArray saved = Bytes(path);
    presenter.answers = {GetParam().answer};
    EXPECT_EQ(window->close(), GetParam().closes);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(presenter.messages[0].text, "Save changes to \"flood study 2026\"?");
    EXPECT_EQ(Bytes(path) != saved, GetParam().saves);
    EXPECT_EQ(Bytes(path).contains("CurveNumber = 70 -"), GetParam().saves);
}

INSTANTIATE_TEST_SUITE_P(EachAnswer, ClosingWithChanges,
                         ::testing::Values(CloseAnswer{"Save", QMessageBox::Save, true, true},
                                           CloseAnswer{"Discard", QMessageBox::Discard, true, false},
                                           CloseAnswer{"Cancel", QMessageBox::Cancel, false, false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(StudyWindowTest, ClosingAsSavedOrAsStartedAsksNothing)
{
    EXPECT_TRUE(window->close()) << "the defaults, unchanged";
    ModelState otherModel;
    const auto other = NewWindow(otherModel);
    ASSERT_TRUE(other->Studies->SaveStudy(PathIn("a.velmaro")));
    other->PageControl1->setCurrentWidget(other->Forzantes);
    EXPECT_TRUE(other->close()) << "only the tab shown changed";
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(StudyWindowTest, SavingANewStudyOnClosingAsksForItsFile)
{
    Type(window->euNc, "70");
    const QString path = PathIn("new.velmaro");
    QString caption;
    test::AnswerNextModalDialog<QFileDialog>([&](QFileDialog &chooser) {
        caption = chooser.windowTitle();
        chooser.selectFile(path);
        static_cast<QDialog &>(chooser).accept(); // the dialog checks the name as its OK does
    });
    presenter.answers = {QMessageBox::Save};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(presenter.Texts(), QStringList{"Save changes to this new study?"});
    EXPECT_EQ(caption, "Save Study As");
    EXPECT_TRUE(Bytes(path).contains("CurveNumber = 70 -"));
}

TEST_F(StudyWindowTest, OpeningAnotherStudyAsksAboutUnsavedChangesFirst)
{
    const QString other = PathIn("other.velmaro");
    ASSERT_TRUE(window->Studies->SaveStudy(other));
    const QString path = SavedThenChanged();
    presenter.answers = {QMessageBox::Cancel};
    EXPECT_FALSE(window->Studies->OpenStudy(other));
    EXPECT_EQ(window->Studies->Path(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(model.CurveNumber, 70);
    presenter.answers = {QMessageBox::Discard};
    EXPECT_TRUE(window->Studies->OpenStudy(other));
    EXPECT_EQ(model.CurveNumber, 85);
    EXPECT_EQ(presenter.messages.size(), 2u);
}

// The old file stays whole when the new one cannot be written out: here the process may not
// write a file larger than a few bytes.
TEST_F(StudyWindowTest, SavingWritesAWholeFileOrNothing)
{
    const QString path = SavedThenChanged();
    const QByteArray saved = Bytes(path);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{64, limit.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool savedAgain = window->Studies->Save();
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_FALSE(savedAgain);
    EXPECT_EQ(Bytes(path), saved);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"flood study 2026.velmaro"})
        << "no part of the new file is left behind";
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_TRUE(presenter.messages[0].text.startsWith(path + ": the study could not be saved ("))
        << presenter.messages[0].text.toStdString();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(StudyWindowTest, AFolderThatCannotBeWrittenIsNamedWithTheReason)
{
    const QString path = PathIn("no such folder/a.velmaro");
    EXPECT_FALSE(window->Studies->SaveStudy(path));
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_TRUE(presenter.messages[0].text.startsWith(path + ": the study could not be saved ("));
    EXPECT_FALSE(presenter.messages[0].text.endsWith("().")) << "the reason is given";
    EXPECT_EQ(window->windowTitle(), "Velmaro");
}

TEST_F(StudyWindowTest, AFieldThatIsNotANumberIsNotSaved)
{
    Type(window->euDdpmrhls, "1-2");
    EXPECT_FALSE(window->Studies->SaveStudy(PathIn("a.velmaro")));
    EXPECT_FALSE(QFile::exists(PathIn("a.velmaro")));
    ASSERT_FALSE(presenter.messages.empty());
    EXPECT_TRUE(presenter.messages.back().text.startsWith("The study was not saved: "));
}

// `velmaro FILE`: the About dialog first, alone; then the study.
TEST_F(StudyWindowTest, TheCommandLineOpensAStudyAfterTheAboutDialog)
{
    ModelState otherModel;
    const auto other = NewWindow(otherModel);
    Type(other->euNc, "64");
    const QString path = PathIn("from the desktop.velmaro");
    ASSERT_TRUE(other->Studies->SaveStudy(path));

    QString titleWhileAbout;
    test::AnswerNextModalDialog<QDialog>([&](QDialog &about) {
        titleWhileAbout = window->windowTitle();
        about.accept();
    });
    ShowWithStudyOf(*window, {"velmaro", path});
    EXPECT_EQ(titleWhileAbout, "Velmaro");
    EXPECT_EQ(window->windowTitle(), "Velmaro - from the desktop[*]");
    EXPECT_EQ(model.CurveNumber, 64);
}

TEST_F(StudyWindowTest, OpenRecentListsTheLastStudiesFirst)
{
    EXPECT_FALSE(window->Studies->OpenRecent1->menuAction()->isEnabled());
    const QString a = PathIn("a.velmaro"), b = PathIn("b.velmaro");
    ASSERT_TRUE(window->Studies->SaveStudy(a));
    Type(window->euNc, "60");
    ASSERT_TRUE(window->Studies->SaveStudy(b));
    EXPECT_EQ(window->Studies->RecentStudies(), QStringList({b, a}));

    emit window->Studies->OpenRecent1->aboutToShow();
    const QList<QAction *> entries = window->Studies->OpenRecent1->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 " + b);
    entries[1]->trigger();
    EXPECT_EQ(model.CurveNumber, 85);
    EXPECT_EQ(window->Studies->RecentStudies(), QStringList({a, b}));

    QFile::remove(b);
    EXPECT_FALSE(window->Studies->OpenStudy(b));
    EXPECT_EQ(window->Studies->RecentStudies(), QStringList({a})) << "a study that is gone leaves the list";
}

TEST_F(StudyWindowTest, ThePropertiesAreSavedAndPrintedInTheReport)
{
    EXPECT_EQ(window->Studies->Properties().date, QDate::currentDate().toString(Qt::ISODate).toStdString());
    test::AnswerNextModalDialog<StudyPropertiesDialog>([](StudyPropertiesDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Study Properties");
        dialog.findChild<QLineEdit *>("project")->setText("  Flood study 2026 ");
        dialog.findChild<QLineEdit *>("author")->setText(QString::fromUtf8("A. Hidróloga"));
        dialog.findChild<QLineEdit *>("date")->setText("2026-03-14");
        dialog.findChild<QPlainTextEdit *>("notes")->setPlainText("Upper basin only.\nGauge at the bridge.");
        dialog.accept();
    });
    window->Studies->StudyProperties1->trigger();
    ShowTab(window->TabSheet1);
    const QString report = window->RichEdit1->toPlainText();
    EXPECT_TRUE(report.contains("Project:\tFlood study 2026\n")) << report.toStdString();
    EXPECT_TRUE(report.contains("Location:\t______________________________________________\n"));
    EXPECT_TRUE(report.contains(QString::fromUtf8("Prepared by:\tA. Hidróloga\n")));
    EXPECT_TRUE(report.contains("Date:\t2026-03-14\n"));

    const QString path = PathIn("properties.velmaro");
    ASSERT_TRUE(window->Studies->SaveStudy(path));
    EXPECT_TRUE(Bytes(path).contains("Notes = Upper basin only.\\nGauge at the bridge.\n"));
    ModelState otherModel;
    const auto other = NewWindow(otherModel);
    ASSERT_TRUE(other->Studies->OpenStudy(path));
    EXPECT_EQ(other->Studies->Properties().author, "A. Hidróloga");
}

TEST_F(StudyWindowTest, MenuItemsFollowTheDescribedOnesWithTheirShortcuts)
{
    const QList<QAction *> items = window->Archivo1->actions();
    QStringList texts;
    for (QAction *item : items.mid(6))
        texts.append(item->text() + (item->shortcut().isEmpty() ? "" : " " + item->shortcut().toString()));
    EXPECT_EQ(texts, QStringList({"", "&Open Study... Ctrl+O", "&Save Study Ctrl+S",
                                  "Save Study &As... Ctrl+Shift+S", "Open &Recent", "",
                                  "Study &Properties..."}));
}

} // namespace
} // namespace velmaro
