#include "rainfall/DesignStorm.h"
#include "rainfall/SeriesText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <string>

namespace velmaro::rainfall {
namespace {

constexpr StormType kNrcsTypes[] = {StormType::TypeI, StormType::TypeIA, StormType::TypeII,
                                    StormType::TypeIII};

TEST(NrcsTable, EveryTypeRisesFromNothingToTheWholeDepthOver24Hours)
{
    const auto hours = NrcsTableHours();
    ASSERT_EQ(hours.size(), 241u);
    EXPECT_EQ(hours.front(), 0);
    EXPECT_EQ(hours.back(), 24);
    for (const StormType type : kNrcsTypes) {
        const auto fractions = NrcsTableFractions(type);
        ASSERT_EQ(fractions.size(), hours.size());
        EXPECT_EQ(fractions.front(), 0);
        EXPECT_EQ(fractions.back(), 1);
        for (std::size_t i = 1; i < fractions.size(); ++i) {
            EXPECT_GE(fractions[i], fractions[i - 1]) << "at " << hours[i] << " h";
            EXPECT_NEAR(hours[i] - hours[i - 1], 0.1, 1e-9);
        }
    }
}

TEST(NrcsTable, HoldsThePublishedAnchorsInTheirColumns)
{
    const struct {
        StormType type;
        double hours, fraction;
    } anchors[] = {
        {StormType::TypeI, 10, 0.515},   {StormType::TypeI, 12, 0.684},
        {StormType::TypeIA, 8, 0.425},   {StormType::TypeIA, 12, 0.664},
        {StormType::TypeII, 11, 0.235},  {StormType::TypeII, 12, 0.663},
        {StormType::TypeII, 13, 0.772},  {StormType::TypeIII, 12, 0.5},
        {StormType::TypeIII, 11.9, 0.416},
    };
    for (const auto &a : anchors)
        EXPECT_NEAR(NrcsFraction(a.type, a.hours), a.fraction, 0.0005) << a.hours << " h";
}

TEST(NrcsTable, InterpolatesLinearlyBetweenItsTimes)
{
    EXPECT_DOUBLE_EQ(NrcsFraction(StormType::TypeI, 0.15), (0.00174 + 0.00348) / 2);
    EXPECT_DOUBLE_EQ(NrcsFraction(StormType::TypeI, 0.125), 0.00174 + 0.25 * (0.00348 - 0.00174));
    EXPECT_EQ(NrcsFraction(StormType::TypeII, -1), 0);
    EXPECT_EQ(NrcsFraction(StormType::TypeII, 30), 1);
}

TEST(DesignStorm, TypeTwoOfAHundredMillimetresAtHalfHourSteps)
{
    const Storm storm = MakeStorm(StormType::TypeII, 100, 30, 6);
    ASSERT_EQ(storm.partial.size(), 48u);
    ASSERT_EQ(storm.cumulative.size(), 48u);
    EXPECT_NEAR(std::accumulate(storm.partial.begin(), storm.partial.end(), 0.0), 100, 1e-9);
    double fallen = 0;
    for (std::size_t step = 1; step <= 48; ++step) {
        fallen += storm.partial[step - 1];
        EXPECT_NEAR(storm.cumulative[step - 1], fallen, 1e-9);
        if (step % 2 == 0) {
            const auto hour = static_cast<std::size_t>(step / 2);
            EXPECT_NEAR(fallen, 100 * NrcsTableFractions(StormType::TypeII)[hour * 10], 1e-9)
                << hour << " h";
        }
    }
    EXPECT_NEAR(storm.cumulative[23], 66.3, 1e-9); // 12 h
}

TEST(DesignStorm, EveryNrcsTypeSumsToItsDepthAtEveryWorkingStep)
{
    for (const StormType type : kNrcsTypes)
        for (const double timeStep : {14.4, 15.0, 45.0, 1440.0 / 7, 1440.0}) {
            const Storm storm = MakeStorm(type, 80, timeStep, 1);
            EXPECT_EQ(storm.partial.size(), static_cast<std::size_t>(std::lround(1440 / timeStep)));
            EXPECT_EQ(storm.cumulative.back(), 80);
            EXPECT_NEAR(std::accumulate(storm.partial.begin(), storm.partial.end(), 0.0), 80, 1e-9);
            for (const double h : storm.partial)
                EXPECT_GE(h, 0);
        }
}

TEST(DesignStorm, UniformStormSpreadsTheDepthOverTheStepsGiven)
{
    const Storm storm = MakeStorm(StormType::Uniform, 90, 1000, 6);
    EXPECT_EQ(storm.partial, std::vector<double>(6, 15));
    EXPECT_EQ(storm.cumulative, (std::vector<double>{15, 30, 45, 60, 75, 90}));
}

std::string Refusal(StormType type, double depth, double timeStep, int steps)
{
    try {
        MakeStorm(type, depth, timeStep, steps);
    } catch (const SeriesError &error) {
        return error.what();
    }
    return "made";
}

TEST(DesignStorm, RefusesWhatCannotBeLaidOnTheSeries)
{
    EXPECT_EQ(Refusal(StormType::TypeII, 100, 25, 6),
              "24 hours at a time step of 25 min make 57.6 steps, not a whole number. The nearest "
              "time steps that work are 24 min (60 steps) and 30 min (48 steps).");
    EXPECT_EQ(Refusal(StormType::TypeI, 100, 10, 6),
              "24 hours at a time step of 10 min make 144 steps; a series has at most 100. The "
              "nearest time step that works is 15 min (96 steps).");
    EXPECT_EQ(Refusal(StormType::TypeIA, 100, 2000, 6),
              "24 hours at a time step of 2000 min make 0.72 steps, not a whole number. The "
              "nearest time step that works is 1440 min (1 step).");
    EXPECT_EQ(Refusal(StormType::TypeIII, 100, 0, 6), "A 24-hour storm needs a time step of more than 0 min.");
    EXPECT_EQ(Refusal(StormType::TypeII, -1, 30, 6), "The storm depth must be a number of 0 mm or more.");
    EXPECT_EQ(Refusal(StormType::Uniform, 10, 30, 101), "The uniform storm needs 1 to 100 steps.");
    EXPECT_EQ(Refusal(StormType::Uniform, 10, 25, 100), "made");
}

TEST(DesignStorm, KeysNameTheTypes)
{
    EXPECT_EQ(StormTypeFromKey("IA"), StormType::TypeIA);
    EXPECT_EQ(StormTypeFromKey("uniform"), StormType::Uniform);
    EXPECT_EQ(StormTypeFromKey("II "), std::nullopt);
    EXPECT_EQ(StormNames().size(), 5u);
}

// Laid again at another step, a storm lasts as long and holds the same depth.
TEST(DesignStorm, RemadeAtAnotherStepKeepsItsDurationAndDepth)
{
    struct Case {
        StormType type;
        int laidSteps;
        double madeFor, remadeAt;
        std::size_t steps;
    };
    for (const Case &c : {Case{StormType::TypeII, 48, 30, 15, 96}, Case{StormType::TypeIA, 96, 15, 60, 24},
                          Case{StormType::Uniform, 6, 30, 15, 12}, Case{StormType::Uniform, 4, 60, 240, 1}}) {
        const Storm storm = RemakeStorm({c.type, 120, c.madeFor}, c.laidSteps, c.remadeAt);
        ASSERT_EQ(storm.partial.size(), c.steps);
        EXPECT_NEAR(storm.cumulative.back(), 120, 1e-12);
        const Storm direct = MakeStorm(c.type, 120, c.remadeAt, static_cast<int>(c.steps));
        EXPECT_EQ(storm.partial, direct.partial);
    }
    EXPECT_THROW(RemakeStorm({StormType::Uniform, 120, 30}, 6, 40), SeriesError); // 180 min in 4.5 steps
    EXPECT_THROW(RemakeStorm({StormType::Uniform, 120, 30}, 100, 15), SeriesError); // 200 steps
    EXPECT_THROW(RemakeStorm({StormType::TypeII, 120, 30}, 48, 25), SeriesError);
}

TEST(DesignStorm, MadeTextNamesTheStormInTheHeightsUnit)
{
    EXPECT_EQ(StormMadeText({StormType::TypeII, 120, 30}, "mm"), "NRCS Type II, 120 mm, made for 30 min steps");
    EXPECT_EQ(StormMadeText({StormType::TypeII, 120, 30}, "cm"), "NRCS Type II, 120 mm, made for 30 min steps");
    EXPECT_EQ(StormMadeText({StormType::Uniform, 50.8, 7.5}, "in"), "Uniform, 2 in, made for 7.5 min steps");
    EXPECT_TRUE(SameTimeStep(30, 0.5 / (1.0 / 60)));
    EXPECT_FALSE(SameTimeStep(30, 30.001));
}

} // namespace
} // namespace velmaro::rainfall
