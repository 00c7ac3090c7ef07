// A batch study through the runner: cases read as CSV, run, and written as CSV. The cases are
// made while they are read and the results dropped while they are written, so that the peak
// memory shows whether anything grows with the number of cases.

#include "cli/Batch.h"
#include "engine/ModelState.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <istream>
#include <ostream>
#include <streambuf>
#include <string>

namespace {

// Yields "header, then `count` rows" one row at a time, never holding the whole file.
class CasesSource : public std::streambuf {
public:
    explicit CasesSource(long count) : count_(count)
    {
        Set("CurveNumber,WatershedArea,StepCount,EnteredPartial\n");
    }

protected:
    int_type underflow() override
    {
        if (row_ == count_)
            return traits_type::eof();
        ++row_;
        const long n = 2 + row_ % 11;
        std::string partial;
        for (long k = 1; k <= n; ++k)
            partial += (k > 1 ? "," : "") + std::to_string(1.5 + static_cast<double>((row_ + k) % 17));
        Set(std::to_string(60 + row_ % 40) + "," + std::to_string(0.5 + static_cast<double>(row_ % 90)) +
            "," + std::to_string(n) + ",\"" + partial + "\"\n");
        return traits_type::to_int_type(*gptr());
    }

private:
    void Set(std::string text)
    {
        line_ = std::move(text);
        setg(line_.data(), line_.data(), line_.data() + line_.size());
    }

    long count_;
    long row_ = 0;
    std::string line_;
};

// Counts what is written and keeps none of it.
class Sink : public std::streambuf {
public:
    long long bytes = 0;

protected:
    std::streamsize xsputn(const char *, std::streamsize n) override
    {
        bytes += n;
        return n;
    }
    int_type overflow(int_type c) override
    {
        ++bytes;
        return c;
    }
};

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_BatchOfCases(benchmark::State &state)
{
    velmaro::ModelState base;
    base.SetDefaults();
    base.PartialSeries = 1;
    long long written = 0;
    for (auto _ : state) {
        CasesSource source(state.range(0));
        Sink sink;
        std::istream cases(&source);
        std::ostream results(&sink);
        std::ostream errors(&sink);
        const int status = velmaro::cli::RunCases(cases, "cases.csv", base, {}, velmaro::cli::OutOfRange::Refuse, results,
                                                  errors);
        benchmark::DoNotOptimize(status);
        written = sink.bytes;
    }
    state.counters["output_MB"] = static_cast<double>(written) / 1e6;
    state.counters["peak_RSS_kB"] = static_cast<double>(PeakKilobytes());
    state.counters["per_case_us"] = benchmark::Counter(
        static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}
BENCHMARK(BM_BatchOfCases)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
