#include "rainfall/SeriesReading.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace velmaro::rainfall {
namespace {

std::vector<double> Heights(const SeriesReading &reading)
{
    std::vector<double> heights;
    for (const SeriesRow &row : reading.rows)
        heights.push_back(row.height);
    return heights;
}

std::vector<std::string> Messages(const SeriesReading &reading)
{
    std::vector<std::string> messages;
    for (const SeriesProblem &problem : reading.problems)
        messages.push_back(problem.message);
    return messages;
}

ReadingOptions Options(Separator separator, DecimalMark decimal, int skip, int height, int time,
                       TimeUnit unit = TimeUnit::Hours, SeriesKind kind = SeriesKind::Partial)
{
    return {separator, decimal, skip, height, time, unit, kind};
}

std::string Describe(const ReadingOptions &o)
{
    return "separator " + std::to_string(static_cast<int>(o.separator)) + ", decimal " +
           std::to_string(static_cast<int>(o.decimal)) + ", skip " + std::to_string(o.skipLines) + ", height " +
           std::to_string(o.heightColumn) + ", time " + std::to_string(o.timeColumn) + " unit " +
           std::to_string(static_cast<int>(o.timeUnit)) + ", kind " + std::to_string(static_cast<int>(o.kind));
}

struct FileCase {
    const char *name;
    std::string text;
    ReadingOptions guess;
    std::vector<double> heights;
    std::optional<double> stepMinutes;
};

class Files : public ::testing::TestWithParam<FileCase> {};

// Each file is read with the choices guessed from it, without a problem.
TEST_P(Files, AreGuessedAndRead)
{
    const FileCase &file = GetParam();
    const SeriesSource source(file.text);
    const ReadingOptions guess = GuessOptions(source, SeriesKind::Partial);
    EXPECT_EQ(Describe(guess), Describe(file.guess));
    const SeriesReading reading = ReadSeries(source, guess);
    EXPECT_EQ(Messages(reading), std::vector<std::string>{});
    EXPECT_EQ(Heights(reading), file.heights);
    EXPECT_EQ(reading.stepMinutes, file.stepMinutes);
}

using enum Separator;
using enum TimeUnit;
constexpr DecimalMark Point = DecimalMark::Point;
constexpr DecimalMark DecimalComma = DecimalMark::Comma;

INSTANTIATE_TEST_SUITE_P(
    SeriesReading, Files,
    ::testing::Values(
        // The file that read as 1.12, 2.3 and 3.8 mm: hours and heights.
        FileCase{"HeaderlessHoursAndHeights", "1,12\n2,30\n3,8\n", Options(Comma, Point, 0, 1, 0), {12, 30, 8}, 60},
        FileCase{"SemicolonsWithDecimalCommas", "Time [h];Rain [mm]\n0,5;5,5\n1;7\n1,5;0,5\n",
                 Options(Semicolon, DecimalComma, 1, 1, 0), {5.5, 7, 0.5}, 30},
        FileCase{"QuotedDecimalCommas", "\"Time\";\"Height\"\n\"0,25\";\"15,0\"\n\"0,5\";\"3,5\"\n",
                 Options(Semicolon, DecimalComma, 1, 1, 0), {15, 3.5}, 15},
        FileCase{"QuotedFieldsWithCommasInside", "t,\"P, mm\"\n\"0,5\",\"1,5\"\n\"1,0\",\"2,0\"\n",
                 Options(Comma, DecimalComma, 1, 1, 0), {1.5, 2}, 30},
        FileCase{"ExtraColumnAfterTheHeights", "Time [h],Rain [mm],Temperature [C]\n0.5,1.2,18.5\n1,0.4,18.1\n",
                 Options(Comma, Point, 1, 1, 0), {1.2, 0.4}, 30},
        FileCase{"HeightsNamedBeforeOtherNumbers", "Station;Temp;Precip\nA;18;0,2\nA;17;1,4\n",
                 Options(Semicolon, DecimalComma, 1, 2, -1), {0.2, 1.4}, std::nullopt},
        FileCase{"IsoDateAndTime", "Date,Rain (mm)\n2024-05-01 13:00,2.5\n2024-05-01 14:00,4\n",
                 Options(Comma, Point, 1, 1, 0, DateTime), {2.5, 4}, 60},
        FileCase{"DayFirstDateAndTime", "31/12/2023 23:45;2,5\n01/01/2024 00:00;1\n",
                 Options(Semicolon, DecimalComma, 0, 1, 0, DateTime), {2.5, 1}, 15},
        FileCase{"DateAndTimeBetweenBlanks", "2024-05-01 13:00   2.5\n2024-05-01 13:30   1.0\n",
                 Options(Spaces, Point, 0, 1, 0, DateTime), {2.5, 1}, 30},
        FileCase{"MinutesColumn", "Minutes;Rain\n10;1\n20;2\n30;3\n",
                 Options(Semicolon, Point, 1, 1, 0, Minutes), {1, 2, 3}, 10},
        FileCase{"ByteOrderMarkCrlfAndCumulativeHeights",
                 "\xEF\xBB\xBFTime [h],Cumulative [mm]\r\n0.5,10\r\n1,12.5\r\n",
                 Options(Comma, Point, 1, 1, 0, Hours, SeriesKind::Cumulative), {10, 12.5}, 30},
        FileCase{"HeaderOfTwoLines", "Time;Rainfall\nh;mm\n1;0,5\n2;1,5\n",
                 Options(Semicolon, DecimalComma, 2, 1, 0), {0.5, 1.5}, 60},
        FileCase{"Windows1252Header", "Zeit;H\xF6he (mm)\r\n1;2,5\r\n2;3\r\n",
                 Options(Semicolon, DecimalComma, 1, 1, 0), {2.5, 3}, 60},
        FileCase{"HoursWithThreeDecimals", "0.167\t1\n0.333\t2\n0.5\t3\n0.667\t4\n0.833\t5\n1\t6\n",
                 Options(Tab, Point, 0, 1, 0), {1, 2, 3, 4, 5, 6}, 10},
        FileCase{"OneColumn", "9.4\n22.6\n73.4\n", Options(None, Point, 0, 0, -1), {9.4, 22.6, 73.4},
                 std::nullopt},
        FileCase{"NothingButBlankLines", "\n \n", Options(None, Point, 2, 0, -1), {}, std::nullopt},
        // A comma that is not in every line the same number of times is a decimal comma.
        FileCase{"OneColumnWithDecimalCommas", "Height\n9,4\n22,6\n73\n", Options(None, DecimalComma, 1, 0, -1),
                 {9.4, 22.6, 73}, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SeriesReading, KeepsTheLinesAndNamesTheColumns)
{
    const SeriesSource source("Zeit;H\xF6he (mm)\n\n1;2,5\n2;3\n\n");
    EXPECT_TRUE(source.ReadAsWindows1252());
    const ReadingOptions guess = GuessOptions(source, SeriesKind::Partial);
    EXPECT_EQ(ColumnNames(source, guess), (std::vector<std::string>{"Zeit", "H\xC3\xB6he (mm)"}));
    const SeriesReading reading = ReadSeries(source, guess);
    ASSERT_EQ(reading.rows.size(), 2u);
    EXPECT_EQ(reading.rows[0].line, 3);
    EXPECT_EQ(reading.rows[0].timeText, "1");
    EXPECT_EQ(reading.rows[1].line, 4);
}

// The user's choices read what the guess would not: another column, minutes, cumulative heights.
TEST(SeriesReading, ReadsTheChosenColumnsAndKind)
{
    const SeriesSource source("Time [h],Rain [mm],Temperature [C]\n0.5,1.2,18.5\n1,0.4,18.1\n");
    ReadingOptions options = GuessOptions(source, SeriesKind::Partial);
    options.heightColumn = 2;
    options.timeUnit = TimeUnit::Minutes;
    options.kind = SeriesKind::Cumulative;
    const SeriesReading reading = ReadSeries(source, options);
    EXPECT_EQ(Heights(reading), (std::vector<double>{18.5}));
    EXPECT_EQ(Messages(reading), std::vector<std::string>{
                                     "Line 3, column 3: the cumulative height falls below that of line 2."});
    EXPECT_EQ(GuessOptions(SeriesSource("9.4\n22.6\n"), SeriesKind::Cumulative).kind, SeriesKind::Cumulative);
}

struct BadFile {
    const char *name;
    std::string text;
    std::vector<std::string> problems;
    std::optional<double> stepMinutes = std::nullopt;
};

class BadFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, NameEveryProblemByLineAndColumn)
{
    const SeriesSource source(GetParam().text);
    const SeriesReading reading = ReadSeries(source, GuessOptions(source, SeriesKind::Partial));
    EXPECT_EQ(Messages(reading), GetParam().problems);
    EXPECT_EQ(reading.stepMinutes, GetParam().stepMinutes);
}

std::string HourLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += std::to_string(i) + ";1\n";
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    SeriesReading, BadFiles,
    ::testing::Values(
        BadFile{"UnevenSteps", "1,12\n2,30\n4,8\n5,1\n",
                {"Line 3, column 1: the times step every 60 min up to line 2, then 120 min."}},
        BadFile{"TimeGoingBack", "Date;P\n2024-05-01 13:00;1\n2024-05-01 12:00;1\n",
                {"Line 3, column 1: the time does not come after that of line 2."}},
        BadFile{"EveryBadLine", "Time;Rain\n1;1\n2;x\n;3\n4\n\n5;-1\n",
                {"Line 3, column 2: 'x' is not a number.", "Line 4, column 1: '' is not a time.",
                 "Line 5, column 2: there is no such column in '4'.", "Line 6 is empty: every step needs a height.",
                 "Line 7, column 2: a rainfall height cannot be negative."}},
        BadFile{"DateNotADate", "Date;P\n2024-05-01 13:00;1\n2024-02-30 13:15;1\n",
                {"Line 3, column 1: '2024-02-30 13:15' is not a date and time."}},
        BadFile{"CumulativeFalling", "Time [h];Cumulative [mm]\n1;10\n2;8\n",
                {"Line 3, column 2: the cumulative height falls below that of line 2."}},
        BadFile{"MoreThanAHundredSteps", HourLines(101),
                {"Line 101: there are more than 100 values; a series has at most 100 steps."}, 60}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SeriesReading, TakesHeightsAsTheKindOfTheStore)
{
    const SeriesReading reading = ReadSeries(SeriesSource("10\n12.5\n12.5\n20\n"), ReadingOptions{});
    EXPECT_EQ(HeightsAs(reading, SeriesKind::Cumulative, SeriesKind::Partial), (std::vector<double>{10, 2.5, 0, 7.5}));
    EXPECT_EQ(HeightsAs(reading, SeriesKind::Partial, SeriesKind::Cumulative), (std::vector<double>{10, 22.5, 35, 55}));
    EXPECT_EQ(HeightsAs(reading, SeriesKind::Cumulative, SeriesKind::Cumulative), Heights(reading));
}

TEST(SeriesReading, ComparesStepsWithTheTimeStep)
{
    EXPECT_TRUE(SameStep(10.002, 10));
    EXPECT_FALSE(SameStep(60, 15));
    EXPECT_EQ(StepMismatch(60, 15), "the file steps every 60 min, the time step is 15 min");
}

} // namespace
} // namespace velmaro::rainfall
