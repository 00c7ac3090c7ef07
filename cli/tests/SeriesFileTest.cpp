#include "SeriesFile.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <fstream>

using velmaro::cli::ParseSeriesText;
using velmaro::cli::ReadSeriesFile;
using velmaro::cli::SeriesFileError;

namespace {

TEST(SeriesFileTest, ReadsEveryLayoutOfASeries)
{
    const struct {
        const char *layout;
        const char *text;
        std::vector<double> heights;
    } cases[] = {
        {"one value per line", "10\n20.5\n+3\n", {10, 20.5, 3}},
        {"header, CRLF, blank lines", "Height [mm]\r\n10\r\n\r\n20\r\n", {10, 20}},
        {"comma-separated time and height", "time,height\n0.5,10\n1,20.25\n", {10, 20.25}},
        {"semicolons and decimal commas", "0,5;10,5\n1;2,25\n", {10.5, 2.25}},
        {"tabs and decimal commas", "h\tmm\n0,5\t10,5\n1\t 2 \n", {10.5, 2}},
        {"a lone value keeps its decimal point", "7.5\n", {7.5}},
        {"a byte order mark before the first value", "\xEF\xBB\xBF" "10\n20\n", {10, 20}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        EXPECT_EQ(ParseSeriesText(c.text), c.heights);
    }
}

TEST(SeriesFileTest, BadTextIsRefusedWithItsLine)
{
    std::string hundredAndOne;
    for (int k = 1; k <= 101; ++k)
        hundredAndOne += std::to_string(k) + "\n";
    const struct {
        std::string text;
        const char *message;
    } cases[] = {
        {"10\nabc\n", "line 2: 'abc' is not a number (or two)"},
        {"0,1\n1,2,3\n", "line 2: '1,2,3' is not a number (or two)"},
        {"h\n1\nx;2\n", "line 3: 'x;2' is not a number (or two)"},
        {"1\ninf\n", "line 2: 'inf' is not a number (or two)"},
        {hundredAndOne, "line 101: '101' is beyond the 100 steps a series holds"},
        {"height\n\n", "the series holds no value"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseSeriesText(c.text);
            ADD_FAILURE() << "no error";
        } catch (const SeriesFileError &error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(SeriesFileTest, AFileIsReadOrNamedInTheMessage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath(QStringLiteral("storm.csv")).toStdString();
    std::ofstream(path) << "time;mm\n0,5;12\n1;4,5\n";
    EXPECT_EQ(ReadSeriesFile(path), (std::vector<double>{12, 4.5}));

    std::ofstream(path) << "12\nx\n";
    EXPECT_THROW(
        {
            try {
                ReadSeriesFile(path);
            } catch (const SeriesFileError &error) {
                EXPECT_EQ(std::string(error.what()), path + ", line 2: 'x' is not a number (or two)");
                throw;
            }
        },
        SeriesFileError);
    EXPECT_THROW(ReadSeriesFile(dir.path().toStdString()), SeriesFileError);
    EXPECT_THROW(ReadSeriesFile(path + ".missing"), SeriesFileError);
}

} // namespace
