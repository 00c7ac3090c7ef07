#include "text/VolumeCheckText.h"

#include <gtest/gtest.h>

#include <limits>

namespace velmaro {
namespace {

TEST(VolumeCheckTextTest, DepthsInTheChosenUnitAsTheFieldsShowThemAndTheDifferenceWithItsSign)
{
    const double kNoRunoff = std::numeric_limits<double>::quiet_NaN();
    const UnitEntry mm{"mm", 1, 0}, cm{"cm", 0.1L, 0}, m{"m", 0.001L, 0};
    const struct {
        double hydrograph, runoff, percent;
        UnitEntry unit;
        const char *text;
    } cases[] = {
        {102.02188629217821, 81.73463662305896, 24.820872163021026, mm,
         "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %"},
        {102.02188629217821, 81.73463662305896, 24.820872163021026, cm,
         "Hydrograph 10.202 cm for 8.173 cm of runoff: +24.8 %"},
        {102.02188629217821, 81.73463662305896, 24.820872163021026, m,
         "Hydrograph 0.102 m for 0.082 m of runoff: +24.8 %"},
        {48.1, 50, -3.8, mm, "Hydrograph 48.1 mm for 50 mm of runoff: -3.8 %"},
        // Kept to rounding: no sign on a difference that shows as zero, either way.
        {81.73463662305899, 81.73463662305896, 1.7e-14, mm, "Hydrograph 81.735 mm for 81.735 mm of runoff: 0.0 %"},
        {81.73463662305896, 81.73463662305899, -1.7e-14, mm, "Hydrograph 81.735 mm for 81.735 mm of runoff: 0.0 %"},
        {100.05, 100, 0.05, mm, "Hydrograph 100.05 mm for 100 mm of runoff: +0.1 %"},
        {0.00002, 15000, -99.99987, mm, "Hydrograph 2E-5 mm for 1.5E+4 mm of runoff: -100.0 %"},
        {0, 0, kNoRunoff, mm, "Hydrograph 0 mm for 0 mm of runoff"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(VolumeCheckText(c.hydrograph, c.runoff, c.percent, c.unit), c.text);
}

} // namespace
} // namespace velmaro
