#include "text/VolumeCheckText.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmaro {
namespace {

TEST(VolumeCheckTextTest, DepthsAsTheFieldsShowThemAndTheDifferenceWithItsSign)
{
    const double kNoRunoff = std::numeric_limits<double>::quiet_NaN();
    const struct {
        long double hydrograph, runoff;
        const char *unit;
        double percent;
        const char *text;
    } cases[] = {
        {102.02188629217821L, 81.73463662305896L, "mm", 24.820872163021026,
         "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %"},
        {10.202188629217821L, 8.173463662305896L, "cm", 24.820872163021026,
         "Hydrograph 10.202 cm for 8.173 cm of runoff: +24.8 %"},
        {0.10202188629217821L, 0.08173463662305896L, "m", 24.820872163021026,
         "Hydrograph 0.102 m for 0.082 m of runoff: +24.8 %"},
        {48.1L, 50L, "mm", -3.8, "Hydrograph 48.1 mm for 50 mm of runoff: -3.8 %"},
        // Kept to rounding: no sign on a difference that shows as zero, either way.
        {81.73463662305899L, 81.73463662305896L, "mm", 1.7e-14, "Hydrograph 81.735 mm for 81.735 mm of runoff: 0.0 %"},
        {81.73463662305896L, 81.73463662305899L, "mm", -1.7e-14, "Hydrograph 81.735 mm for 81.735 mm of runoff: 0.0 %"},
        {100.05L, 100L, "mm", 0.05, "Hydrograph 100.05 mm for 100 mm of runoff: +0.1 %"},
        {0.00002L, 15000L, "mm", -99.99987, "Hydrograph 2E-5 mm for 1.5E+4 mm of runoff: -100.0 %"},
        {0L, 0L, "mm", kNoRunoff, "Hydrograph 0 mm for 0 mm of runoff"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VolumeCheckText(c.hydrograph, c.runoff, c.unit, c.percent), c.text);
}

} // namespace
} // namespace velmaro
