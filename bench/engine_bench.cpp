// The whole hydrology chain, as the window runs it on every keystroke.

#include "engine/Chain.h"
#include "engine/ModelState.h"
#include "engine/UnitHydrograph.h"

#include <benchmark/benchmark.h>

namespace {

void RunChain(benchmark::State &state, velmaro::ModelState model)
{
    for (auto _ : state) {
        auto failures = velmaro::RunGuardedChain(model);
        benchmark::DoNotOptimize(failures);
        benchmark::DoNotOptimize(model.PeakDischarge);
    }
    state.counters["ordinates"] = model.HydrographCount;
}

velmaro::ModelState Defaults()
{
    velmaro::ModelState model;
    model.SetDefaults();
    return model;
}

void BM_ChainAtDefaults(benchmark::State &state) { RunChain(state, Defaults()); }

velmaro::ModelState HundredOneMinuteSteps(velmaro::UnitHydrographKind kind)
{
    velmaro::ModelState model = Defaults();
    model.StepCount = 100;
    model.TimeStep = 1;
    for (int k = 1; k <= 100; ++k)
        model.EnteredPartial[k] = 1.0 + (k % 7);
    model.UnitHydrograph = static_cast<std::uint8_t>(kind);
    return model;
}

void BM_ChainHundredOneMinuteSteps(benchmark::State &state)
{
    RunChain(state, HundredOneMinuteSteps(velmaro::UnitHydrographKind::Triangular));
}

// The keystroke's chain with the NRCS curve: goal 20 µs.
void BM_ChainHundredOneMinuteSteps_NrcsCurvilinear(benchmark::State &state)
{
    RunChain(state, HundredOneMinuteSteps(velmaro::UnitHydrographKind::NrcsCurvilinear));
}

} // namespace

BENCHMARK(BM_ChainAtDefaults);
BENCHMARK(BM_ChainHundredOneMinuteSteps);
BENCHMARK(BM_ChainHundredOneMinuteSteps_NrcsCurvilinear);
BENCHMARK_MAIN();
