#include "text/UnitModel.h"
#include "ui/UnitSystems.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace velmaro {
namespace {

// Picking `to` with `shown` in `from`, as a field re-expresses its value.
long double ReExpressed(const std::vector<std::string> &units, int from, long double shown, int to)
{
    HeldValue holder;
    UnitModel model(holder);
    model.SetUnits(units);
    model.SetAutoRecalculate(true);
    model.SetCurrentUnit(from);
    holder.value = shown;
    model.ChangeUnit(to);
    return holder.value;
}

// Exact as the engine receives it (a double), and within the last bit of the extended value
// that the field holds.
void ExpectExact(long double converted, long double expected)
{
    EXPECT_EQ(static_cast<double>(converted), static_cast<double>(expected));
    const long double lastBit =
        std::nextafter(expected, std::numeric_limits<long double>::infinity()) - expected;
    EXPECT_LE(std::fabs(converted - expected), lastBit);
}

TEST(UnitSystemsTest, EachUsEntryConvertsAKnownValueBothWaysExactly)
{
    struct Case {
        const char *control;
        const char *metricEntry; // one of the field's metric entries
        const char *usName;
        long double us;
        long double metric;
    };
    const Case cases[] = {
        {"euDdpmrhls", "km|1|0", "ft", 1, 0.0003048L},
        {"euDdpmrhls", "km|1|0", "mi", 1, 1.609344L},
        {"euDdpmrhls", "m|1000|0", "mi", 1, 1609.344L},
        {"euDntepmrys", "m|1|0", "ft", 1, 0.3048L},
        {"euDntepmrys", "m|1|0", "ft", 150, 45.72L},
        {"euAc", "ha|100|0", "ac", 1, 0.40468564224L},
        {"euAc", "km²|1|0", "ac", 640, 2.589988110336L},
        {"euAc", "km²|1|0", "mi²", 1, 2.589988110336L},
        {"euAi", "mm|1|0", "in", 1, 25.4L},
        {"euAll", "mm|1|0", "in", 5, 127},
        {"euRpmResultado", "cm|0.1|0", "in", 1, 2.54L},
        {"euVtespResultado", "mm|1|0", "in", 1, 25.4L},
        {"euVteResultado", "m³|1|0", "ft³", 1, 0.028316846592L},
        {"euVteResultado", "m³|1|0", "ac·ft", 1, 1233.48183754752L},
        {"euVteResultado", "l|1000|0", "ft³", 1, 28.316846592L},
        {"euCpResultado", "m³/s|1|0", "ft³/s", 1, 0.028316846592L},
        {"euCpResultado", "l/s|1000|0", "ft³/s", 1, 28.316846592L},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + c.usName + " / " + c.metricEntry);
        std::vector<std::string> units{c.metricEntry};
        int us = -1;
        for (const QString &entry : UsCustomaryEntries(QString::fromUtf8(c.control))) {
            if (UnitEntryName(entry.toStdString()) == c.usName)
                us = static_cast<int>(units.size());
            units.push_back(entry.toStdString());
        }
        ASSERT_GE(us, 1);
        ExpectExact(ReExpressed(units, us, c.us, 0), c.metric);
        ExpectExact(ReExpressed(units, 0, c.metric, us), c.us);
    }
}

TEST(UnitSystemsTest, TheSwitchPicksEachControlsFirstUnitOfTheSystem)
{
    struct Case {
        const char *control;
        int entryCount;
        int metric;
        int us;
    };
    const Case cases[] = {
        {"euDdpmrhls", 4, 0, 2},     // km, m, ft, mi: ft
        {"euAc", 5, 0, 3},           // km², ha, m², ac, mi²: ac
        {"euVteResultado", 5, 0, 4}, // m³, hm³, l, ft³, ac·ft: ac·ft
        {"cbUnidadesHietograma", 4, 0, 3},
        {"cbUnidadHidrograma", 3, 0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.control);
        EXPECT_EQ(SystemEntry(c.control, c.entryCount, UnitSystem::Metric), c.metric);
        EXPECT_EQ(SystemEntry(c.control, c.entryCount, UnitSystem::UsCustomary), c.us);
    }
    EXPECT_EQ(SystemEntry("euPtsd", 3, UnitSystem::UsCustomary), std::nullopt);
    EXPECT_EQ(SystemEntry("euNc", 1, UnitSystem::Metric), std::nullopt);
}

TEST(UnitSystemsTest, ControlsWithoutUsEntriesDoNotMakeTheSystemMixed)
{
    const UnitChoice hours{"euPtsd", 3, 2};
    const UnitChoice metres{"euDdpmrhls", 4, 1};
    const UnitChoice miles{"euDdpmrhls", 4, 3};
    const UnitChoice inches{"cbUnidadesVolumenes", 4, 3};
    EXPECT_EQ(CommonSystem({hours, metres}), UnitSystem::Metric);
    EXPECT_EQ(CommonSystem({hours, miles, inches}), UnitSystem::UsCustomary);
    EXPECT_EQ(CommonSystem({metres, inches}), std::nullopt);
    EXPECT_EQ(CommonSystem({hours}), std::nullopt);
}

} // namespace
} // namespace velmaro
