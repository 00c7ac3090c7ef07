// The runner's series from a file (NAME=@FILE) and its design storms, which must give the
// series the "Rainfall series" dialog gives.

#include "cli/tests/RunCapture.h"

#include "rainfall/DesignStorm.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include <sys/wait.h>

using namespace velmaro;

namespace {

struct Outcome : test::RunResult {
    QJsonObject json;
};

Outcome RunCli(const std::vector<std::string> &arguments)
{
    Outcome r{test::RunWith(arguments), {}};
    r.json = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    return r;
}

std::vector<double> Numbers(const QJsonValue &array)
{
    std::vector<double> numbers;
    for (const QJsonValue &v : array.toArray())
        numbers.push_back(v.toDouble());
    return numbers;
}

class RunnerSeriesFile : public ::testing::Test {
protected:
    std::string Write(const std::string &name, const std::string &text) { return test::WriteFile(folder, name, text); }

    QTemporaryDir folder;
};

TEST_F(RunnerSeriesFile, FillsTheSlotsAndTheStepCountUnlessOneIsGiven)
{
    const std::string path = Write("storm.csv", "Time [h],Partial rainfall height [mm]\n0.5,5\n1,10\n1.5,15\n");
    Outcome r = RunCli({"EnteredPartial=@" + path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Numbers(r.json["EnteredPartial"]), (std::vector<double>{5, 10, 15}));
    EXPECT_EQ(Numbers(r.json["RainCumulative"]), (std::vector<double>{5, 15, 30}));

    r = RunCli({"StepCount=5", "EnteredPartial=@" + path});
    EXPECT_EQ(Numbers(r.json["EnteredPartial"]), (std::vector<double>{5, 10, 15, 13.2, 7.3}));

    r = RunCli({"PartialSeries=0", "EnteredCumulative=@" + Write("c.txt", "2\n2\n9,5\n")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Numbers(r.json["RainPartial"]), (std::vector<double>{2, 0, 7.5}));
}

TEST_F(RunnerSeriesFile, ABadFileExitsTwoNamingItsLine)
{
    const std::string falling = Write("falling.csv", "10\n8\n");
    const std::string word = Write("word.csv", "1\nten\n");
    const std::string missing = folder.filePath("missing.csv").toStdString();
    const std::pair<std::string, std::string> cases[] = {
        {"EnteredCumulative=@" + falling,
         falling + ": Line 2, column 1: the cumulative height falls below that of line 1."},
        {"EnteredPartial=@" + word, word + ": Line 2, column 1: 'ten' is not a number."},
        {"EnteredPartial=@" + missing, missing + ": the file cannot be opened."},
        {"EnteredPartial=@" + folder.path().toStdString(), folder.path().toStdString() + ": is a folder, not a file."},
        {"EnteredPartial=@/dev/zero", "/dev/zero: the file is far too large for a rainfall series."},
        {"EnteredCumulative=@/proc/self/mem", "/proc/self/mem: the file cannot be read."},
    };
    for (const auto &[argument, message] : cases) {
        const Outcome r = RunCli({argument});
        EXPECT_EQ(r.status, 2) << argument;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

// A file's times are read as the window's import reads them, and must step as the time step does,
// whatever the order of the arguments; a cases row is held to the same check.
TEST_F(RunnerSeriesFile, TimesMustStepAsTheTimeStep)
{
    const std::string hourly = Write("hourly.csv", "1,12\n2,30\n3,8\n");
    Outcome r = RunCli({"EnteredPartial=@" + hourly, "TimeStep=60"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Numbers(r.json["EnteredPartial"]), (std::vector<double>{12, 30, 8}));

    const std::string logger = Write("logger.csv", "Date;Partial (mm)\n01/05/2024 13:00;0,5\n01/05/2024 13:15;1,5\n");
    r = RunCli({"TimeStep=15", "EnteredCumulative=@" + logger});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Numbers(r.json["EnteredCumulative"]), (std::vector<double>{0.5, 2}));

    const std::string uneven = Write("uneven.csv", "1,12\n2,30\n4,8\n");
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"TimeStep=15", "EnteredPartial=@" + hourly},
         "EnteredPartial: " + hourly + ": the file steps every 60 min, the time step is 15 min"},
        {{"EnteredPartial=@" + logger},
         "EnteredPartial: " + logger + ": the file steps every 15 min, the time step is 30 min"},
        {{"EnteredPartial=@" + uneven, "TimeStep=60"},
         "EnteredPartial: " + uneven + ": Line 3, column 1: the times step every 60 min up to line 2, then 120 min."},
    };
    for (const auto &[arguments, message] : refused) {
        r = RunCli(arguments);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_EQ(r.err, "velmaro-cli: " + message + "\n");
        EXPECT_TRUE(r.out.empty());
    }

    const std::string cases = Write("cases.csv", "TimeStep,EnteredPartial\n60,@" + hourly + "\n15,@" + hourly + "\n");
    r = RunCli({"--cases", cases});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("row 3 skipped: EnteredPartial: " + hourly + ": the file steps every 60 min, the time step is 15 min"),
              std::string::npos)
        << r.err;

    // The command line's file is checked against each case's time step, until a case gives its
    // own series.
    const std::string steps = Write("steps.csv", "TimeStep,EnteredPartial\n60,\n15,\n15,\"1,2\"\n");
    r = RunCli({"EnteredPartial=@" + hourly, "TimeStep=60", "--cases", steps});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_EQ(r.err, "velmaro-cli: " + steps + " row 3 skipped: EnteredPartial: " + hourly +
                         ": the file steps every 60 min, the time step is 15 min\n");
    EXPECT_NE(r.out.find("\n2,60,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n4,15,"), std::string::npos) << r.out;
}

// A pipe has no size to check: reading stops at the limit however long the writer goes on.
TEST(RunnerSeriesPipe, FedForeverStopsAtTheLimit)
{
    const std::string command = "yes 1 | " + std::string(VELMARO_CLI) + " EnteredPartial=@/dev/stdin 2>&1 >/dev/null";
    FILE *pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string err;
    std::array<char, 4096> buffer{};
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        err.append(buffer.data(), n);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(err, "velmaro-cli: EnteredPartial: /dev/stdin: the file is far too large for a rainfall series.\n");
}

TEST(RunnerStorm, GivesTheDialogsSeriesWhateverTheOrderOfArguments)
{
    const std::vector<double> typeII = rainfall::MakeStorm(rainfall::StormType::TypeII, 100, 30, 0).partial;
    for (const auto &arguments : std::vector<std::vector<std::string>>{
             {"DesignStorm=II", "StormDepth=100"},
             {"StormDepth=100", "PartialSeries=0", "DesignStorm=II", "StepCount=3"},
             {"TimeStep=60", "DesignStorm=II", "StormDepth=100", "TimeStep=30"}}) {
        const Outcome r = RunCli(arguments);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.json["StepCount"].toInt(), 48);
        EXPECT_EQ(r.json["PartialSeries"].toInt(), 1);
        EXPECT_EQ(Numbers(r.json["EnteredPartial"]), typeII);
        EXPECT_NEAR(Numbers(r.json["RainCumulative"])[23], 66.3, 1e-9);
    }
    const Outcome uniform = RunCli({"DesignStorm=uniform", "StormDepth=60", "StepCount=4"});
    EXPECT_EQ(Numbers(uniform.json["EnteredPartial"]), std::vector<double>(4, 15));
    const Outcome hourly = RunCli({"DesignStorm=IA", "StormDepth=50", "TimeStep=60"});
    EXPECT_EQ(Numbers(hourly.json["EnteredPartial"]),
              rainfall::MakeStorm(rainfall::StormType::TypeIA, 50, 60, 0).partial);
}

TEST(RunnerStorm, RefusalsExitTwo)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"DesignStorm=IV", "StormDepth=100"}, "DesignStorm: 'IV' is not one of I, IA, II, III, uniform"},
        {{"DesignStorm=II"}, "DesignStorm needs StormDepth"},
        {{"StormDepth=100"}, "StormDepth needs DesignStorm"},
        {{"DesignStorm=II", "StormDepth=much"}, "StormDepth: 'much' is not a number"},
        {{"DesignStorm=II", "StormDepth=-1"}, "The storm depth must be a number of 0 mm or more."},
        {{"DesignStorm=III", "StormDepth=100", "TimeStep=25"},
         "The nearest time steps that work are 24 min (60 steps) and 30 min (48 steps)."},
    };
    for (const auto &[arguments, message] : cases) {
        const Outcome r = RunCli(arguments);
        EXPECT_EQ(r.status, 2) << arguments[0];
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
}

TEST(RunnerStorm, HelpTellsTheFileAndStormArguments)
{
    const Outcome r = RunCli({"--help"});
    for (const char *text : {"@FILE", "DesignStorm=I|IA|II|III|uniform", "StormDepth=MM"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

TEST(RunnerUnits, HelpSaysTheRunnerKeepsItsBaseUnitsAndGivesTheFactors)
{
    const Outcome r = RunCli({"--help"});
    for (const char *text : {"base units only (km, m, km², mm, min,", "1 ft = 0.3048 m", "1 mi = 1.609344 km",
                             "1 in = 25.4 mm", "1 ac = 0.0040468564224 km²", "1 ac·ft = 1233.48183754752 m³",
                             "1 ft³/s = 0.028316846592 m³/s"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

} // namespace
