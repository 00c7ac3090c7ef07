// The number text behind every field and grid cell: the Runoff grid renders tens of thousands
// of values with ListingText, every field write renders and re-reads its text.

#include "text/FieldText.h"
#include "text/MachineText.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<long double> Values()
{
    std::vector<long double> values;
    for (int i = 0; i < 1024; ++i)
        values.push_back((i * 7919 % 100003) * 0.0137L - 300.0L);
    return values;
}

void BM_RenderEditValue(benchmark::State &state)
{
    velmaro::RenderSettings settings;
    settings.DecimalPlaces = 3;
    settings.SciRange = true;
    settings.SciMax = 10000.0L;
    settings.TrimTrailingZeroes = true;
    const auto values = Values();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(velmaro::RenderEditValue(values[i++ % values.size()], settings));
}
BENCHMARK(BM_RenderEditValue);

void BM_ParseEditText(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(velmaro::ParseEditText("1,234.5678E-2"));
}
BENCHMARK(BM_ParseEditText);

void BM_ListingText(benchmark::State &state)
{
    const auto values = Values();
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            velmaro::ListingText(static_cast<double>(values[i++ % values.size()])));
}
BENCHMARK(BM_ListingText);

} // namespace

BENCHMARK_MAIN();
