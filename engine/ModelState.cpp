#include "engine/ModelState.h"

namespace velmaro {

void ModelState::SetDefaults()
{
    FlowLength = 21.79;
    LevelDifference = 1020;
    WatershedArea = 70.26;
    SoilGroup = 1;
    AssignInitialAbstraction = 1;
    InitialAbstraction = 18;
    TimeStep = 30;
    PartialSeries = 1;
    StepCount = 6;
    constexpr std::array<double, 6> kDefaultRain{9.4, 22.6, 73.4, 13.2, 7.3, 6.0};
    for (int k = 1; k <= static_cast<int>(kDefaultRain.size()); ++k)
        EnteredPartial[k] = kDefaultRain[static_cast<std::size_t>(k - 1)];
    LandUse = 0;
    CurveNumber = 85;
    UnitHydrograph = 0; // triangular
}

} // namespace velmaro
