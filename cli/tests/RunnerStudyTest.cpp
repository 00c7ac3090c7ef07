// The runner over studies: --study as the base of a run or of every case, --save-study writing
// the inputs run as a study that gives the same numbers when opened again.

#include "cli/tests/RunCapture.h"

#include "cli/Csv.h"

#include "engine/Chain.h"
#include "engine/ModelState.h"
#include "study/Study.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

using namespace velmaro;

namespace {

using test::RunResult;
using test::RunWith;

QJsonObject Json(const RunResult &r)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

// Another unit than the first in several fields, a curve number with a fraction, the curvilinear
// unit hydrograph and a short series: numbers the runner can only get from the study.
constexpr const char *kOtherUnits = "Velmaro study 1.1\n"
                                    "Project = Upper basin\n"
                                    "FlowLength = 21790 m\n"
                                    "WatershedArea = 7026 ha\n"
                                    "TimeStep = 0.25 hrs\n"
                                    "InitialAbstraction = 1.8 cm\n"
                                    "CurveNumber = 78.6 -\n"
                                    "StepCount = 3\n"
                                    "StepShown = 3\n"
                                    "EnteredPartial = 10, 20.5, 4\n"
                                    "UnitHydrograph = nrcs-curvilinear\n"
                                    "PeakDischargeUnit = l/s\n"
                                    "Tab = runoff\n";

class RunnerStudy : public ::testing::Test {
protected:
    std::string PathOf(const std::string &name) const { return folder.filePath(QString::fromStdString(name)).toStdString(); }

    std::string Write(const std::string &name, const std::string &text) const
    {
        return test::WriteFile(folder, name, text);
    }

    static std::string Read(const std::string &path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    // The study's inputs run by the engine, as the window runs them once the study is open.
    static ModelState Computed(const std::string &path)
    {
        ModelState m = study::ReadStudyFile(path).study.inputs;
        RunGuardedChain(m);
        return m;
    }

    QTemporaryDir folder;
};

TEST_F(RunnerStudy, StartsFromTheStudysInputsAndArgumentsApplyOnTop)
{
    const std::string path = Write("other units.velmaro", kOtherUnits);
    const RunResult r = RunWith({"--study", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const ModelState m = Computed(path);
    const QJsonObject json = Json(r);
    EXPECT_EQ(json["FlowLength"].toDouble(), 21.79);
    EXPECT_EQ(json["TimeStep"].toDouble(), 15);
    EXPECT_EQ(json["CurveNumber"].toInt(), 78);
    EXPECT_EQ(json["UnitHydrograph"].toInt(), 2);
    EXPECT_EQ(json["StepCount"].toInt(), 3);
    for (const auto &[name, value] : {std::pair{"PeakDischarge", m.PeakDischarge}, {"TotalVolume", m.TotalVolume},
                                      {"PeakTime", m.PeakTime}, {"ContinuityError", m.ContinuityError}})
        EXPECT_EQ(json[name].toDouble(), value) << name;

    const QJsonObject changed = Json(RunWith({"CurveNumber=90", "--study=" + path, "UnitHydrograph=triangular"}));
    EXPECT_EQ(changed["CurveNumber"].toInt(), 90);
    EXPECT_EQ(changed["UnitHydrograph"].toInt(), 0);
    EXPECT_EQ(changed["WatershedArea"].toDouble(), 70.26);
}

// Every case starts from the study, then its cells, as a single run of the study with the same
// arguments.
TEST_F(RunnerStudy, IsTheBaseOfEveryCase)
{
    const std::string path = Write("base.velmaro", kOtherUnits);
    const std::string cases = Write("cases.csv", "CurveNumber\n70\n\n");
    const RunResult r = RunWith({"--cases", cases, "--study", path, "TimeStep=30"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream written(r.out);
    cli::CsvReader reader(written);
    std::vector<std::string> header, row;
    ASSERT_TRUE(reader.Next(header) && reader.Next(row));
    const QJsonObject single = Json(RunWith({"--study", path, "TimeStep=30", "CurveNumber=70"}));
    for (const char *name : {"PeakDischarge", "TotalVolume", "PeakTime", "ContinuityError"}) {
        const auto column = std::find_if(header.begin(), header.end(),
                                         [name](const std::string &h) { return h.starts_with(std::string(name) + " ["); });
        ASSERT_NE(column, header.end()) << name;
        const std::string &cell = row[static_cast<std::size_t>(column - header.begin())];
        double value = 0;
        std::from_chars(cell.data(), cell.data() + cell.size(), value);
        EXPECT_EQ(value, single[name].toDouble()) << name << " " << cell;
    }
}

// Saved, then run again from the study: the same output byte for byte, and the window's entries
// kept where the run left them as they were.
TEST_F(RunnerStudy, SaveStudyWritesTheInputsRunSoThatTheyRunAgainTheSame)
{
    const std::vector<std::string> arguments = {"CurveNumber=80", "UnitHydrograph=nrcs-curvilinear",
                                                "DesignStorm=II", "StormDepth=120", "TimeStep=15"};
    const std::string saved = PathOf("storm.velmaro");
    std::vector<std::string> saving = arguments;
    saving.insert(saving.end(), {"--save-study", saved});
    const RunResult first = RunWith(saving);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, RunWith(arguments).out);
    EXPECT_EQ(RunWith({"--study", saved}).out, first.out);
    const std::string text = Read(saved);
    for (const char *line : {"DesignStorm = II\n", "StormDepth = 120\n", "StormTimeStep = 15\n",
                             "UnitHydrograph = nrcs-curvilinear\n", "TimeStep = 15 min\n", "StepCount = 96\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    // From a study: what was not changed keeps its unit and entry, a number changed is written
    // in the field's first unit, and a series typed over the storm's is no longer the storm.
    const std::string base = Write("base.velmaro", kOtherUnits);
    const std::string again = PathOf("again.velmaro");
    ASSERT_EQ(RunWith({"--study", base, "WatershedArea=12.5", "StepCount=2", "--save-study", again}).status, 0);
    const std::string againText = Read(again);
    for (const char *line : {"FlowLength = 21790 m\n", "WatershedArea = 12.5 km²\n", "CurveNumber = 78.6 -\n",
                             "InitialAbstraction = 1.8 cm\n", "Project = Upper basin\n", "StepShown = 2\n",
                             "PeakDischargeUnit = l/s\n", "Tab = runoff\n", "Date =\n"})
        EXPECT_NE(againText.find(line), std::string::npos) << line << againText;
    EXPECT_EQ(RunWith({"--study", again}).out, RunWith({"--study", base, "WatershedArea=12.5", "StepCount=2"}).out);
    ASSERT_EQ(RunWith({"--study", saved, "EnteredPartial=1", "--save-study", again}).status, 0);
    EXPECT_EQ(Read(again).find("DesignStorm"), std::string::npos);
}

// Nothing is written and nothing is run when the study cannot hold the inputs or the file
// cannot be written; a file there before stays as it was, and no half-written file is left.
TEST_F(RunnerStudy, ASaveThatCannotBeMadeExitsTwoAndLeavesNothingBehind)
{
    const std::string kept = Write("kept.velmaro", "Velmaro study 1.1\nCurveNumber = 70 -\n");
    const std::string notAFolder = Write("plain.txt", "text");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--unchecked", "FlowLength=-1", "--save-study", kept},
         "velmaro-cli: --save-study: FlowLength: -1 km is outside the allowed range (0 - 1.1E4900 km)\n"},
        {{"--save-study", notAFolder + "/study.velmaro"},
         "velmaro-cli: " + notAFolder + "/study.velmaro: the study could not be saved (Not a directory)\n"},
        {{"--save-study", folder.path().toStdString()},
         "velmaro-cli: " + folder.path().toStdString() + ": the study could not be saved (Is a directory)\n"},
        {{"--cases", "-", "--save-study", kept},
         "velmaro-cli: --save-study saves the inputs of a single run, not of --cases\n"},
    };
    for (const auto &[arguments, message] : cases) {
        const RunResult r = RunWith(arguments);
        EXPECT_EQ(r.status, 2) << arguments.back();
        EXPECT_EQ(r.err, message);
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(Read(kept), "Velmaro study 1.1\nCurveNumber = 70 -\n");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{"kept.velmaro", "plain.txt"}));
}

TEST_F(RunnerStudy, ABadStudyExitsTwoWithTheStudysMessage)
{
    const std::string bad = Write("bad.velmaro", "Velmaro study 1.1\n\nCurveNumber = 170 -\n");
    const std::string missing = PathOf("missing.velmaro");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--study", bad}, bad + ", line 3: CurveNumber: 170 is outside the allowed range (0 - 1E2)"},
        {{"--study", missing}, missing + ": the file does not exist"},
        {{"--cases", "-", "--study", bad}, bad + ", line 3: CurveNumber"},
        {{"--study"}, "--study needs a value"},
    };
    for (const auto &[arguments, message] : cases) {
        const RunResult r = RunWith(arguments);
        EXPECT_EQ(r.status, 2) << arguments.back();
        EXPECT_EQ(r.err.find("velmaro-cli: " + message), 0u) << r.err;
        EXPECT_TRUE(r.out.empty());
    }

    // Keys of a newer minor version are skipped with a note, and the run goes on.
    const std::string newer = Write("newer.velmaro", "Velmaro study 1.9\nSnowMelt = degree-day\nCurveNumber = 70 -\n");
    const RunResult r = RunWith({"--study", newer});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(Json(r)["CurveNumber"].toInt(), 70);
    EXPECT_EQ(r.err, "velmaro-cli: note: " + newer + ": line 2: the key 'SnowMelt' of format 1.9 was skipped\n");
}

TEST(RunnerStudyHelp, TellsBothOptions)
{
    const std::string usage = RunWith({"--help"}).out;
    for (const char *text : {"[--study FILE]", "[--save-study FILE]", "--study FILE starts from the inputs of a study",
                             "--save-study FILE writes the inputs of the run as a study"})
        EXPECT_NE(usage.find(text), std::string::npos) << text;
}

} // namespace
