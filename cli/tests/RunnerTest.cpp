#include "cli/tests/RunCapture.h"

#include "cli/Csv.h"
#include "cli/Inputs.h"
#include "engine/Chain.h"
#include "engine/ModelFields.h"
#include "engine/ModelState.h"
#include "engine/UnitHydrograph.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string_view>
#include <variant>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmaro;

namespace {

using Result = test::RunResult;
using test::RunWith;
using test::WriteFile;

QJsonObject ParseJson(const std::string &text)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

template <class Slots>
void ExpectSlots(const QJsonValue &printed, const Slots &stored, int count, std::string_view name)
{
    const QJsonArray values = printed.toArray();
    ASSERT_EQ(values.size(), count) << name;
    for (int k = 1; k <= count; ++k)
        EXPECT_EQ(values[k - 1].toDouble(), stored[k]) << name << " slot " << k;
}

} // namespace

TEST(RunnerTest, DefaultsPrintEveryFieldAndTheKnownResults)
{
    const Result r = RunWith({});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.empty());
    const QJsonObject json = ParseJson(r.out);
    for (const char *name :
         {"FlowLength", "LevelDifference", "WatershedArea", "ConcentrationTime",
          "InitialAbstraction", "TimeStep", "PotentialRetention", "TotalVolume", "SpecificVolume",
          "PeakDischarge", "StepCount", "CurveNumber", "HydrographCount", "SoilGroup",
          "PartialSeries", "LandUse", "AssignInitialAbstraction", "EnteredPartial", "RainPartial",
          "EnteredCumulative", "RainCumulative", "Hyetograph", "RunoffDepth", "RunoffIncrement",
          "Hydrograph", "failures", "warnings"})
        EXPECT_TRUE(json.contains(name)) << name;
    EXPECT_NEAR(json["ConcentrationTime"].toDouble(), 2.33287, 5e-6);
    EXPECT_NEAR(json["PeakDischarge"].toDouble(), 627.68326, 5e-6);
    EXPECT_NEAR(json["SpecificVolume"].toDouble(), 102.02189, 5e-6);
    EXPECT_EQ(json["HydrographCount"].toInt(), 16);
    EXPECT_EQ(json["Hydrograph"].toArray().size(), 16);
    EXPECT_EQ(json["RainCumulative"].toArray().size(), 6);
    EXPECT_TRUE(json["failures"].toArray().isEmpty());
    EXPECT_TRUE(json["warnings"].toArray().isEmpty());
}

TEST(RunnerTest, NumbersReadBackToTheSameDouble)
{
    const Result r = RunWith({"FlowLength=0.1", "WatershedArea=70.26"});
    const QJsonObject json = ParseJson(r.out);
    ModelState m;
    m.SetDefaults();
    m.FlowLength = 0.1;
    RunGuardedChain(m);
    EXPECT_EQ(json["FlowLength"].toDouble(), 0.1);
    EXPECT_EQ(json["ConcentrationTime"].toDouble(), m.ConcentrationTime);
    EXPECT_EQ(json["TotalVolume"].toDouble(), m.TotalVolume);
    const QJsonArray h = json["Hydrograph"].toArray();
    for (int j = 1; j <= m.HydrographCount; ++j)
        EXPECT_EQ(h[j - 1].toDouble(), m.Hydrograph[j]) << j;
}

// Every field under its own name, each number reading back to the very double computed.
TEST(RunnerTest, EveryFieldReadsBackToItsOwnValue)
{
    const std::vector<std::string> arguments = {
        "FlowLength=3.7", "LevelDifference=123.4", "WatershedArea=9.87", "TimeStep=7",
        "StepCount=5", "CurveNumber=77", "SoilGroup=2", "LandUse=3", "PartialSeries=0",
        "AssignInitialAbstraction=0", "EnteredPartial=1.1,2.2,3.3,4.4,5.5,6.6",
        "EnteredCumulative=10.1,30.3,31.7,70.9,69.2"};
    const Result r = RunWith(arguments);
    ASSERT_EQ(r.status, 0);
    const QJsonObject json = ParseJson(r.out);
    ModelState m;
    m.SetDefaults();
    for (const std::string &argument : arguments)
        cli::ApplyArgument(m, argument);
    RunGuardedChain(m);

    for (const ModelField &field : ModelFields()) {
        const QJsonValue printed = json[QString::fromUtf8(field.name.data(), field.name.size())];
        std::visit(Overloaded{
                       [&](double ModelState::*p) { EXPECT_EQ(printed.toDouble(), m.*p) << field.name; },
                       [&](std::int32_t ModelState::*p) { EXPECT_EQ(printed.toDouble(), m.*p) << field.name; },
                       [&](std::uint8_t ModelState::*p) { EXPECT_EQ(printed.toDouble(), m.*p) << field.name; },
                       [&](Series ModelState::*p) { ExpectSlots(printed, m.*p, m.StepCount, field.name); },
                       [&](Hydrograph ModelState::*p) {
                           ExpectSlots(printed, m.*p, m.HydrographCount, field.name);
                       },
                   },
                   field.member);
    }
    EXPECT_EQ(json.size(), std::ssize(ModelFields()) + 2); // and failures, warnings
}

TEST(RunnerTest, InputsReachTheirFields)
{
    const Result r = RunWith({"StepCount=3", "PartialSeries=0", "EnteredCumulative=10,10,25",
                              "CurveNumber=100", "TimeStep=60", "SoilGroup=3", "LandUse=2",
                              "AssignInitialAbstraction=0", "LevelDifference=5e2",
                              "FlowLength=+2.5", "WatershedArea=+.5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject json = ParseJson(r.out);
    EXPECT_EQ(json["RainPartial"].toArray(), QJsonArray({10, 0, 15}));
    EXPECT_EQ(json["Hyetograph"].toArray(), QJsonArray({10, 0, 15}));
    EXPECT_EQ(json["SoilGroup"].toInt(), 3);
    EXPECT_EQ(json["LandUse"].toInt(), 2);
    EXPECT_EQ(json["PotentialRetention"].toDouble(), 0);
    EXPECT_EQ(json["LevelDifference"].toDouble(), 500);
    EXPECT_EQ(json["FlowLength"].toDouble(), 2.5);
    EXPECT_EQ(json["WatershedArea"].toDouble(), 0.5);
    EXPECT_EQ(RunWith({"CurveNumber=+90"}).status, 0);
}

TEST(RunnerTest, HelpListsEveryInputWithWhatItTakes)
{
    const std::string usage = RunWith({"--help"}).out;
    for (const ModelField &field : ModelFields()) {
        const bool listed = usage.find("  " + std::string(field.name) + "=") != std::string::npos;
        EXPECT_EQ(listed, field.input) << field.name;
    }
    // Each input with the range the window's field holds it to.
    for (const char *line : {"FlowLength=NUMBER                     km, 0 or more",
                             "LevelDifference=NUMBER                m, 0 or more",
                             "WatershedArea=NUMBER                  km², 0 or more",
                             "InitialAbstraction=NUMBER             mm, any number",
                             "TimeStep=NUMBER                       minutes, 0 or more",
                             "StepCount=1..100", "CurveNumber=0..100", "SoilGroup=0..3",
                             "PartialSeries=0|1", "0 = A ... 3 = D",
                             "EnteredPartial=NUMBER,NUMBER,...|@FILE  mm per step, each 0 or more; slots "
                             "1, 2, ..., at most 100",
                             "EnteredCumulative=NUMBER,NUMBER,...|@FILE  mm to the end of each step, each "
                             "0 or more", "--unchecked"})
        EXPECT_NE(usage.find(line), std::string::npos) << line;
}

// The window's fields and the runner hold the same inputs to the same ranges.
TEST(RunnerTest, ValuesOutsideTheWindowsRangesExitTwoNamingTheRange)
{
    const std::pair<const char *, const char *> refused[] = {
        {"CurveNumber=150", "CurveNumber: 150 is outside the allowed range (0 - 1E2)"},
        {"CurveNumber=-1", "CurveNumber: -1 is outside the allowed range (0 - 1E2)"},
        {"FlowLength=-1", "FlowLength: -1 is outside the allowed range (0 - 1.1E4900)"},
        {"LevelDifference=-0.5", "LevelDifference: -0.5 is outside the allowed range (0 - 1.1E4900)"},
        {"WatershedArea=-70.26", "WatershedArea: -70.26 is outside the allowed range (0 - 1.1E4900)"},
        {"TimeStep=-1e-300", "TimeStep: -1e-300 is outside the allowed range (0 - 1.1E4900)"},
        {"EnteredPartial=1,-2", "EnteredPartial: step 2: -2 is outside the allowed range (0 - 1.1E4900)"},
        {"EnteredCumulative=-1", "EnteredCumulative: step 1: -1 is outside the allowed range (0 - 1.1E4900)"},
    };
    for (const auto &[argument, message] : refused) {
        const Result r = RunWith({argument});
        EXPECT_EQ(r.status, 2) << argument;
        EXPECT_EQ(r.err, "velmaro-cli: " + std::string(message) + "\n");
    }
    // The bounds themselves, a signed zero, a magnitude read as zero; no range for the initial
    // abstraction.
    for (const char *taken : {"CurveNumber=0", "CurveNumber=100", "FlowLength=-0", "TimeStep=-1e-400",
                              "InitialAbstraction=-5", "WatershedArea=1e300"})
        EXPECT_EQ(RunWith({taken}).status, 0) << taken;
}

// Unchecked, the values reach the engine as the window hands them over while it shows its range
// message, and each one is listed.
TEST(RunnerTest, UncheckedComputesWithValuesOutOfRangeAndListsEach)
{
    const std::vector<std::string> inputs = {"CurveNumber=150", "WatershedArea=-2", "StepCount=3",
                                             "EnteredPartial=1,-2,3,-4", "InitialAbstraction=-1"};
    std::vector<std::string> arguments = {"--unchecked"};
    arguments.insert(arguments.end(), inputs.begin(), inputs.end());
    const Result r = RunWith(arguments);
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject json = ParseJson(r.out);
    ModelState m;
    m.SetDefaults();
    m.CurveNumber = 150;
    m.WatershedArea = -2;
    m.StepCount = 3;
    const double heights[] = {1, -2, 3, -4};
    for (int k = 1; k <= 4; ++k)
        m.EnteredPartial[k] = heights[k - 1];
    m.InitialAbstraction = -1;
    const std::vector<StageFailure> failures = RunGuardedChain(m);
    EXPECT_EQ(json["PeakDischarge"].toDouble(), m.PeakDischarge);
    EXPECT_EQ(json["RunoffDepth"].toArray().last().toDouble(), m.RunoffDepth[3]);
    EXPECT_EQ(json["failures"].toArray().size(), std::ssize(failures));
    // Step 4 lies beyond the step count: not computed with, not listed.
    const QJsonArray warnings = json["warnings"].toArray();
    const std::pair<const char *, const char *> expected[] = {
        {"WatershedArea", "-2 is outside the allowed range (0 - 1.1E4900)"},
        {"CurveNumber", "150 is outside the allowed range (0 - 1E2)"},
        {"EnteredPartial", "step 2: -2 is outside the allowed range (0 - 1.1E4900)"},
    };
    ASSERT_EQ(warnings.size(), std::ssize(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(warnings[qsizetype(i)]["input"].toString(), expected[i].first);
        EXPECT_EQ(warnings[qsizetype(i)]["message"].toString(), expected[i].second);
    }
    // A later value that is in range replaces the warning with the value.
    EXPECT_TRUE(ParseJson(RunWith({"--unchecked", "CurveNumber=150", "CurveNumber=80"}).out)["warnings"]
                    .toArray()
                    .isEmpty());
    // As tables, each one is named on standard error.
    const Result csv = RunWith({"--unchecked", "--format", "csv", "CurveNumber=101"});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.err, "velmaro-cli: unchecked: CurveNumber: 101 is outside the allowed range (0 - 1E2)\n");
}

TEST(RunnerTest, EngineFailuresAreListedInOrderAndTheChainGoesOn)
{
    const Result r = RunWith({"LevelDifference=0", "CurveNumber=0", "WatershedArea=0"});
    ASSERT_EQ(r.status, 0);
    const QJsonObject json = ParseJson(r.out);
    const QJsonArray failures = json["failures"].toArray();
    ASSERT_EQ(failures.size(), 3);
    EXPECT_EQ(failures[0]["routine"].toString(), "ComputeConcentrationTime");
    EXPECT_EQ(failures[0]["message"].toString(), "Floating point division by zero");
    EXPECT_EQ(failures[1]["routine"].toString(), "ComputeRetention"); // runoff depth skipped
    EXPECT_EQ(failures[2]["routine"].toString(), "ComputeHydrograph");
    // Tc stayed 0, so Tp = 0.25 h, Tp / D = 0.5 and nb = trunc(1.335) + 3 = 4.
    EXPECT_EQ(json["HydrographCount"].toInt(), 4 + 6 - 1);
}

TEST(RunnerTest, CapacityRefusalIsAFailureWithItsMessage)
{
    const Result r = RunWith({"FlowLength=10000", "TimeStep=1"});
    const QJsonArray failures = ParseJson(r.out)["failures"].toArray();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0]["routine"].toString(), "ComputeHydrograph");
    EXPECT_TRUE(failures[0]["message"].toString().startsWith("The hydrograph would need "));
    EXPECT_TRUE(failures[0]["message"].toString().endsWith(" ordinates; at most 100000 can be computed."));
}

TEST(RunnerTest, BadArgumentsExitTwoWithAMessage)
{
    const std::vector<std::string> bad[] = {
        {"Unknown=1"},        {"FlowLength"},          {"FlowLength=abc"},  {"FlowLength="},
        {"TimeStep=1e400"},   {"FlowLength=inf"},      {"StepCount=0"},     {"StepCount=101"},
        {"StepCount=2.5"},    {"PartialSeries=2"},     {"AssignInitialAbstraction=-1"},
        {"SoilGroup=4"},      {"EnteredPartial=1,,2"}, {"CurveNumber=85.9"},  {"CurveNumber=101"},
        {"FlowLength=+-1"},   {"FlowLength=+"},        {"StepCount=++3"},
        {"EnteredPartial=" + [] {
             std::string s = "1";
             for (int i = 0; i < 100; ++i)
                 s += ",1";
             return s;
         }()},
    };
    for (const auto &arguments : bad) {
        const Result r = RunWith(arguments);
        EXPECT_EQ(r.status, 2) << arguments[0];
        EXPECT_TRUE(r.out.empty()) << arguments[0];
        EXPECT_EQ(r.err.rfind("velmaro-cli: ", 0), 0U) << arguments[0];
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << arguments[0];
    }
}

// A terminal must neither split the one-line message nor obey an escape sequence in it.
TEST(RunnerTest, ControlCharactersOfABadArgumentAreShownEscaped)
{
    const struct {
        std::string argument;
        std::string_view shown;
    } cases[] = {
        {"Flow\nLength=1", "unknown input 'Flow\\nLength'"},
        {"FlowLength=\x1b[2J", "'\\x1b[2J' is not a number"},
        {"StepCount=\t3\r", "'\\t3\\r' is not a number"},
        {"StepCount=1.5\x7f", "'1.5\\x7f' is not a number"},
        {"no\x01sign", "'no\\x01sign' is not NAME=VALUE"},
        {"x\xc2\x9b" "2J=1", "unknown input 'x\\u009b2J'"},
        {"StepCount=7\xc3\xa9", "'7\xc3\xa9' is not a number"},
    };
    for (const auto &c : cases) {
        const Result r = RunWith({c.argument});
        EXPECT_EQ(r.status, 2) << c.shown;
        EXPECT_NE(r.err.find(c.shown), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << c.shown;
    }
}

TEST(RunnerTest, ExecutableHonoursTheExitStatusAndHelp)
{
    const auto run = [](const std::string &args) {
        std::string command = std::string(VELMARO_CLI) + " " + args + " 2>/dev/null";
        FILE *pipe = popen(command.c_str(), "r");
        std::string out;
        std::array<char, 4096> buffer{};
        while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
            out.append(buffer.data(), n);
        const int status = pclose(pipe);
        return std::pair{WEXITSTATUS(status), out};
    };
    EXPECT_EQ(run("StepCount=0").first, 2);
    const auto help = run("--help");
    EXPECT_EQ(help.first, 0);
    EXPECT_NE(help.second.find("usage: velmaro-cli"), std::string::npos);
    const auto defaults = run("");
    EXPECT_EQ(defaults.first, 0);
    EXPECT_NE(defaults.second.find("\"HydrographCount\": 16"), std::string::npos);
}

TEST(RunnerTest, OutputThatCannotBeWrittenIsNotASuccess)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full on this machine";
    for (const char *args : {"", "--help"}) {
        const std::string command =
            std::string(VELMARO_CLI) + " " + args + " >/dev/full 2>/dev/null";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << args;
        EXPECT_EQ(WEXITSTATUS(status), 1) << args;
    }
}

namespace {

std::vector<std::vector<std::string>> CsvRecords(const std::string &text)
{
    std::istringstream in(text);
    cli::CsvReader reader(in);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    while (reader.Next(fields))
        records.push_back(fields);
    return records;
}

} // namespace

// NaN and infinity are never numbers, wherever the runner reads one; what the message quotes is
// what was given.
TEST(RunnerTest, NotANumberAndInfinityAreRefusedWhereverANumberIsRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string series = WriteFile(dir, "series.txt", "1\n-nan\n");
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"TimeStep=NaN"}, "TimeStep: 'NaN' is not a number"},
        {{"FlowLength=-nan"}, "FlowLength: '-nan' is not a number"},
        {{"WatershedArea=inf"}, "WatershedArea: 'inf' is not a number"},
        {{"CurveNumber=nan"}, "CurveNumber: 'nan' is not a number"},
        {{"EnteredPartial=1,+inf"}, "EnteredPartial: '+inf' is not a number"},
        {{"EnteredCumulative=@" + series}, "EnteredCumulative: " + series + ": Line 2, column 1: '-nan' is not a number."},
        {{"DesignStorm=uniform", "StormDepth=NAN"}, "StormDepth: 'NAN' is not a number"},
    };
    for (const auto &c : cases) {
        const Result r = RunWith(c.arguments);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.err, "velmaro-cli: " + c.message + "\n");
    }
    const std::string casesFile =
        WriteFile(dir, "cases.csv", "TimeStep,EnteredPartial\n30,\nnan,\n,\"1,inf\"\n");
    const Result batch = RunWith({"--cases", casesFile});
    EXPECT_EQ(batch.status, 3);
    EXPECT_EQ(CsvRecords(batch.out).size(), 2u);
    EXPECT_EQ(batch.err,
              "velmaro-cli: " + casesFile + " row 3 skipped: column 1: TimeStep: 'nan' is not a number\n" +
                  "velmaro-cli: " + casesFile + " row 4 skipped: column 2: EnteredPartial: 'inf' is not a number\n");
}

TEST(RunnerTest, FormatCsvPrintsTheRainfallAndHydrographTables)
{
    const std::vector<std::string> inputs = {"StepCount=3", "PartialSeries=1", "TimeStep=30",
                                             "EnteredPartial=10,25.5,4"};
    std::vector<std::string> arguments = {"--format", "csv"};
    arguments.insert(arguments.end(), inputs.begin(), inputs.end());
    const Result r = RunWith(arguments);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    ModelState m;
    m.SetDefaults();
    for (const std::string &input : inputs)
        cli::ApplyArgument(m, input);
    RunGuardedChain(m);

    const auto records = CsvRecords(r.out);
    ASSERT_EQ(records.size(), 1 + 3 + 1 + 1 + std::size_t(m.HydrographCount));
    EXPECT_EQ(records[0], (std::vector<std::string>{"Time [h]", "RainPartial [mm]", "RainCumulative [mm]",
                                                    "Hyetograph [mm/h]", "RunoffDepth [mm]"}));
    for (int k = 1; k <= 3; ++k) {
        const auto &row = records[std::size_t(k)];
        EXPECT_EQ(std::stod(row[0]), k * 0.5);
        EXPECT_EQ(std::stod(row[1]), m.RainPartial[k]);
        EXPECT_EQ(std::stod(row[2]), m.RainCumulative[k]);
        EXPECT_EQ(std::stod(row[3]), m.Hyetograph[k]);
        EXPECT_EQ(std::stod(row[4]), m.RunoffDepth[k]);
    }
    EXPECT_EQ(records[4], std::vector<std::string>{""}); // the empty line between the tables
    EXPECT_EQ(records[5], (std::vector<std::string>{"Time [h]", "Hydrograph [m³/s]"}));
    for (int j = 1; j <= m.HydrographCount; ++j) {
        EXPECT_EQ(std::stod(records[std::size_t(5 + j)][0]), j * 0.5);
        EXPECT_EQ(std::stod(records[std::size_t(5 + j)][1]), m.Hydrograph[j]);
    }
    EXPECT_EQ(RunWith({"--format=json"}).out, RunWith({}).out);
}

TEST(RunnerTest, FormatCsvLeavesAFailedStageEmptyAndNamesIt)
{
    const Result r = RunWith({"--format", "csv", "CurveNumber=0", "StepCount=2"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "velmaro-cli: ComputeRetention failed: Floating point division by zero\n");
    const auto records = CsvRecords(r.out);
    ASSERT_GE(records.size(), 3u);
    EXPECT_NE(records[1][1], "");
    EXPECT_EQ(records[1][4], "");
}

TEST(RunnerTest, CasesFileRunsEveryRowAndTellsSkippedRowsByItsStatus)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string storm = WriteFile(dir, "storm.txt", "time;height\n0,5;10\n1;25,5\n1,5;4\n");
    const std::string cases = WriteFile(
        dir, "cases.csv", "CurveNumber,EnteredPartial\r\n85,\"10,25.5,4\"\r\n85,@" + storm + "\r\n");
    const Result r = RunWith({"--cases", cases, "StepCount=3", "PartialSeries=1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto records = CsvRecords(r.out);
    ASSERT_EQ(records.size(), 3u);
    // The series from the file gives what the same series typed in gives.
    EXPECT_EQ(std::vector(records[1].begin() + 3, records[1].end()),
              std::vector(records[2].begin() + 3, records[2].end()));
    EXPECT_EQ(records[1][0], "2");

    const std::string bad = WriteFile(dir, "bad.csv", "CurveNumber\n80\nx\n90\n");
    const Result skipped = RunWith({"--cases=" + bad});
    EXPECT_EQ(skipped.status, 3);
    EXPECT_EQ(CsvRecords(skipped.out).size(), 3u);
    EXPECT_EQ(skipped.err, "velmaro-cli: " + bad + " row 3 skipped: column 1: CurveNumber: 'x' is not a number\n");
}

TEST(RunnerTest, BadOptionsAndCasesFilesExitTwo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string unknownName = WriteFile(dir, "unknown.csv", "CurveNumber,Rain\n80,1\n");
    const std::string badSeries = WriteFile(dir, "bad.txt", "10\nten\n");
    const std::vector<std::string> bad[] = {
        {"--format", "xml"},
        {"--format"},
        {"--cases"},
        {"--bogus"},
        {"--cases", dir.filePath("missing.csv").toStdString()},
        {"--cases", dir.path().toStdString()},
        {"--cases", unknownName},
        {"--cases", unknownName, "--format", "json"},
        {"EnteredPartial=@" + badSeries},
        {"EnteredCumulative=@" + dir.filePath("missing.txt").toStdString()},
        {"--cases", "/dev/zero"},
        {"--cases", "/proc/self/mem"},
    };
    for (const auto &arguments : bad) {
        SCOPED_TRACE(arguments[0] + " " + (arguments.size() > 1 ? arguments[1] : ""));
        const Result r = RunWith(arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err.rfind("velmaro-cli: ", 0), 0U) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_NE(RunWith({"EnteredPartial=@" + badSeries}).err.find("Line 2, column 1: 'ten' is not a number."), std::string::npos);
    EXPECT_EQ(RunWith({"--cases", "/dev/zero"}).err,
              "velmaro-cli: /dev/zero row 1: a record longer than 65536 bytes; this is no cases file\n");
    EXPECT_EQ(RunWith({"--cases", "/proc/self/mem"}).err, "velmaro-cli: /proc/self/mem row 1: it cannot be read\n");
}

// Each unit hydrograph by its name: the hydrograph the engine gives with that choice, printed
// with its peak time and continuity error; the code it stands for is the same choice.
TEST(RunnerUnitHydrograph, EachNameGivesTheEnginesHydrographForThatChoice)
{
    std::vector<double> peaks;
    for (std::size_t code = 0; code < kUnitHydrographKinds; ++code) {
        const std::string name(kUnitHydrographKeys[code]);
        SCOPED_TRACE(name);
        const Result r = RunWith({"UnitHydrograph=" + name, "TimeStep=15", "StepCount=4"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(RunWith({"UnitHydrograph=" + std::to_string(code), "TimeStep=15", "StepCount=4"}).out, r.out);
        const QJsonObject json = ParseJson(r.out);
        ModelState m;
        m.SetDefaults();
        m.TimeStep = 15;
        m.StepCount = 4;
        m.UnitHydrograph = static_cast<std::uint8_t>(code);
        ASSERT_TRUE(RunGuardedChain(m).empty());
        EXPECT_EQ(json["UnitHydrograph"].toInt(), static_cast<int>(code));
        EXPECT_EQ(json["PeakDischarge"].toDouble(), m.PeakDischarge);
        EXPECT_EQ(json["PeakTime"].toDouble(), m.PeakTime);
        EXPECT_EQ(json["SpecificVolume"].toDouble(), m.SpecificVolume);
        EXPECT_EQ(json["ContinuityError"].toDouble(), m.ContinuityError);
        ExpectSlots(json["Hydrograph"], m.Hydrograph, m.HydrographCount, "Hydrograph");
        peaks.push_back(m.PeakDischarge);
    }
    std::sort(peaks.begin(), peaks.end());
    EXPECT_EQ(std::adjacent_find(peaks.begin(), peaks.end()), peaks.end()) << "each choice its own peak";

    const QJsonObject kept = ParseJson(RunWith({"UnitHydrograph=triangular-volume"}).out);
    EXPECT_LE(std::fabs(kept["ContinuityError"].toDouble()), 1e-10);
    EXPECT_NEAR(ParseJson(RunWith({}).out)["ContinuityError"].toDouble(), 24.82087, 5e-6);
    EXPECT_EQ(ParseJson(RunWith({}).out)["PeakTime"].toDouble(), 3); // the sixth ordinate of 30 min
}

TEST(RunnerUnitHydrograph, AnUnknownNameExitsTwoListingTheNames)
{
    const std::pair<const char *, const char *> refused[] = {
        {"UnitHydrograph=nrcs",
         "UnitHydrograph: 'nrcs' is not one of triangular, triangular-volume, nrcs-curvilinear (or their codes 0..2)"},
        {"UnitHydrograph=", "UnitHydrograph: '' is not one of triangular"},
        {"UnitHydrograph=3", "UnitHydrograph must lie between 0 and 2; got 3"},
    };
    for (const auto &[argument, message] : refused) {
        const Result r = RunWith({argument});
        EXPECT_EQ(r.status, 2) << argument;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_NE(RunWith({"--help"}).out.find("UnitHydrograph=triangular|triangular-volume|nrcs-curvilinear|0..2"),
              std::string::npos);
}

// Without runoff there is nothing to compare the hydrograph's volume with: no number, and no
// failure either.
TEST(RunnerUnitHydrograph, ContinuityErrorIsNullWithoutRunoff)
{
    const Result r = RunWith({"EnteredPartial=0,0,0,0,0,0"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject json = ParseJson(r.out);
    EXPECT_TRUE(json["failures"].toArray().isEmpty());
    EXPECT_EQ(json["SpecificVolume"].toDouble(), 0);
    EXPECT_TRUE(json["ContinuityError"].isNull()) << r.out;
    EXPECT_NE(r.out.find("\"ContinuityError\": null,"), std::string::npos);
}
