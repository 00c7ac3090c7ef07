#pragma once

// The two systems of units the window offers: the metric entries every field and grid list
// starts with, and the U.S. customary entries appended after them. A control without U.S.
// entries (times, the curve number) belongs to neither system and keeps its unit.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velmaro {

enum class UnitSystem { Metric, UsCustomary };

// The U.S. entries appended to the unit list of the control with this object name, in list
// order: "name|factor|offset" for a units field, the bare name for a grid's unit list. Empty
// for a control that has none.
QStringList UsCustomaryEntries(const QString &control);

// The entry the switch picks for `system` in a control's list of `entryCount` entries: the
// first metric entry, or the control's chosen U.S. one; none for a control without U.S. entries.
std::optional<int> SystemEntry(const QString &control, int entryCount, UnitSystem system);

// The system entry `entry` of the control's list belongs to; none for a control without U.S.
// entries or an entry outside the list.
std::optional<UnitSystem> SystemOfEntry(const QString &control, int entryCount, int entry);

} // namespace velmaro

namespace velmaro {

// The unit a control shows: its object name, the length of its list and the entry chosen.
struct UnitChoice {
    QString control;
    int entryCount;
    int entry;
};

// The system every control with U.S. entries shows; none while they are mixed.
std::optional<UnitSystem> CommonSystem(const std::vector<UnitChoice> &choices);

} // namespace velmaro
