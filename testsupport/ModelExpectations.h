#pragma once

// Comparisons of models bit for bit, so that a sign of zero or a last digit counts: what the
// study tests and the window's study tests both ask of a model read back.

#include "engine/ModelState.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace velmaro::test {

inline std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

// The inputs a study gives the model as they are, not taken from its fields.
inline void ExpectSameEnteredInputs(const ModelState &a, const ModelState &b)
{
    EXPECT_EQ(a.StepCount, b.StepCount);
    EXPECT_EQ(a.SoilGroup, b.SoilGroup);
    EXPECT_EQ(a.PartialSeries, b.PartialSeries);
    EXPECT_EQ(a.LandUse, b.LandUse);
    EXPECT_EQ(a.AssignInitialAbstraction, b.AssignInitialAbstraction);
    EXPECT_EQ(a.UnitHydrograph, b.UnitHydrograph);
    for (int k = 1; k <= kSeriesSlots; ++k) {
        EXPECT_EQ(Bits(a.EnteredPartial[k]), Bits(b.EnteredPartial[k])) << "partial step " << k;
        EXPECT_EQ(Bits(a.EnteredCumulative[k]), Bits(b.EnteredCumulative[k])) << "cumulative step " << k;
    }
}

// The numbers the model takes from the fields.
inline void ExpectSameFieldInputs(const ModelState &a, const ModelState &b)
{
    for (const double ModelState::*number : {&ModelState::FlowLength, &ModelState::LevelDifference,
                                             &ModelState::WatershedArea, &ModelState::InitialAbstraction,
                                             &ModelState::TimeStep})
        EXPECT_EQ(Bits(a.*number), Bits(b.*number));
    EXPECT_EQ(a.CurveNumber, b.CurveNumber);
}

// Every input of the model.
inline void ExpectSameInputs(const ModelState &a, const ModelState &b)
{
    ExpectSameFieldInputs(a, b);
    ExpectSameEnteredInputs(a, b);
}

} // namespace velmaro::test
