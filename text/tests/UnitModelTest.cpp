#include "text/FieldText.h"
#include "text/UnitModel.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace velmaro {
namespace {

// Holds the value shown the way the edit does: every write is rendered with the main window's
// settings and read back from the text.
class ShownText : public UnitValueHolder {
public:
    long double ShownValue() override { return ParseEditText(text); }
    void ShowValue(long double value) override
    {
        RenderSettings settings;
        settings.DecimalPlaces = 3;
        settings.SciRange = true;
        settings.SciMax = 10000.0L;
        settings.TrimTrailingZeroes = true;
        text = RenderEditValue(value, settings);
        ++writes;
    }
    void SetBounds(long double lowerBound, long double upperBound) override
    {
        lower = lowerBound;
        upper = upperBound;
    }
    void EnableBounds(bool on) override { boundsEnabled = on; }

    std::string text = "0";
    int writes = 0;
    long double lower = -1.0L;
    long double upper = -1.0L;
    bool boundsEnabled = false;
};

struct Model : ::testing::Test {
    ShownText shown;
    UnitModel model{shown};
};

const std::vector<std::string> kTimeUnits = {"min|1|0", "sec|60|0",
                                             "hrs|0.016666666666666666666666666666667|0"};

TEST_F(Model, StartsWithOneMetreEntryAndNoRange)
{
    EXPECT_EQ(model.Units(), std::vector<std::string>{"m|1|0"});
    ASSERT_EQ(model.Table().size(), 1u);
    EXPECT_EQ(model.Table()[0].Name, "m");
    EXPECT_EQ(model.CurrentUnit(), 0);
    EXPECT_EQ(model.BaseUnit(), 0);
    EXPECT_EQ(model.DefaultUnit(), 0);
    EXPECT_FALSE(model.UseRange());
    EXPECT_FALSE(model.AutoRecalculate());
    EXPECT_EQ(model.UnitAsString(), "m");
}

TEST(UnitEntries, SplitAtTheFirstAndLastBar)
{
    const UnitEntry hours = ReadUnitEntry("hrs|0.016666666666666666666666666666667|0");
    EXPECT_EQ(hours.Name, "hrs");
    EXPECT_EQ(hours.Factor, 1.0L / 60.0L);
    EXPECT_EQ(hours.Offset, 0.0L);
    const UnitEntry fahrenheit = ReadUnitEntry("°F|1.8|32");
    EXPECT_EQ(fahrenheit.Name, "°F");
    EXPECT_EQ(fahrenheit.Factor, 1.8L);
    EXPECT_EQ(fahrenheit.Offset, 32.0L);
    EXPECT_EQ(ReadUnitEntry("|2|0").Name, "");
    EXPECT_EQ(ReadUnitEntry("m³/s| 1 | 0 ").Factor, 1.0L);
}

TEST(UnitEntries, FactorsAndOffsetsUseAPointWhateverTheSeparators)
{
    SetNumberFormat({',', '.'});
    UnitEntry fahrenheit;
    EXPECT_NO_THROW(fahrenheit = ReadUnitEntry("°F|1.8|32.5"));
    SetNumberFormat({});
    EXPECT_EQ(fahrenheit.Factor, 1.8L);
    EXPECT_EQ(fahrenheit.Offset, 32.5L);
}

TEST(UnitEntries, AnEntryWithoutANumberIsRejectedByName)
{
    const char *bad[] = {"m", "m|1", "m||0", "m|x|0", "m|1|", "m|1|0|0", "m|1,5|0", "m|1e5000|0"};
    for (const char *entry : bad) {
        try {
            ReadUnitEntry(entry);
            ADD_FAILURE() << entry << " was accepted";
        } catch (const UnitListError &error) {
            EXPECT_NE(std::string(error.what()).find(std::string("'") + entry + "'"),
                      std::string::npos)
                << error.what();
        }
    }
}

TEST_F(Model, ARejectedListKeepsThePreviousOne)
{
    model.SetUnits({"km|1|0", "m|1000|0"});
    EXPECT_THROW(model.SetUnits({"mm|1|0", "cm|0,1|0"}), UnitListError);
    EXPECT_EQ(model.Units(), (std::vector<std::string>{"km|1|0", "m|1000|0"}));
    EXPECT_EQ(model.Table()[1].Factor, 1000.0L);
}

TEST_F(Model, BaseValueThroughTheCurrentUnit)
{
    model.SetUnits({"km|1|0", "m|1000|0"});
    model.ChangeUnit(1);
    shown.text = "21790";
    EXPECT_EQ(model.GetBaseValue(), 21.79L);
    model.SetBaseValue(21.79L);
    EXPECT_EQ(shown.text, "2.179E+4");
    EXPECT_EQ(shown.ShownValue(), 21790.0L);
    model.ChangeUnit(0);
    model.SetBaseValue(21.79L);
    EXPECT_EQ(shown.text, "21.79");
    EXPECT_EQ(model.UnitAsString(), "km");
}

TEST_F(Model, OffsetsConvertBothWays)
{
    model.SetUnits({"°C|1|0", "°F|1.8|32"});
    model.ChangeUnit(1);
    model.SetBaseValue(100.0L);
    EXPECT_EQ(shown.text, "212");
    EXPECT_EQ(model.GetBaseValue(), 100.0L);
}

TEST_F(Model, AutoRecalculateReExpressesTheValueShown)
{
    model.SetUnits(kTimeUnits);
    shown.text = "30";
    model.SetAutoRecalculate(true);
    model.ChangeUnit(2);
    EXPECT_EQ(shown.text, "0.5");
    // 1/60 is not exact: 30 to the last bit of a long double, exactly 30 as the engine's double.
    EXPECT_NEAR(model.GetBaseValue(), 30.0L, 1e-17L);
    EXPECT_EQ(static_cast<double>(model.GetBaseValue()), 30.0);
    model.ChangeUnit(1);
    EXPECT_EQ(shown.text, "1800");
    EXPECT_EQ(model.GetBaseValue(), 30.0L);
}

TEST_F(Model, WithoutAutoRecalculateTheNumberStaysAndTheBaseValueChanges)
{
    model.SetUnits(kTimeUnits);
    shown.text = "30";
    model.ChangeUnit(1);
    EXPECT_EQ(shown.text, "30");
    EXPECT_EQ(shown.writes, 0);
    EXPECT_EQ(model.GetBaseValue(), 0.5L);
}

TEST_F(Model, DefaultUnitChangesToIt)
{
    model.SetUnits(kTimeUnits);
    shown.text = "30";
    model.SetAutoRecalculate(true);
    model.SetDefaultUnit(1);
    EXPECT_EQ(model.DefaultUnit(), 1);
    EXPECT_EQ(model.CurrentUnit(), 1);
    EXPECT_EQ(shown.text, "1800");
}

TEST_F(Model, RangeInTheUnitShown)
{
    model.SetUnits({"-|1|0"});
    model.SetBaseMax(100.0L);
    model.SetUseRange(true);
    EXPECT_TRUE(shown.boundsEnabled);
    EXPECT_EQ(shown.lower, 0.0L);
    EXPECT_EQ(shown.upper, 100.0L);

    model.SetUnits({"mm|1|0", "cm|0.1|0"});
    model.SetBaseMax(1.1e4900L);
    model.ChangeUnit(1);
    EXPECT_TRUE(std::isfinite(shown.upper));
    EXPECT_EQ(shown.upper, 1.1e4900L * 0.1L);
    EXPECT_EQ(RenderScientific(shown.upper, 3), "1.100E+4899");
    EXPECT_EQ(shown.lower, 0.0L);
}

TEST_F(Model, RangeFollowsTheFullConversionFromTheBaseUnit)
{
    model.SetUnits({"°F|1.8|32", "°C|1|0"});
    model.SetBaseMin(32.0L);
    model.SetBaseMax(212.0L);
    model.SetUseRange(true);
    model.ChangeUnit(1);
    EXPECT_EQ(shown.lower, 0.0L);
    EXPECT_EQ(shown.upper, 100.0L);
    // A decreasing scale keeps lower below upper.
    model.SetUnits({"°F|1.8|32", "°C|1|0", "neg|-1|0"});
    model.ChangeUnit(2);
    EXPECT_EQ(shown.lower, -100.0L);
    EXPECT_EQ(shown.upper, 0.0L);
}

TEST_F(Model, WithoutUseRangeTheBoundsAreNeverTouched)
{
    model.SetUnits({"mm|1|0", "cm|0.1|0"});
    model.SetBaseMax(50.0L);
    model.ChangeUnit(1);
    model.UpdateRange();
    EXPECT_EQ(shown.lower, -1.0L);
    EXPECT_EQ(shown.upper, -1.0L);
    model.SetUseRange(false);
    EXPECT_FALSE(shown.boundsEnabled);
    EXPECT_EQ(shown.upper, -1.0L);
}

TEST_F(Model, HooksReplaceTheConversionsWithTheirArguments)
{
    model.SetUnits({"km|1|0", "m|1000|0"});
    std::vector<double> seen;
    long double seenFloat1 = -1.0L, seenFloat2 = -1.0L;
    model.OnReadBaseValue = [&](long double &float1, long double &float2, std::vector<double> var1) {
        seenFloat1 = float1;
        seenFloat2 = float2;
        seen = var1;
        float1 = 7.0L;
        float2 = 8.0L;
    };
    model.ChangeUnit(1);
    shown.text = "21790";
    EXPECT_EQ(model.GetBaseValue(), 7.0L);
    EXPECT_EQ(seenFloat1, 0.0L);
    EXPECT_EQ(seenFloat2, 21790.0L);
    EXPECT_EQ(seen, (std::vector<double>{1000.0, 0.0}));

    model.OnCambioDeUnidad = [&](long double &float1, long double &float2, std::vector<double> var1) {
        seenFloat1 = float1;
        seenFloat2 = float2;
        seen = var1;
        float1 = 99.0L;
        float2 = 4.0L;
    };
    model.SetBaseValue(3.0L);
    EXPECT_EQ(seenFloat1, 0.0L);
    EXPECT_EQ(seenFloat2, 3.0L);
    EXPECT_EQ(seen, (std::vector<double>{1.0, 0.0, 1000.0, 0.0}));
    EXPECT_EQ(shown.text, "4");

    model.SetAutoRecalculate(true);
    shown.text = "2";
    model.ChangeUnit(0);
    EXPECT_EQ(seenFloat2, 2.0L);
    EXPECT_EQ(seen, (std::vector<double>{1000.0, 0.0, 1.0, 0.0}));
    EXPECT_EQ(shown.text, "4");
    // In the base unit no hook runs.
    seen.clear();
    EXPECT_EQ(model.GetBaseValue(), 4.0L);
    model.SetBaseValue(5.0L);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(shown.text, "5");
}

TEST_F(Model, ZeroFactorsSkipTheConversion)
{
    model.SetUnits({"km|1|0", "none|0|0"});
    model.ChangeUnit(1);
    shown.text = "12";
    EXPECT_EQ(model.GetBaseValue(), 12.0L);
    model.SetAutoRecalculate(true);
    model.ChangeUnit(0);   // the old factor is 0: nothing to re-express
    EXPECT_EQ(shown.text, "12");
    EXPECT_EQ(shown.writes, 0);

    model.SetUnits({"none|0|0", "km|1|0"});
    model.ChangeUnit(1);
    model.SetBaseValue(5.0L);
    EXPECT_EQ(shown.text, "12");
}

TEST_F(Model, IndicesOutsideTheTableConvertNothing)
{
    model.SetUnits({"km|1|0", "m|1000|0"});
    shown.text = "12";
    model.SetAutoRecalculate(true);
    model.SetUseRange(true);
    shown.lower = shown.upper = -1.0L;
    model.ChangeUnit(5);
    EXPECT_EQ(model.CurrentUnit(), 5);
    EXPECT_EQ(shown.text, "12");
    EXPECT_EQ(shown.upper, -1.0L);
    EXPECT_EQ(model.UnitAsString(), "");
    EXPECT_EQ(model.GetBaseValue(), 12.0L);
    model.SetBaseValue(3.0L);
    EXPECT_EQ(shown.text, "12");
    model.ChangeUnit(-1);
    EXPECT_EQ(model.UnitAsString(), "");
    model.ChangeUnit(1);   // from outside the table: nothing to re-express
    EXPECT_EQ(shown.text, "12");

    model.SetBaseUnit(7);
    EXPECT_EQ(model.GetBaseValue(), 12.0L);
    model.SetBaseValue(3.0L);
    EXPECT_EQ(shown.text, "12");

    model.SetUnits({});
    model.SetBaseUnit(0);
    model.SetCurrentUnit(0);
    EXPECT_EQ(model.UnitAsString(), "");
    EXPECT_EQ(model.GetBaseValue(), 12.0L);
    model.SetBaseValue(3.0L);   // base and current are one unit: written as it is
    EXPECT_EQ(shown.text, "3");
}

TEST_F(Model, UnitNamesMayHoldAnyTextButABar)
{
    model.SetUnits({"m³/s|1|0", "l/s|1000|0"});
    EXPECT_EQ(model.UnitAsString(), "m³/s");
    model.ChangeUnit(1);
    EXPECT_EQ(model.UnitAsString(), "l/s");
}

TEST_F(Model, AnUnreadableTextReachesTheCaller)
{
    model.SetUnits({"km|1|0", "m|1000|0"});
    model.ChangeUnit(1);
    shown.text = "1-2";
    EXPECT_THROW(model.GetBaseValue(), ConversionError);
}

} // namespace
} // namespace velmaro
