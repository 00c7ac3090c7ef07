#pragma once

// The unit hydrographs a rainfall step's runoff can be spread over, as shares of their peak laid
// on the time step: place u is the ordinate u time steps after the step starts, so step i gives
// its place u to ordinate i - 1 + u.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace velmaro {

// The codes of ModelState::UnitHydrograph.
enum class UnitHydrographKind : std::uint8_t { Triangular, TriangularVolumeKept, NrcsCurvilinear };
inline constexpr std::size_t kUnitHydrographKinds = 3;

// By code: the name the runner takes and the caption the window shows.
inline constexpr std::array<std::string_view, kUnitHydrographKinds> kUnitHydrographKeys{
    "triangular", "triangular-volume", "nrcs-curvilinear"};
inline constexpr std::array<std::string_view, kUnitHydrographKinds> kUnitHydrographCaptions{
    "Triangular", "Triangular, volume kept", "NRCS curvilinear"};

// The triangle of nr and nb steps: rising by 1/nr to the peak at place nr, falling by 1/(nb - nr)
// to 0 at place nb, and 0 outside. Element u - low holds place u.
std::vector<double> TriangleShares(std::int32_t nr, std::int32_t nb, std::int64_t low, std::int64_t high);

// One point of the NRCS dimensionless unit hydrograph: time over the time to peak, discharge
// over the peak discharge.
struct DimensionlessPoint {
    double time;
    double discharge;
};

// The table as tabulated, from t/Tp = 0 to its end at t/Tp = 5.
std::span<const DimensionlessPoint> NrcsDimensionlessTable();

// The NRCS curve with its peak peakSteps time steps after the start (peakSteps > 0): place u reads
// the table at t/Tp = u / peakSteps by linear interpolation, and is 0 from the table's end on.
// Element u - low holds place u; places ascend, so the table is read in one sweep.
std::vector<double> NrcsShares(double peakSteps, std::int64_t low, std::int64_t high);

} // namespace velmaro
