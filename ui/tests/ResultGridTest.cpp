#include "text/FieldText.h"
#include "ui/GridText.h"
#include "ui/ResultGrid.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

namespace velmaro {
namespace {

// A rainfall grid of two rows: an awkward binary fraction, a third, and a negative partial
// height of an out-of-order series, which the grid shows as 0.
class GridTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cells.SetColumnNames({{"time", "h"}, {"partial rainfall", ""}, {"cumulative rainfall", ""},
                              {"intensity", ""}});
        cells.SetNegativeCellsAsZero(true);
        const char *headings[] = {"[Hours]", "[mm]", "[mm]", "[cm/hr]"};
        for (int column = 0; column < 4; ++column)
            cells.SetHeading(column, QString::fromUtf8(headings[column]));
        cells.SetRowCount(3);
        cells.SetColumnValues(0, {0.5, 1});
        cells.SetColumnValues(1, {0.1 + 0.2, -2});
        cells.SetColumnValues(2, {1.0 / 3, 123456.789012345});
        cells.SetColumnValues(3, {1e-7, -4});
    }

    ResultGridModel cells{4, 12};
};

TEST_F(GridTextTest, CopyIsTheGridAsShownSplitByTabs)
{
    EXPECT_EQ(GridCopyText(cells), "[Hours]\t[mm]\t[mm]\t[cm/hr]\n"
                                   "0.5\t0.3\t0.33333\t0\n"
                                   "1\t0\t123456.78901\t0\n");
}

// The listing is machine text, "." always, so a fractional negative is still recognised when the
// process's number format has a decimal comma.
TEST_F(GridTextTest, NegativeCellsShowZeroWhateverTheProcessSeparator)
{
    cells.SetColumnValues(1, {0.1 + 0.2, -2.5});
    SetNumberFormat({',', '.'});
    const QString copy = GridCopyText(cells);
    SetNumberFormat({});
    EXPECT_EQ(copy, "[Hours]\t[mm]\t[mm]\t[cm/hr]\n"
                    "0.5\t0.3\t0.33333\t0\n"
                    "1\t0\t123456.78901\t0\n");
}

TEST_F(GridTextTest, CsvNamesEachColumnWithItsUnitAndKeepsFullPrecision)
{
    const std::string csv = GridCsv(cells).toStdString();
    EXPECT_EQ(csv, "time [h],partial rainfall [mm],cumulative rainfall [mm],intensity [cm/hr]\r\n"
                   "0.5,0.30000000000000004,0.3333333333333333,1e-07\r\n"
                   "1,0,123456.789012345,0\r\n");
    // Every number reads back to exactly the double the grid holds.
    const QList<QByteArray> lines = GridCsv(cells).split('\n');
    for (int row = 1; row <= 2; ++row) {
        const QList<QByteArray> fields = lines[row].trimmed().split(',');
        ASSERT_EQ(fields.size(), 4);
        for (int column = 0; column < 4; ++column) {
            double read = 0;
            const QByteArray &field = fields[column];
            std::from_chars(field.data(), field.data() + field.size(), read);
            EXPECT_EQ(read, cells.ShownValue(column, row)) << field.toStdString();
        }
    }
}

TEST(GridCsv, QuotesHeadingsThatHoldCommasQuotesOrLineBreaks)
{
    ResultGridModel cells(2, 1);
    cells.SetColumnNames({{"time", "h"}, {"depth, \"net\"", ""}});
    cells.SetHeading(1, "[mm]");
    EXPECT_EQ(GridCsv(cells).toStdString(), "time [h],\"depth, \"\"net\"\" [mm]\"\r\n");
}

} // namespace
} // namespace velmaro
