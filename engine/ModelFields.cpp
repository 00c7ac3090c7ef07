#include "engine/ModelFields.h"

#include "engine/Arithmetic.h"
#include "engine/UnitHydrograph.h"

namespace velmaro {

namespace {

constexpr WholeRange kAnyInt32{arith::kInt32Min, arith::kInt32Max};
constexpr WholeRange kFlag{0, 1};
constexpr WholeRange kFourCodes{0, 3};
constexpr WholeRange kUnitHydrographCodes{0, static_cast<std::int64_t>(kUnitHydrographKinds) - 1};

using M = ModelState;

const ModelField kFields[] = {
    {"FlowLength", &M::FlowLength, "km", true, {}, {}},
    {"LevelDifference", &M::LevelDifference, "m", true, {}, {}},
    {"WatershedArea", &M::WatershedArea, "km²", true, {}, {}},
    {"ConcentrationTime", &M::ConcentrationTime, "hours", false, {}, {}},
    {"InitialAbstraction", &M::InitialAbstraction, "mm", true, {}, {}},
    {"TimeStep", &M::TimeStep, "minutes", true, {}, {}},
    {"PotentialRetention", &M::PotentialRetention, "mm", false, {}, {}},
    {"TotalVolume", &M::TotalVolume, "m³", false, {}, {}},
    {"SpecificVolume", &M::SpecificVolume, "mm", false, {}, {}},
    {"PeakDischarge", &M::PeakDischarge, "m³/s", false, {}, {}},
    {"PeakTime", &M::PeakTime, "hours", false, {}, {}},
    {"ContinuityError", &M::ContinuityError, "%", false, {}, {}},
    {"StepCount", &M::StepCount, {}, true, {1, kSeriesSlots}, {}},
    {"CurveNumber", &M::CurveNumber, {}, true, kAnyInt32, {}},
    {"HydrographCount", &M::HydrographCount, {}, false, {}, {}},
    {"SoilGroup", &M::SoilGroup, {}, true, kFourCodes, "0 = A ... 3 = D"},
    {"PartialSeries", &M::PartialSeries, {}, true, kFlag,
     "1: EnteredPartial is the input, 0: EnteredCumulative"},
    {"LandUse", &M::LandUse, {}, true, kFourCodes,
     "0 urban, 1 cultivated, 2 other agricultural, 3 arid"},
    {"AssignInitialAbstraction", &M::AssignInitialAbstraction, {}, true, kFlag,
     "1: InitialAbstraction as given, 0: 0.2 x PotentialRetention"},
    {"UnitHydrograph", &M::UnitHydrograph, {}, true, kUnitHydrographCodes,
     "0 triangular, 1 triangular-volume, 2 nrcs-curvilinear", kUnitHydrographKeys},
    {"EnteredPartial", &M::EnteredPartial, "mm per step", true, {}, {}},
    {"RainPartial", &M::RainPartial, "mm per step", false, {}, {}},
    {"EnteredCumulative", &M::EnteredCumulative, "mm to the end of each step", true, {}, {}},
    {"RainCumulative", &M::RainCumulative, "mm to the end of each step", false, {}, {}},
    {"Hyetograph", &M::Hyetograph, "mm/hr", false, {}, {}},
    {"RunoffDepth", &M::RunoffDepth, "mm, cumulative", false, {}, {}},
    {"RunoffIncrement", &M::RunoffIncrement, "mm per step", false, {}, {}},
    {"Hydrograph", &M::Hydrograph, "m³/s", false, {}, {}},
};

} // namespace

std::span<const ModelField> ModelFields()
{
    return kFields;
}

} // namespace velmaro
