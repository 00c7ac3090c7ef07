#include "ui/UnitSystems.h"

#include "text/InputUnits.h"

#include <algorithm>
#include <array>

namespace velmaro {

namespace {

// Factors carry more digits than an extended number holds, so each reads as the exact
// conversion rounded once: 1 ft = 0.3048 m, 1 in = 25.4 mm, 1 mi = 1609.344 m,
// 1 ac = 4046.8564224 m², 1 ft³ = 0.028316846592 m³, 1 ac·ft = 1233.48183754752 m³.
struct UsCustomaryList {
    const char *control;
    std::array<const char *, 2> entries; // the second may be absent
    int chosenBySwitch;                  // which of the entries the switch picks
};

constexpr std::array<UsCustomaryList, 12> kUsCustomaryLists{{
    {"euDdpmrhls", {kFootPerKm, kMilePerKm}, 0},
    {"euDntepmrys", {kFootPerM, nullptr}, 0},
    {"euAc", {kAcrePerKm2, kSquareMilePerKm2}, 0},
    {"euAi", {kInchPerMm, nullptr}, 0},
    {"euAll", {kInchPerMm, nullptr}, 0},
    {"euRpmResultado", {kInchPerMm, nullptr}, 0},
    {"euVtespResultado", {kInchPerMm, nullptr}, 0},
    {"euVteResultado",
     {"ft³|35.3146667214885902504380103540026269320546807|0",
      "ac·ft|0.000810713193789912540184527326767737073738629033|0"},
     1},
    {"euCpResultado", {"ft³/s|35.3146667214885902504380103540026269320546807|0", nullptr}, 0},
    {"cbUnidadesHietograma", {"in/hr", nullptr}, 0},
    {"cbUnidadesVolumenes", {"in", nullptr}, 0},
    {"cbUnidadHidrograma", {"ft³/s", nullptr}, 0},
}};

const UsCustomaryList *ListOf(const QString &control)
{
    const auto found = std::find_if(kUsCustomaryLists.begin(), kUsCustomaryLists.end(),
                                    [&control](const UsCustomaryList &list) {
                                        return control == QLatin1String(list.control);
                                    });
    return found == kUsCustomaryLists.end() ? nullptr : &*found;
}

} // namespace

QStringList UsCustomaryEntries(const QString &control)
{
    QStringList entries;
    if (const UsCustomaryList *list = ListOf(control))
        for (const char *entry : list->entries)
            if (entry)
                entries.append(QString::fromUtf8(entry));
    return entries;
}

std::optional<int> SystemEntry(const QString &control, int entryCount, UnitSystem system)
{
    const UsCustomaryList *list = ListOf(control);
    if (!list)
        return std::nullopt;
    if (system == UnitSystem::Metric)
        return 0;
    return entryCount - static_cast<int>(UsCustomaryEntries(control).size()) + list->chosenBySwitch;
}

std::optional<UnitSystem> SystemOfEntry(const QString &control, int entryCount, int entry)
{
    if (!ListOf(control) || entry < 0 || entry >= entryCount)
        return std::nullopt;
    const int firstUs = entryCount - static_cast<int>(UsCustomaryEntries(control).size());
    return entry < firstUs ? UnitSystem::Metric : UnitSystem::UsCustomary;
}

} // namespace velmaro

namespace velmaro {

std::optional<UnitSystem> CommonSystem(const std::vector<UnitChoice> &choices)
{
    std::optional<UnitSystem> common;
    for (const UnitChoice &choice : choices) {
        const std::optional<UnitSystem> system =
            SystemOfEntry(choice.control, choice.entryCount, choice.entry);
        if (!system)
            continue;
        if (common && *common != *system)
            return std::nullopt;
        common = system;
    }
    return common;
}

} // namespace velmaro
