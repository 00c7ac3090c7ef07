#include "tables/DataGrid.h"

#include <gtest/gtest.h>

#include <numeric>

using velmaro::ShareOutWidth;

TEST(ShareOutWidthTest, SharesTheWholeWidthInProportion)
{
    const struct {
        std::vector<double> weights;
        int total;
        std::vector<int> widths;
    } cases[] = {
        {{1, 1}, 100, {50, 50}},
        {{35, 35, 19}, 89, {35, 35, 19}},
        {{35, 35, 19}, 178, {70, 70, 38}},
        {{1, 1, 1}, 100, {33, 34, 33}},  // running rounding: the sum stays exact
        {{0, 0}, 10, {5, 5}},            // no weight at all: equal shares
        {{}, 10, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ShareOutWidth(c.weights, c.total), c.widths) << c.total;
}

TEST(ShareOutWidthTest, ManyColumnsNeverDriftMoreThanOnePixel)
{
    const std::vector<double> weights{57, 6, 6, 6, 6, 13, 2, 9};
    const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
    for (int total = 1; total < 2000; total += 37) {
        const auto widths = ShareOutWidth(weights, total);
        EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), total);
        for (std::size_t i = 0; i < weights.size(); ++i)
            EXPECT_LE(std::abs(widths[i] - weights[i] / sum * total), 1.0) << total << " column " << i;
    }
}
