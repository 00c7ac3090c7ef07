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
        BadText{"WordAmongNumbers", "9.4\nabc\n1", 1,
                "Line 2 is not a height, nor a time and a height: 'abc'", 2},
        BadText{"BlankLineBetweenValues", "9.4\n\n1", 1, "Line 2 is empty: every step needs a height.", 2},
        BadText{"ThreeColumns", "1;2;3", 1, "Line 1 is not a height, nor a time and a height: '1;2;3'", 1},
        BadText{"ColumnCountChanges", "0.5\t9.4\n22.6", 1,
                "Line 2 is not a height, nor a time and a height: '22.6'", 2},
        BadText{"TimeNotANumber", "0.5;9.4\nx;3", 4,
                "Line 2 is not a height, nor a time and a height: 'x;3'", 5},
        BadText{"ControlCharactersShownEscaped", "1\n2\x01\tz", 1,
                "Line 2 is not a height, nor a time and a height: '2\\x01\\tz'", 2},
        BadText{"NumberBeyondDoubleRange", "1\n1E400", 1,
                "Line 2 is not a height, nor a time and a height: '1E400'", 2},
        BadText{"NotANumber", "1\nnan", 1, "Line 2 is not a height, nor a time and a height: 'nan'", 2},
        BadText{"Infinity", "1\t1\n2\t-inf", 1,
                "Line 2 is not a height, nor a time and a height: '2\\t-inf'", 2},
        BadText{"MoreThanAHundredValues", Values(101), 1,
                "There are more than 100 values: a series has at most 100 steps.", 100},
        BadText{"PastStepHundredFromALaterStep", Values(7), 95,
                "From step 95 on there is room for 6 values: a series has at most 100 steps.", 100},
        // A line past step 100 concerns no step of the series: the message is about its length.
        BadText{"WordPastStepHundred", Values(100) + "x", 1,
                "There are more than 100 values: a series has at most 100 steps.", 100},
        BadText{"BlankLinePastStepHundred", Values(6) + "\n1", 95,
                "From step 95 on there is room for 6 values: a series has at most 100 steps.", 100},
        // A first line is a header only when no field starts like a number and one holds a word.
        BadText{"FirstLineBeyondDoubleRange", "1e999\n1\n2", 1,
                "Line 1 is not a height, nor a time and a height: '1e999'", 1},
        BadText{"FirstLineWithALetterForADigit", "l.5\n1\n2", 1,
                "Line 1 is not a height, nor a time and a height: 'l.5'", 1},
        BadText{"FirstLineInHexadecimal", "0x10\n1\n2", 1,
                "Line 1 is not a height, nor a time and a height: '0x10'", 1},
        BadText{"FirstLineNotANumber", "nan\n1", 1,
                "Line 1 is not a height, nor a time and a height: 'nan'", 1},
        BadText{"FirstLineSignedWord", "-nan\n1", 3,
                "Line 1 is not a height, nor a time and a height: '-nan'", 3},
        BadText{"FirstLineOfSingleLetters", "t;h\n1;5", 1,
                "Line 1 is not a height, nor a time and a height: 't;h'", 1},
        BadText{"FirstLineWithOneNumberField", "Time;5\n1;5", 1,
                "Line 1 is not a height, nor a time and a height: 'Time;5'", 1},
        BadText{"FirstLinePointThenWord", ".Height\n1", 1,
                "Line 1 is not a height, nor a time and a height: '.Height'", 1}),
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

class SeriesFile : public ::testing::Test {
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

TEST_F(SeriesFile, ReadsAndChecksTheWholeFile)
{
    Write("Time [h],Cumulative [mm]\n0.5,10\n1,12.5\n");
    EXPECT_EQ(ReadSeriesFile(path, SeriesKind::Cumulative), (std::vector<double>{10, 12.5}));
    Write("Time [h],Cumulative [mm]\n0.5,10\n1,8\n");
    EXPECT_EQ(Error(SeriesKind::Cumulative),
              path + ": Line 3 (step 2): the cumulative height falls below that of step 1.");
    EXPECT_EQ(Error(SeriesKind::Partial), "taken");
    Write("1\n-1\n");
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": Line 2 (step 2): a rainfall height cannot be negative.");
    Write("1\nx\n");
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": Line 2 is not a height, nor a time and a height: 'x'");
    Write("Height\n");
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": there is no height in the file.");
    std::filesystem::remove(path);
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": the file cannot be opened.");
}

// Reading stops at the size limit whatever the file is, and a file that cannot be read is named.
TEST_F(SeriesFile, HostileFilesAreRefusedNamingThem)
{
    const std::string folder = std::filesystem::temp_directory_path().string();
    Write(std::string((1 << 20) + 1, '1'));
    EXPECT_EQ(Error(SeriesKind::Partial), path + ": the file is far too large for a series of 100 steps.");
    const std::pair<std::string, std::string> cases[] = {
        {folder, folder + ": is a folder, not a file."},
        {"/dev/zero", "/dev/zero: the file is far too large for a series of 100 steps."},
        // Reading a process's memory from address 0 fails with EIO.
        {"/proc/self/mem", "/proc/self/mem: the file cannot be read."},
    };
    for (const auto &[file, message] : cases)
        EXPECT_EQ(Error(SeriesKind::Partial, file), message);
}

TEST(SeriesCsv, NamesTheUnitAndReadsBackToTheSameHeights)
{
    const std::vector<double> heights{0.1 + 0.2, 22.6, 1E-7};
    const std::string csv = WriteSeriesCsv(heights, 30, "Partial rainfall height", "cm");
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "Time [h],Partial rainfall height [cm]");
    EXPECT_EQ(csv.substr(csv.find('\n') + 1, csv.find('\n', csv.find('\n') + 1) - csv.find('\n') - 1),
              "0.5,0.30000000000000004");
    EXPECT_EQ(Heights(ReadSeriesText(csv)), heights);
}

} // namespace
} // namespace velmaro::rainfall
