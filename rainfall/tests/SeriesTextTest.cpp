#include "rainfall/SeriesText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace velmaro::rainfall {
namespace {

std::vector<double> Heights(const std::vector<HeightLine> &read)
{
    std::vector<double> heights;
    for (const HeightLine &h : read)
        heights.push_back(h.height);
    return heights;
}

struct PasteCase {
    const char *name;
    std::string text;
    std::vector<double> heights;
};

class PasteFormats : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteFormats, GiveTheSeries)
{
    EXPECT_EQ(Heights(ReadSeriesText(GetParam().text)), GetParam().heights);
}

INSTANTIATE_TEST_SUITE_P(
    SeriesText, PasteFormats,
    ::testing::Values(
        PasteCase{"OneColumn", "9.4\n22.6\n73.4\n", {9.4, 22.6, 73.4}},
        PasteCase{"HeaderAndWindowsLineEnds", "Height [mm]\r\n9.4\r\n22.6\r\n", {9.4, 22.6}},
        PasteCase{"TabColumns", "0.5\t9.4\n1\t22.6", {9.4, 22.6}},
        PasteCase{"SemicolonColumnsWithDecimalComma", "Time;Height\n0,5;9,4\n1;22,6", {9.4, 22.6}},
        PasteCase{"TabColumnsWithDecimalComma", "0,5\t9,4\n1\t22,6\n", {9.4, 22.6}},
        PasteCase{"CommaColumns", "0.5,9.4\n1,22.6", {9.4, 22.6}},
        PasteCase{"CommaColumnsOfWholeNumbersUnderAHeader", "t [h],h [mm]\n1,5\n2,7", {5, 7}},
        PasteCase{"HeaderOfWordsBesideUnits", "Zeit (h);Höhe (mm)\n1;5\n2;7", {5, 7}},
        PasteCase{"OneColumnWithDecimalComma", "9,4\n22,6\n73", {9.4, 22.6, 73}},
        PasteCase{"EmptyCellsAndBlankLinesAroundTheValues", "\n\n9.4\t\n22.6\t\n\n", {9.4, 22.6}},
        PasteCase{"QuotedCellsAndByteOrderMark", "\xEF\xBB\xBF\"Time\",\"Height\"\n\"0.5\",\"9.4\"\n", {9.4}},
        PasteCase{"SignsAndExponents", "+1.5\n2E1\n0", {1.5, 20, 0}},
        PasteCase{"MagnitudesBelowTheDoubleRange", "1e-400\n1e-99999\n0." + std::string(5000, '0') + "5\n2",
                  {0, 0, 0, 2}},
        PasteCase{"NothingButAHeader", "Height\n", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SeriesText, KeepsTheLineOfEachHeight)
{
    const auto read = ReadSeriesText("Height\n9.4\n22.6\n");
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].line, 2);
    EXPECT_EQ(read[1].line, 3);
}

struct BadText {
    const char *name;
    std::string text;
    int firstStep;
    std::string message;
    int step;
};

class BadTexts : public ::testing::TestWithParam<BadText> {};

TEST_P(BadTexts, AreRefusedNamingTheLineOrStep)
{
    const BadText &bad = GetParam();
    try {
        ReadSeriesText(bad.text, bad.firstStep);
        FAIL() << "taken: " << bad.text;
    } catch (const SeriesError &error) {
        EXPECT_EQ(error.what(), bad.message);
        EXPECT_EQ(error.Step(), bad.step);
    }
}

std::string Values(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "1\n";
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    SeriesText, BadTexts,
    ::testing::Values(
        BadText{"WordAmongNumbers", "9.4\nabc\n1", 1, "Line 2, column 1: 'abc' is not a number.", 2},
        BadText{"BlankLineBetweenValues", "9.4\n\n1", 1, "Line 2 is empty: every step needs a height.", 2},
        BadText{"ColumnCountChanges", "0.5\t9.4\n22.6", 1, "Line 2, column 2: there is no such column in '22.6'.", 2},
        BadText{"ControlCharactersShownEscaped", "1\n2\x01z", 1, "Line 2, column 1: '2\\x01z' is not a number.", 2},
        BadText{"NumberBeyondDoubleRange", "1\n1E400", 1, "Line 2, column 1: '1E400' is not a number.", 2},
        BadText{"NotANumber", "1\nnan", 1, "Line 2, column 1: 'nan' is not a number.", 2},
        BadText{"Infinity", "1\t1\n2\t-inf", 1, "Line 2, column 2: '-inf' is not a number.", 2},
        BadText{"MoreThanAHundredValues", Values(101), 1,
                "Line 101: there are more than 100 values; a series has at most 100 steps.", 100},
        BadText{"PastStepHundredFromALaterStep", Values(7), 95,
                "Line 7: from step 95 on there is room for 6 values; a series has at most 100 steps.", 100},
        // A line past step 100 concerns no step of the series: the message is about its length.
        BadText{"WordPastStepHundred", Values(100) + "x", 1,
                "Line 101: there are more than 100 values; a series has at most 100 steps.", 100},
        BadText{"BlankLinePastStepHundred", Values(6) + "\n1", 95,
                "Line 7: from step 95 on there is room for 6 values; a series has at most 100 steps.", 100},
        // A first line is a header only when no field starts like a number and one holds a word.
        BadText{"FirstLineBeyondDoubleRange", "1e999\n1\n2", 1, "Line 1, column 1: '1e999' is not a number.", 1},
        BadText{"FirstLineWithALetterForADigit", "l.5\n1\n2", 1, "Line 1, column 1: 'l.5' is not a number.", 1},
        BadText{"FirstLineInHexadecimal", "0x10\n1\n2", 1, "Line 1, column 1: '0x10' is not a number.", 1},
        BadText{"FirstLineNotANumber", "nan\n1", 1, "Line 1, column 1: 'nan' is not a number.", 1},
        BadText{"FirstLineSignedWord", "-nan\n1", 3, "Line 1, column 1: '-nan' is not a number.", 3},
        BadText{"FirstLineOfSingleLetters", "t;h\n1;5", 1, "Line 1, column 2: 'h' is not a number.", 1},
        BadText{"FirstLinePointThenWord", ".Height\n1", 1, "Line 1, column 1: '.Height' is not a number.", 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SeriesText, TakesAHundredValues)
{
    EXPECT_EQ(ReadSeriesText(Values(100)).size(), 100u);
    EXPECT_EQ(ReadSeriesText(Values(6), 95).size(), 6u);
}

TEST(SeriesText, CellTextTakesEitherDecimalMark)
{
    double value = 0;
    EXPECT_TRUE(ReadHeightText(" 7,25 ", value));
    EXPECT_EQ(value, 7.25);
    EXPECT_TRUE(ReadHeightText("7.5", value));
    EXPECT_EQ(value, 7.5);
    EXPECT_FALSE(ReadHeightText("7..5", value));
    EXPECT_FALSE(ReadHeightText("", value));
    EXPECT_EQ(value, 7.5);
}

TEST(SeriesCheck, RefusesNegativeHeightsAndFallingCumulativeSeries)
{
    const std::vector<double> falling{10, 8};
    const std::vector<double> negative{1, -2};
    const std::vector<int> lines{3, 4};
    const auto message = [](const std::vector<double> &heights, SeriesKind kind,
                            std::span<const int> from = {}) {
        try {
            CheckHeights(heights, kind, from);
        } catch (const SeriesError &error) {
            EXPECT_EQ(error.Step(), 2);
            return std::string(error.what());
        }
        return std::string("taken");
    };
    EXPECT_EQ(message(negative, SeriesKind::Partial), "Step 2: a rainfall height cannot be negative.");
    EXPECT_EQ(message(falling, SeriesKind::Cumulative),
              "Step 2: the cumulative height falls below that of step 1.");
    EXPECT_EQ(message(falling, SeriesKind::Cumulative, lines),
              "Line 4 (step 2): the cumulative height falls below that of step 1.");
    EXPECT_EQ(message(falling, SeriesKind::Partial), "taken");
    EXPECT_EQ(message({5, 5, 7}, SeriesKind::Cumulative), "taken");
}

class SeriesFiles : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(path); }

    void Write(const std::string &text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string Error(SeriesKind kind) { return Error(kind, path); }

    static std::string Error(SeriesKind kind, const std::string &file)
    {
        try {
            ReadSeriesFile(file, kind);
        } catch (const SeriesError &error) {
            return error.what();
        }
        return "taken";
    }

    std::string path = (std::filesystem::temp_directory_path() /
                        ("velmaro-series-" + std::to_string(::getpid()) + ".csv")).string();
};

TEST_F(SeriesFiles, ReadsAndChecksTheWholeFile)
{
    Write("Time [h],Cumulative [mm]\n0.5,10\n1,12.5\n");
    EXPECT_EQ(ReadSeriesFile(path, SeriesKind::Cumulative).heights, (std::vector<double>{10, 12.5}));
    EXPECT_EQ(ReadSeriesFile(path, SeriesKind::Partial).heights, (std::vector<double>{10, 2.5}));
    EXPECT_EQ(ReadSeriesFile(path, SeriesKind::Partial).stepMinutes, 30);
    Write("Time [h],Cumulative [mm]\n0.5,10\n1,8\n");
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": Line 3, column 2: the cumulative height falls below that of line 2.");
    Write("1\n-1\n");
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": Line 2, column 1: a rainfall height cannot be negative.");
    Write("1\nx\n");
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": Line 2, column 1: 'x' is not a number.");
    Write("1,12\n2,30\n4,8\n");
    EXPECT_EQ(Error(SeriesKind::Partial),
              path + ": Line 3, column 1: the times step every 60 min up to line 2, then 120 min.");
    Write("Height\n");
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": there is no height in the file.");
    std::filesystem::remove(path);
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": the file cannot be opened.");
}

// Reading stops at the size limit whatever the file is, and a file that cannot be read is named.
TEST_F(SeriesFiles, HostileFilesAreRefusedNamingThem)
{
    const std::string folder = std::filesystem::temp_directory_path().string();
    Write(std::string((32 << 20) + 1, '1'));
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": the file is far too large for a rainfall series.");
    const std::pair<std::string, std::string> cases[] = {
        {folder, folder + ": is a folder, not a file."},
        {"/dev/zero", "/dev/zero: the file is far too large for a rainfall series."},
        // Reading a process's memory from address 0 fails with EIO.
        {"/proc/self/mem", "/proc/self/mem: the file cannot be read."},
    };
    for (const auto &[file, message] : cases)
        EXPECT_EQ(Error(SeriesKind::Partial, file), message);
}

// What export writes, import reads back: the same doubles, at the same step.
TEST_F(SeriesFiles, ExportReadsBackToTheSameHeights)
{
    const std::vector<double> heights{0.1 + 0.2, 22.6, 1E-7, 1.0 / 3};
    const std::string csv = WriteSeriesCsv(heights, 10, "Partial rainfall height", "mm");
    EXPECT_EQ(csv.substr(0, csv.find("0.3")), "Time [h],Partial rainfall height [mm]\r\n0.16666666666666666,");
    Write(csv);
    const SeriesFile read = ReadSeriesFile(path, SeriesKind::Partial);
    EXPECT_EQ(read.heights, heights);
    EXPECT_EQ(read.stepMinutes, 10);
    EXPECT_EQ(ReadSeriesFile(path, SeriesKind::Cumulative).heights.back(), 0.1 + 0.2 + 22.6 + 1E-7 + 1.0 / 3);
}

// The runner keeps heights in mm: a file whose height column names another unit is converted.
TEST_F(SeriesFiles, HeightsInTheUnitTheColumnNamesAreTakenInMillimetres)
{
    const std::pair<std::string, double> cases[] = {
        {"Time [h],Partial rainfall height [in]\n1,1.5\n2,0.5\n", 25.4},
        {"hour;P (cm)\n1;1,5\n2;0,5\n", 10},
        {"time,rain [mm]\n1,1.5\n2,0.5\n", 1},
        {"time,rain [inches]\n1,1.5\n2,0.5\n", 1}, // not a unit the heights take: as mm
    };
    for (const auto &[text, millimetres] : cases) {
        Write(text);
        const std::vector<double> read = ReadSeriesFile(path, SeriesKind::Partial).heights;
        ASSERT_EQ(read.size(), 2u) << text;
        EXPECT_DOUBLE_EQ(read[0], 1.5 * millimetres) << text;
        EXPECT_DOUBLE_EQ(read[1], 0.5 * millimetres) << text;
    }
}

} // namespace
} // namespace velmaro::rainfall
