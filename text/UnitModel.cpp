#include "text/UnitModel.h"

#include "text/MachineText.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace velmaro {

namespace {

// Unit lists are written into the program, so "." is their decimal point in every locale.
long double ReadEntryNumber(std::string_view text, std::string_view entry, const char *what)
{
    if (std::optional<long double> value = ReadNumber(text, '.'))
        return *value;
    throw UnitListError("Unit entry '" + std::string(entry) + "' has no valid " + what +
                        " (expected name|factor|offset)");
}

} // namespace

UnitEntry ReadUnitEntry(std::string_view entry)
{
    const std::size_t first = entry.find('|');
    const std::size_t last = entry.rfind('|');
    UnitEntry unit;
    unit.Name = UnitEntryName(entry);
    const std::string_view factor =
        first == last ? std::string_view() : entry.substr(first + 1, last - first - 1);
    const std::string_view offset =
        last == std::string_view::npos ? entry : entry.substr(last + 1);
    unit.Factor = ReadEntryNumber(factor, entry, "factor");
    unit.Offset = ReadEntryNumber(offset, entry, "offset");
    return unit;
}

std::string UnitEntryName(std::string_view entry)
{
    const std::size_t first = entry.find('|');
    return first == std::string_view::npos ? std::string() : std::string(entry.substr(0, first));
}

UnitModel::UnitModel(UnitValueHolder &holder)
    : holder_(holder)
{
    SetUnits(units_);
}

void UnitModel::SetUnits(std::vector<std::string> units)
{
    std::vector<UnitEntry> table;
    table.reserve(units.size());
    for (const std::string &entry : units)
        table.push_back(ReadUnitEntry(entry));
    units_ = std::move(units);
    table_ = std::move(table);
}

void UnitModel::SetDefaultUnit(int unit)
{
    defaultUnit_ = unit;
    ChangeUnit(unit);
}

void UnitModel::SetUseRange(bool on)
{
    useRange_ = on;
    holder_.EnableBounds(on);
    UpdateRange();
}

bool UnitModel::InTable(int unit) const
{
    return unit >= 0 && unit < static_cast<int>(table_.size());
}

long double UnitModel::Convert(long double value, int from, int to) const
{
    const UnitEntry &a = table_[static_cast<std::size_t>(from)];
    const UnitEntry &b = table_[static_cast<std::size_t>(to)];
    return (value - a.Offset) / a.Factor * b.Factor + b.Offset;
}

// From unit `from` to unit `to` through the hook when set; both inside the table.
long double UnitModel::ReExpress(long double value, int from, int to)
{
    if (!OnCambioDeUnidad)
        return Convert(value, from, to);
    const UnitEntry &a = table_[static_cast<std::size_t>(from)];
    const UnitEntry &b = table_[static_cast<std::size_t>(to)];
    long double float1 = 0.0L;
    long double float2 = value;
    OnCambioDeUnidad(float1, float2,
                     {static_cast<double>(a.Factor), static_cast<double>(a.Offset),
                      static_cast<double>(b.Factor), static_cast<double>(b.Offset)});
    return float2;
}

long double UnitModel::GetBaseValue()
{
    const long double shown = holder_.ShownValue();
    if (current_ == baseUnit_ || !InTable(current_) || !InTable(baseUnit_))
        return shown;
    const UnitEntry &unit = table_[static_cast<std::size_t>(current_)];
    if (unit.Factor == 0.0L)
        return shown;
    if (!OnReadBaseValue)
        return Convert(shown, current_, baseUnit_);
    long double float1 = 0.0L;
    long double float2 = shown;
    OnReadBaseValue(float1, float2,
                    {static_cast<double>(unit.Factor), static_cast<double>(unit.Offset)});
    return float1;
}

void UnitModel::SetBaseValue(long double x)
{
    if (current_ == baseUnit_) {
        holder_.ShowValue(x);
        return;
    }
    if (!InTable(current_) || !InTable(baseUnit_) ||
        table_[static_cast<std::size_t>(baseUnit_)].Factor == 0.0L)
        return;
    holder_.ShowValue(ReExpress(x, baseUnit_, current_));
}

void UnitModel::ChangeUnit(int unit)
{
    const int old = current_;
    current_ = unit;
    UpdateRange();
    if (!autoRecalculate_ || !InTable(old) || !InTable(unit) ||
        table_[static_cast<std::size_t>(old)].Factor == 0.0L)
        return;
    holder_.ShowValue(ReExpress(holder_.ShownValue(), old, unit));
}

void UnitModel::UpdateRange()
{
    if (!useRange_)
        return;
    if (current_ == baseUnit_) {
        holder_.SetBounds(baseMin_, baseMax_);
        return;
    }
    if (!InTable(current_) || !InTable(baseUnit_) ||
        table_[static_cast<std::size_t>(baseUnit_)].Factor == 0.0L)
        return;
    const long double lower = Convert(baseMin_, baseUnit_, current_);
    const long double upper = Convert(baseMax_, baseUnit_, current_);
    holder_.SetBounds(std::min(lower, upper), std::max(lower, upper));
}

std::string UnitModel::UnitAsString() const
{
    if (current_ < 0 || current_ >= static_cast<int>(units_.size()))
        return {};
    return UnitEntryName(units_[static_cast<std::size_t>(current_)]);
}

} // namespace velmaro
