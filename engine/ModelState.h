#pragma once

// The engine's single state record: the watershed's inputs, the four choices, the rainfall
// series as entered and every result, all in fixed base units (km, m, km², hours, mm, minutes,
// mm/hr, m³/s, m³). The routines read their inputs here and write their results back here.

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmaro {

inline constexpr int kSeriesSlots = 100;
inline constexpr int kHydrographCapacity = 100000;

// A block of 100 rainfall-step values addressed by step number 1 to 100; there is no slot 0.
class Series {
public:
    double &operator[](int step) { return values_[Index(step)]; }
    double operator[](int step) const { return values_[Index(step)]; }

private:
    static std::size_t Index(int step)
    {
        if (step < 1 || step > kSeriesSlots)
            throw std::out_of_range("Series slot " + std::to_string(step) + " does not exist");
        return static_cast<std::size_t>(step - 1);
    }

    std::array<double, kSeriesSlots> values_{};
};

// The hydrograph's ordinates 1 to HydrographCount; the store grows to the count computed.
class Hydrograph {
public:
    double &operator[](int ordinate) { return values_[Index(ordinate)]; }
    double operator[](int ordinate) const { return values_[Index(ordinate)]; }
    int Size() const { return static_cast<int>(values_.size()); }
    // Ordinate j is element j - 1: for loops that have already bounded j to 1..Size().
    std::span<double> Ordinates() { return values_; }

    // Makes ordinates 1 to count exist and be 0 (count <= capacity, checked by the caller).
    void ResetTo(int count) { values_.assign(static_cast<std::size_t>(count > 0 ? count : 0), 0.0); }

private:
    std::size_t Index(int ordinate) const
    {
        if (ordinate < 1 || ordinate > Size())
            throw std::out_of_range("Hydrograph ordinate " + std::to_string(ordinate) +
                                    " does not exist");
        return static_cast<std::size_t>(ordinate - 1);
    }

    std::vector<double> values_;
};

struct ModelState {
    double FlowLength = 0;          // km
    double LevelDifference = 0;     // m
    double WatershedArea = 0;       // km²
    double ConcentrationTime = 0;   // hours
    double InitialAbstraction = 0;  // mm
    double TimeStep = 0;            // minutes
    double PotentialRetention = 0;  // mm
    double TotalVolume = 0;         // m³
    double SpecificVolume = 0;      // mm
    double PeakDischarge = 0;       // m³/s
    std::int32_t StepCount = 0;
    std::int32_t CurveNumber = 0;
    std::int32_t HydrographCount = 0;
    std::uint8_t SoilGroup = 0;     // 0 = A ... 3 = D
    std::uint8_t PartialSeries = 0; // 1: EnteredPartial is the input, else EnteredCumulative
    std::uint8_t LandUse = 0;       // 0 urban, 1 cultivated, 2 other agricultural, 3 arid
    std::uint8_t AssignInitialAbstraction = 0;
    Series EnteredPartial;          // mm per step
    Series RainPartial;             // mm per step
    Series EnteredCumulative;       // mm up to the end of each step
    Series RainCumulative;          // mm up to the end of each step
    Series Hyetograph;              // mm/hr
    Series RunoffDepth;             // mm, cumulative
    Series RunoffIncrement;         // mm per step
    velmaro::Hydrograph Hydrograph; // m³/s

    // Loads the default watershed; touches no result and no slot it does not name.
    void SetDefaults();

    void ComputeConcentrationTime();
    void ComputeRainfall();
    void ComputeRetention();
    void ComputeRunoffDepth();
    void ComputeHydrograph();
};

} // namespace velmaro
