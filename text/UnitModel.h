#pragma once

// The unit model of one units field: the entries "name|factor|offset", the table read from
// them, the current, base and default unit, and the conversions between the value shown and the
// base value. A value r on the list's reference scale reads r * factor + offset in a unit.
// The model works over any holder of the value shown, so it runs without a window.

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmaro {

// A unit entry whose factor or offset does not read as a number; the message names the entry.
class UnitListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct UnitEntry {
    std::string Name;
    long double Factor = 1.0L;
    long double Offset = 0.0L;
};

// Splits at the first and last "|": name before the first, factor between, offset after the
// last, numbers with "." as the decimal point. Throws UnitListError when factor or offset is not
// a number (so an entry needs all three).
UnitEntry ReadUnitEntry(std::string_view entry);
// The name of an entry: the text before its first "|", empty without one.
std::string UnitEntryName(std::string_view entry);

// What the model needs of the field that shows the value.
class UnitValueHolder {
public:
    virtual ~UnitValueHolder() = default;
    virtual long double ShownValue() = 0;            // re-read from the text; may throw
    virtual void ShowValue(long double value) = 0;   // rendered and re-read by the holder
    virtual void SetBounds(long double lower, long double upper) = 0;
    virtual void EnableBounds(bool enabled) = 0;
};

// A bare number for a unit model to convert through, outside any field.
struct HeldValue final : UnitValueHolder {
    long double value = 0;

    HeldValue() = default;
    explicit HeldValue(long double held) : value(held) {}
    long double ShownValue() override { return value; }
    void ShowValue(long double shown) override { value = shown; }
    void SetBounds(long double, long double) override {}
    void EnableBounds(bool) override {}
};

// Float1 (always passed as 0), Float2 (the value to convert, and the result where one is taken
// back) and Var1 (factors and offsets, see the conversions).
using UnitConversionHook =
    std::function<void(long double &Float1, long double &Float2, std::vector<double> Var1)>;

class UnitModel {
public:
    explicit UnitModel(UnitValueHolder &holder);

    // Replaces the list and re-reads the table; a rejected list leaves the old one in place.
    void SetUnits(std::vector<std::string> units);
    const std::vector<std::string> &Units() const { return units_; }
    const std::vector<UnitEntry> &Table() const { return table_; }

    int CurrentUnit() const { return current_; }
    // Makes a unit current without conversion or range update (the control's set-up points).
    void SetCurrentUnit(int unit) { current_ = unit; }
    int BaseUnit() const { return baseUnit_; }
    void SetBaseUnit(int unit) { baseUnit_ = unit; }
    int DefaultUnit() const { return defaultUnit_; }
    // Stores the index and changes to it (re-expressing the value with AutoRecalculate).
    void SetDefaultUnit(int unit);
    bool AutoRecalculate() const { return autoRecalculate_; }
    void SetAutoRecalculate(bool on) { autoRecalculate_ = on; }
    long double BaseMin() const { return baseMin_; }
    void SetBaseMin(long double value) { baseMin_ = value; }
    long double BaseMax() const { return baseMax_; }
    void SetBaseMax(long double value) { baseMax_ = value; }
    bool UseRange() const { return useRange_; }
    // Stores the flag, enables the holder's bounds the same way and updates the range.
    void SetUseRange(bool on);

    // The value shown, converted to the base unit.
    long double GetBaseValue();
    // Shows x, given in the base unit, in the current unit.
    void SetBaseValue(long double x);
    // Makes `unit` current, updates the range and, with AutoRecalculate, re-expresses the value.
    void ChangeUnit(int unit);
    // Derives the holder's bounds from BaseMin and BaseMax for the current unit.
    void UpdateRange();
    // The name of the current unit; empty outside the table.
    std::string UnitAsString() const;

    // Replace the built-in conversion on a change of unit and in SetBaseValue (Var1 = factor and
    // offset of the unit converted from, then of the unit converted to; Float2 taken back), and
    // in GetBaseValue (Var1 = factor and offset of the current unit; Float1 taken back).
    UnitConversionHook OnCambioDeUnidad;
    UnitConversionHook OnReadBaseValue;

private:
    bool InTable(int unit) const;
    long double Convert(long double value, int from, int to) const;
    long double ReExpress(long double value, int from, int to);

    UnitValueHolder &holder_;
    std::vector<std::string> units_{"m|1|0"};
    std::vector<UnitEntry> table_;
    int current_ = 0;
    int baseUnit_ = 0;
    int defaultUnit_ = 0;
    bool autoRecalculate_ = false;
    long double baseMin_ = 0.0L;
    long double baseMax_ = 0.0L;
    bool useRange_ = false;
};

} // namespace velmaro
