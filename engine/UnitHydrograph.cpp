#include "engine/UnitHydrograph.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmaro {

// The tabulated CSV, built into the program (NrcsUnitHydrographData.cpp.in).
std::string_view NrcsUnitHydrographCsv();

namespace {

double ReadTableNumber(std::string_view field)
{
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        throw std::logic_error("the NRCS unit hydrograph table holds '" + std::string(field) + "'");
    return value;
}

// Rows "t_over_tp,q_over_qp" after a header line.
std::vector<DimensionlessPoint> ReadNrcsTable(std::string_view csv)
{
    std::vector<DimensionlessPoint> table;
    csv.remove_prefix(csv.find('\n') + 1);
    while (!csv.empty()) {
        const std::string_view line = csv.substr(0, csv.find('\n'));
        csv.remove_prefix(std::min(csv.size(), line.size() + 1));
        if (line.empty())
            continue;
        const std::size_t comma = line.find(',');
        table.push_back({ReadTableNumber(line.substr(0, comma)),
                         ReadTableNumber(comma == std::string_view::npos ? std::string_view()
                                                                         : line.substr(comma + 1))});
    }
    return table;
}

// q/qp per t/Tp between the tabulated points end - 1 and end.
double SegmentSlope(std::span<const DimensionlessPoint> table, std::size_t end)
{
    return (table[end].discharge - table[end - 1].discharge) / (table[end].time - table[end - 1].time);
}

std::vector<double> Zeros(std::int64_t low, std::int64_t high)
{
    return std::vector<double>(static_cast<std::size_t>(std::max<std::int64_t>(high - low + 1, 0)));
}

} // namespace

std::vector<double> TriangleShares(std::int32_t nr, std::int32_t nb, std::int64_t low, std::int64_t high)
{
    const double nf = static_cast<double>(static_cast<std::int64_t>(nb) - nr);
    std::vector<double> share = Zeros(low, high);
    for (std::int64_t u = low; u <= high; ++u) {
        double &w = share[static_cast<std::size_t>(u - low)];
        if (u >= 1 && u <= nr)
            w = static_cast<double>(u) / nr;
        else if (u > nr && u <= nb)
            w = static_cast<double>(nb - u) / nf;
    }
    return share;
}

std::span<const DimensionlessPoint> NrcsDimensionlessTable()
{
    static const std::vector<DimensionlessPoint> table = ReadNrcsTable(NrcsUnitHydrographCsv());
    return table;
}

std::vector<double> NrcsShares(double peakSteps, std::int64_t low, std::int64_t high)
{
    const std::span<const DimensionlessPoint> table = NrcsDimensionlessTable();
    std::vector<double> share = Zeros(low, high);
    const double stepRatio = 1 / peakSteps; // t/Tp of one time step
    std::size_t next = 1;                   // the first tabulated point past the time read
    double slope = SegmentSlope(table, next);
    for (std::int64_t u = low; u <= high; ++u) {
        const double x = static_cast<double>(u) * stepRatio;
        if (!(x >= 0 && x < table.back().time))
            continue;
        if (table[next].time <= x) {
            while (table[next].time <= x)
                ++next;
            slope = SegmentSlope(table, next);
        }
        const DimensionlessPoint &start = table[next - 1];
        share[static_cast<std::size_t>(u - low)] = start.discharge + slope * (x - start.time);
    }
    return share;
}

} // namespace velmaro
