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
    std::span<const double> Ordinates() const { return values_; }

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
    double PeakTime = 0;            // hours: the end of the first ordinate reaching the peak
    double ContinuityError = 0;     // % of the last runoff depth the hydrograph carries beyond
                                    // it; NaN, for none, when that depth is 0
    std::int32_t StepCount = 0;
    std::int32_t CurveNumber = 0;
    std::int32_t HydrographCount = 0;
    std::uint8_t SoilGroup = 0;     // 0 = A ... 3 = D
    std::uint8_t PartialSeries = 0; // 1: EnteredPartial is the input, else EnteredCumulative
    std::uint8_t LandUse = 0;       // 0 urban, 1 cultivated, 2 other agricultural, 3 arid
    std::uint8_t AssignInitialAbstraction = 0;
    std::uint8_t UnitHydrograph = 0; // UnitHydrographKind: 0 triangular, 1 triangular with its
                                     // volume kept, 2 NRCS curvilinear
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

    // Each routine stops at the first failing operation with an EngineError; what it wrote
    // before that keeps its value.

    // Reads FlowLength (km), LevelDifference (m). Writes ConcentrationTime (hours) =
    // (0.89 L³ / H)^0.385. Fails: LevelDifference 0 (division by zero), a negative quotient
    // under the fractional power (invalid operation), overflow.
    void ComputeConcentrationTime();
    // Reads StepCount, PartialSeries, EnteredPartial or EnteredCumulative (mm) in slots 1 to
    // StepCount, TimeStep (minutes). Writes RainPartial (mm per step), RainCumulative (mm) and
    // Hyetograph (mm/hr) in those slots. Fails: StepCount outside 1 to 100 (StepCountError,
    // nothing written), TimeStep 0 (division by zero), overflow.
    void ComputeRainfall();
    // Reads CurveNumber, AssignInitialAbstraction. Writes PotentialRetention (mm) =
    // 25400 / CN - 254 and, when AssignInitialAbstraction is 0, InitialAbstraction (mm) =
    // 0.2 PotentialRetention. Fails: CurveNumber 0 (division by zero).
    void ComputeRetention();
    // Reads StepCount, RainCumulative (mm), InitialAbstraction and PotentialRetention (mm).
    // Writes RunoffDepth (mm, cumulative) and RunoffIncrement (mm per step) in slots 1 to
    // StepCount. Fails: StepCount outside 1 to 100 (StepCountError, nothing written), a zero
    // excess-plus-retention denominator (division by zero), overflow.
    void ComputeRunoffDepth();
    // Reads StepCount, UnitHydrograph, TimeStep (minutes), ConcentrationTime (hours),
    // WatershedArea (km²), RunoffIncrement (mm per step), RunoffDepth (mm) of the last step.
    // Writes HydrographCount, Hydrograph (m³/s) ordinates 1 to HydrographCount, TotalVolume
    // (m³), PeakDischarge (m³/s), PeakTime (hours), SpecificVolume (mm), ContinuityError (%).
    // Fails: StepCount outside 1 to 100 (StepCountError), an unknown UnitHydrograph
    // (EngineError), a zero peak time or TimeStep or WatershedArea (division by zero), more
    // ordinates than the store holds (HydrographCapacityError, nothing written), overflow.
    void ComputeHydrograph();
};

} // namespace velmaro
