#include "cli/Batch.h"

#include "cli/Csv.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/tests/RunCapture.h"
#include "engine/Chain.h"
#include "engine/ModelState.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

using namespace velmaro;

namespace {

using Records = std::vector<std::vector<std::string>>;

struct BatchResult {
    int status;
    Records rows; // header first
    std::string err;
};

BatchResult RunBatch(const std::string &cases, const std::vector<std::string> &common = {},
                     cli::OutOfRange outOfRange = cli::OutOfRange::Refuse)
{
    ModelState base;
    base.SetDefaults();
    const cli::BaseArguments commandLine = cli::ApplyBaseArguments(base, common, outOfRange);
    std::istringstream in(cases);
    std::ostringstream out, err;
    BatchResult r{};
    r.status = cli::RunCases(in, "cases.csv", base, commandLine, outOfRange, out, err);
    r.err = err.str();
    std::istringstream written(out.str());
    cli::CsvReader reader(written);
    std::vector<std::string> fields;
    while (reader.Next(fields))
        r.rows.push_back(fields);
    return r;
}

double NumberOf(const std::string &cell)
{
    double value = 0;
    const auto [ptr, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    EXPECT_TRUE(ec == std::errc() && ptr == cell.data() + cell.size()) << "'" << cell << "'";
    return value;
}

// The same inputs given to a single run, in the same order.
ModelState SingleRun(const std::vector<std::string> &arguments)
{
    ModelState m;
    m.SetDefaults();
    for (const std::string &argument : arguments)
        cli::ApplyArgument(m, argument);
    RunGuardedChain(m);
    return m;
}

// Named with their units, as the window's grids write their CSV.
const std::vector<std::string> kResultNames = {
    "ConcentrationTime [h]", "PotentialRetention [mm]", "InitialAbstraction [mm]",
    "RunoffDepth [mm]",      "TotalVolume [m³]",        "SpecificVolume [mm]",
    "PeakDischarge [m³/s]",  "PeakTime [h]",            "HydrographCount",
    "ContinuityError [%]",   "failures"};

TEST(BatchTest, EachRowGivesTheResultsOfASingleRunOfItsInputs)
{
    const BatchResult r = RunBatch("CurveNumber,StepCount,EnteredPartial,WatershedArea\n"
                                   "85,3,\"10,25.5,4\",12.5\n"
                                   ",2,\"1,2\",\n"
                                   "70,6,,0.5\n",
                                   {"TimeStep=30", "PartialSeries=1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    ASSERT_EQ(r.rows.size(), 4u);
    std::vector<std::string> header = {"Row", "CurveNumber", "StepCount", "EnteredPartial", "WatershedArea"};
    header.insert(header.end(), kResultNames.begin(), kResultNames.end());
    EXPECT_EQ(r.rows[0], header);

    const std::vector<std::string> single[] = {
        {"TimeStep=30", "PartialSeries=1", "CurveNumber=85", "StepCount=3",
         "EnteredPartial=10,25.5,4", "WatershedArea=12.5"},
        {"TimeStep=30", "PartialSeries=1", "StepCount=2", "EnteredPartial=1,2"},
        {"TimeStep=30", "PartialSeries=1", "CurveNumber=70", "StepCount=6", "WatershedArea=0.5"},
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::vector<std::string> &row = r.rows[static_cast<std::size_t>(i) + 1];
        ASSERT_EQ(row.size(), header.size());
        EXPECT_EQ(row[0], std::to_string(i + 2)); // the header is row 1, as a spreadsheet shows it
        const ModelState m = SingleRun(single[i]);
        int peak = 1;
        for (int j = 1; j <= m.HydrographCount; ++j)
            peak = m.Hydrograph[j] > m.Hydrograph[peak] ? j : peak;
        const double expected[] = {m.ConcentrationTime, m.PotentialRetention, m.InitialAbstraction,
                                   m.RunoffDepth[m.StepCount], m.TotalVolume, m.SpecificVolume,
                                   m.PeakDischarge, peak * m.TimeStep / 60, double(m.HydrographCount),
                                   m.ContinuityError};
        for (std::size_t k = 0; k < std::size(expected); ++k) {
            if (std::isnan(expected[k])) // no runoff to compare the hydrograph with
                EXPECT_EQ(row[5 + k], "") << kResultNames[k];
            else
                EXPECT_EQ(NumberOf(row[5 + k]), expected[k]) << kResultNames[k];
        }
        EXPECT_EQ(row.back(), "");
    }
    EXPECT_EQ(r.rows[1][3], "10,25.5,4"); // the inputs as given
}

// What a spreadsheet saves where the decimal mark is a comma: semicolons between the cells, a
// decimal comma in the numbers and between a series' values; the results come back the same way.
TEST(BatchTest, SemicolonSeparatedCasesTakeDecimalCommas)
{
    const std::vector<std::string> common = {"TimeStep=30", "PartialSeries=1"};
    const BatchResult comma = RunBatch("CurveNumber,WatershedArea,StepCount,EnteredPartial\n"
                                       "85,12.5,3,\"10,25.5,4\"\n"
                                       "70,0.5,2,\"1.5,2\"\n",
                                       common);
    const BatchResult semicolon = RunBatch("\"CurveNumber\";WatershedArea;StepCount;EnteredPartial\r\n"
                                           "85;12,5;3;\"10;25,5;4\"\r\n"
                                           "70;0.5;2;\"1,5;2\"\r\n"
                                           "70;0.5;2;1,5;2\r\n"
                                           "71;1.234,5;;\r\n"
                                           "72;1,5,1;;\r\n",
                                           common);
    ASSERT_EQ(comma.status, 0) << comma.err;
    EXPECT_EQ(semicolon.status, cli::kRowsSkipped);
    EXPECT_EQ(semicolon.err, "velmaro-cli: cases.csv row 4 skipped: it has 5 cells, the header 4\n"
                             "velmaro-cli: cases.csv row 5 skipped: column 2: WatershedArea: '1.234,5' is not a number\n"
                             "velmaro-cli: cases.csv row 6 skipped: column 2: WatershedArea: '1,5,1' is not a number\n");
    ASSERT_EQ(semicolon.rows.size(), 3u);
    EXPECT_EQ(semicolon.rows[0], comma.rows[0]);
    EXPECT_EQ(semicolon.rows[1][2], "12,5"); // the inputs as given
    EXPECT_EQ(semicolon.rows[1][4], "10;25,5;4");
    for (std::size_t row = 1; row <= 2; ++row) {
        for (std::size_t k = 5; k + 1 < comma.rows[row].size(); ++k) {
            std::string result = semicolon.rows[row][k];
            EXPECT_EQ(result.find('.'), std::string::npos) << comma.rows[0][k];
            std::replace(result.begin(), result.end(), ',', '.');
            EXPECT_EQ(result, comma.rows[row][k]) << comma.rows[0][k];
        }
    }
}

// A series file sets the step count to its length; a StepCount in the same row wins, though it
// comes first.
TEST(BatchTest, AStepCountGivenWinsOverASeriesFile)
{
    QTemporaryDir folder;
    const std::string path = test::WriteFile(folder, "storm.csv", "5\n10\n15\n");
    const BatchResult r = RunBatch("StepCount,EnteredPartial\n5,@" + path + "\n,@" + path + "\n",
                                   {"TimeStep=30", "PartialSeries=1"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.rows.size(), 3u);
    // Row, the two inputs, then the results in kResultNames' order.
    constexpr std::size_t kRunoffDepth = 3 + 3, kHydrographCount = 3 + 8;
    const std::vector<std::string> single[] = {
        {"TimeStep=30", "PartialSeries=1", "EnteredPartial=@" + path, "StepCount=5"},
        {"TimeStep=30", "PartialSeries=1", "EnteredPartial=@" + path},
    };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const ModelState m = SingleRun(single[i]);
        const std::vector<std::string> &row = r.rows[static_cast<std::size_t>(i) + 1];
        EXPECT_EQ(NumberOf(row[kRunoffDepth]), m.RunoffDepth[m.StepCount]);
        EXPECT_EQ(NumberOf(row[kHydrographCount]), double(m.HydrographCount));
    }
    EXPECT_NE(r.rows[1][kHydrographCount], r.rows[2][kHydrographCount]);
}

TEST(BatchTest, BadRowsAreNamedAndSkippedAndTheOthersRun)
{
    const BatchResult r = RunBatch("CurveNumber,FlowLength,EnteredPartial\n"
                                   "80,abc,\n"
                                   "81,2,\n"
                                   "82\n"
                                   "\"8\"3,2,\n"
                                   "\n"
                                   "99,2,\n"
                                   "84,1e999,\n"
                                   "85,\"1\n2\",\n" +
                                   std::string("8\0" "6,1,\n", 7) +
                                   std::string("87,2,@/dev/null\0.csv\n", 21));
    EXPECT_EQ(r.status, cli::kRowsSkipped);
    ASSERT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.rows[1][0], "3");
    EXPECT_EQ(r.rows[2][0], "7");
    EXPECT_EQ(r.err, "velmaro-cli: cases.csv row 2 skipped: column 2: FlowLength: 'abc' is not a number\n"
                     "velmaro-cli: cases.csv row 4 skipped: it has 1 cells, the header 3\n"
                     "velmaro-cli: cases.csv row 5 skipped: text follows a closing quote\n"
                     "velmaro-cli: cases.csv row 8 skipped: column 2: FlowLength: '1e999' is not a number\n"
                     "velmaro-cli: cases.csv row 9 skipped: column 2: FlowLength: '1\\n2' is not a number\n"
                     "velmaro-cli: cases.csv row 10 skipped: column 1: CurveNumber: '8\\x006' is not a number\n"
                     "velmaro-cli: cases.csv row 11 skipped: column 3: EnteredPartial: "
                     "'/dev/null\\x00.csv' is not a file name\n");
}

// A row holding a value out of its range is skipped like any bad row; unchecked, it runs and
// each such value of the case is named.
TEST(BatchTest, ValuesOutOfRangeSkipTheirRowUnlessUnchecked)
{
    const std::string cases = "CurveNumber,WatershedArea,EnteredPartial\n"
                              "101,12.5,\n"
                              "85,-1,\n"
                              "85,12.5,\"1,-1\"\n"
                              "85,12.5,\n";
    const BatchResult checked = RunBatch(cases);
    EXPECT_EQ(checked.status, cli::kRowsSkipped);
    ASSERT_EQ(checked.rows.size(), 2u);
    EXPECT_EQ(checked.rows[1][0], "5");
    EXPECT_EQ(checked.err,
              "velmaro-cli: cases.csv row 2 skipped: column 1: CurveNumber: 101 is outside the allowed range (0 - 1E2)\n"
              "velmaro-cli: cases.csv row 3 skipped: column 2: WatershedArea: -1 is outside the allowed range (0 - 1.1E4900)\n"
              "velmaro-cli: cases.csv row 4 skipped: column 3: EnteredPartial: step 2: -1 is outside the allowed range "
              "(0 - 1.1E4900)\n");

    const BatchResult unchecked = RunBatch(cases, {"TimeStep=-30"}, cli::OutOfRange::Warn);
    EXPECT_EQ(unchecked.status, 0);
    ASSERT_EQ(unchecked.rows.size(), 5u);
    EXPECT_EQ(unchecked.err,
              "velmaro-cli: cases.csv row 2 unchecked: TimeStep: -30 is outside the allowed range (0 - 1.1E4900)\n"
              "velmaro-cli: cases.csv row 2 unchecked: CurveNumber: 101 is outside the allowed range (0 - 1E2)\n"
              "velmaro-cli: cases.csv row 3 unchecked: WatershedArea: -1 is outside the allowed range (0 - 1.1E4900)\n"
              "velmaro-cli: cases.csv row 3 unchecked: TimeStep: -30 is outside the allowed range (0 - 1.1E4900)\n"
              "velmaro-cli: cases.csv row 4 unchecked: TimeStep: -30 is outside the allowed range (0 - 1.1E4900)\n"
              "velmaro-cli: cases.csv row 4 unchecked: EnteredPartial: step 2: -1 is outside the allowed range "
              "(0 - 1.1E4900)\n"
              "velmaro-cli: cases.csv row 5 unchecked: TimeStep: -30 is outside the allowed range (0 - 1.1E4900)\n");
}

// A stage that failed leaves its results empty, and so do the stages resting on it, as the
// window greys them and the report says they were not computed.
TEST(BatchTest, AFailingStageLeavesItsResultsAndThoseRestingOnThemEmpty)
{
    const std::vector<std::string> hydrograph = {"TotalVolume [m³]", "SpecificVolume [mm]",
                                                 "PeakDischarge [m³/s]", "PeakTime [h]", "HydrographCount",
                                                 "ContinuityError [%]"};
    const auto with = [&hydrograph](std::vector<std::string> names) {
        names.insert(names.end(), hydrograph.begin(), hydrograph.end());
        return names;
    };
    const struct {
        const char *cases;
        std::vector<std::string> empty;
        const char *failures;
    } cases[] = {
        // The retention fails, so the runoff depth never runs.
        {"CurveNumber\n0\n", with({"PotentialRetention [mm]", "InitialAbstraction [mm]", "RunoffDepth [mm]"}),
         "ComputeRetention: Floating point division by zero"},
        {"LevelDifference\n0\n", with({"ConcentrationTime [h]"}),
         "ComputeConcentrationTime: Floating point division by zero"},
        {"TimeStep\n0\n", with({"PotentialRetention [mm]", "InitialAbstraction [mm]", "RunoffDepth [mm]"}),
         "ComputeRainfall: Floating point division by zero; "
         "ComputeHydrograph: Floating point division by zero"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cases);
        const BatchResult r = RunBatch(c.cases);
        ASSERT_EQ(r.status, 0);
        ASSERT_EQ(r.rows.size(), 2u);
        const std::vector<std::string> &row = r.rows[1];
        ASSERT_EQ(row.size(), 2 + kResultNames.size());
        for (std::size_t k = 0; k + 1 < kResultNames.size(); ++k) {
            const bool empty = std::find(c.empty.begin(), c.empty.end(), kResultNames[k]) != c.empty.end();
            EXPECT_EQ(row[2 + k].empty(), empty) << kResultNames[k];
        }
        EXPECT_EQ(row.back(), c.failures);
    }
}

TEST(BatchTest, AHeaderThatCannotBeUsedIsAUsageError)
{
    const struct {
        std::string cases;
        std::string message;
    } cases[] = {
        {"", "cases.csv has no header row of input names"},
        {"\n1\n", "cases.csv has no header row of input names"},
        {"CurveNumber,Nonsense\n1,2\n", "cases.csv header, column 2: unknown input 'Nonsense'"},
        {"\"Curve\n", "cases.csv header: a quoted field is not closed before the end of the file"},
        {std::string("Curve\0Number\n1\n", 16), "cases.csv header, column 1: unknown input 'Curve\\x00Number'"},
        {"CurveNumber,TimeStep,CurveNumber\n1,2,3\n",
         "cases.csv header, column 3: 'CurveNumber' is named twice (first in column 1)"},
        {"TimeStep;StepCount;TimeStep\n", "cases.csv header, column 3: 'TimeStep' is named twice (first in column 1)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cases);
        try {
            RunBatch(c.cases);
            ADD_FAILURE() << "taken";
        } catch (const cli::UsageError &error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
}

// Reading stops at the record limit whatever the input is, and a read error ends the batch:
// neither can be skipped like a bad row, for the rest of the input cannot be trusted.
TEST(BatchTest, InputThatCannotBeReadOnEndsTheBatchNamingItsRow)
{
    const std::string longRow = "CurveNumber\n80\n\"" + std::string(1 << 20, '1') + "\n81\n";
    try {
        RunBatch(longRow);
        ADD_FAILURE() << "taken";
    } catch (const cli::UsageError &error) {
        EXPECT_EQ(error.what(), std::string("cases.csv row 3: a record longer than 65536 bytes; this is no cases file"));
    }
}

} // namespace

// A column of unit hydrographs by name, each row the single run of its choice; the continuity
// error is empty where there is no runoff to compare with, as the JSON's null.
TEST(BatchTest, UnitHydrographColumnAndContinuityError)
{
    const BatchResult r = RunBatch("UnitHydrograph,EnteredPartial\n"
                                   "nrcs-curvilinear,\n"
                                   "triangular-volume,\n"
                                   ",\"0,0,0,0,0,0\"\n"
                                   "nrcs,\n");
    EXPECT_EQ(r.status, cli::kRowsSkipped);
    EXPECT_NE(r.err.find("cases.csv row 5 skipped: column 1: UnitHydrograph: 'nrcs' is not one of triangular, "
                         "triangular-volume, nrcs-curvilinear"),
              std::string::npos)
        << r.err;
    ASSERT_EQ(r.rows.size(), 4u);
    const std::size_t peak = 3 + 6, continuity = 3 + 9;
    ASSERT_EQ(r.rows[0][continuity], "ContinuityError [%]");
    const std::vector<std::string> single[] = {
        {"UnitHydrograph=nrcs-curvilinear"}, {"UnitHydrograph=triangular-volume"}, {"EnteredPartial=0,0,0,0,0,0"}};
    for (std::size_t i = 0; i < std::size(single); ++i) {
        SCOPED_TRACE(i);
        const ModelState m = SingleRun(single[i]);
        EXPECT_EQ(NumberOf(r.rows[i + 1][peak]), m.PeakDischarge);
        if (std::isnan(m.ContinuityError))
            EXPECT_EQ(r.rows[i + 1][continuity], "");
        else
            EXPECT_EQ(NumberOf(r.rows[i + 1][continuity]), m.ContinuityError);
    }
    EXPECT_NE(NumberOf(r.rows[1][peak]), NumberOf(r.rows[2][peak]));
    EXPECT_LE(std::fabs(NumberOf(r.rows[2][continuity])), 1e-10);
    EXPECT_EQ(r.rows[3][continuity], "");
}

// The single run of the same arguments, storm included, laid after the others.
ModelState RunOf(const std::vector<std::string> &arguments)
{
    ModelState m;
    m.SetDefaults();
    cli::ApplyArguments(m, arguments);
    RunGuardedChain(m);
    return m;
}

struct StormCase {
    const char *line;
    std::vector<std::string> single; // the single run it must equal; none for a row skipped
};

// DesignStorm and StormDepth as columns: laid after every other cell of the case, on its time
// step, as a single run lays them after every other argument; an empty cell, no storm.
TEST(BatchTest, StormColumnsLayTheStormAfterTheCasesOtherCells)
{
    const StormCase rows[] = {
        {"II,15,120,80", {"DesignStorm=II", "TimeStep=15", "StormDepth=120", "CurveNumber=80"}},
        {"IA,60,50,", {"DesignStorm=IA", "TimeStep=60", "StormDepth=50"}},
        {"uniform,10,30,", {"DesignStorm=uniform", "TimeStep=10", "StormDepth=30"}},
        {",30,,", {"TimeStep=30"}},
        {"IV,30,100,", {}},
        {"III,25,100,", {}},
        {"II,30,,", {}},
    };
    std::string cases = "DesignStorm,TimeStep,StormDepth,CurveNumber\n";
    for (const StormCase &row : rows)
        cases += std::string(row.line) + "\n";
    const BatchResult r = RunBatch(cases);
    EXPECT_EQ(r.status, cli::kRowsSkipped);
    for (const char *skipped : {"row 6 skipped: column 1: DesignStorm: 'IV' is not one of I, IA, II, III, uniform",
                                "row 7 skipped: DesignStorm: 24 hours at a time step of 25 min make 57.6 steps",
                                "row 8 skipped: DesignStorm needs StormDepth"})
        EXPECT_NE(r.err.find(skipped), std::string::npos) << r.err;
    ASSERT_EQ(r.rows.size(), 5u);
    const std::size_t depth = 1 + 4 + 3, peak = depth + 3, count = depth + 5;
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(rows[i].line);
        const ModelState m = RunOf(rows[i].single);
        EXPECT_EQ(NumberOf(r.rows[i + 1][depth]), m.RunoffDepth[m.StepCount]);
        EXPECT_EQ(NumberOf(r.rows[i + 1][peak]), m.PeakDischarge);
        EXPECT_EQ(NumberOf(r.rows[i + 1][count]), m.HydrographCount);
    }
}

// A storm of the command line is laid on each case after the case's cells, on the case's own
// time step; the case's storm cells replace its parts.
TEST(BatchTest, TheCommandLinesStormIsLaidOnEachCase)
{
    const BatchResult r = RunBatch("TimeStep,DesignStorm\n15,\n60,\n10,uniform\n",
                                   {"DesignStorm=II", "StormDepth=100", "TimeStep=25"});
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.rows.size(), 4u);
    const std::vector<std::string> single[] = {{"DesignStorm=II", "StormDepth=100", "TimeStep=15"},
                                               {"DesignStorm=II", "StormDepth=100", "TimeStep=60"},
                                               {"DesignStorm=uniform", "StormDepth=100", "TimeStep=10"}};
    const std::size_t peak = 1 + 2 + 6, count = peak + 2;
    for (std::size_t i = 0; i < std::size(single); ++i) {
        SCOPED_TRACE(i);
        const ModelState m = RunOf(single[i]);
        EXPECT_EQ(NumberOf(r.rows[i + 1][peak]), m.PeakDischarge);
        EXPECT_EQ(NumberOf(r.rows[i + 1][count]), m.HydrographCount);
    }

    ModelState base;
    base.SetDefaults();
    EXPECT_THROW(cli::ApplyBaseArguments(base, {"DesignStorm=IV"}), cli::UsageError);
    EXPECT_THROW(cli::ApplyBaseArguments(base, {"StormDepth=deep"}), cli::UsageError);
}
