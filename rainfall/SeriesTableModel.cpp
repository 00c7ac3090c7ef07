#include "rainfall/SeriesTableModel.h"

#include "text/MachineText.h"

#include <charconv>
#include <utility>

namespace velmaro::rainfall {

const char *SeriesKindName(SeriesKind kind)
{
    return kind == SeriesKind::Cumulative ? "Cumulative rainfall height" : "Partial rainfall height";
}

namespace {

// The series is kept in mm, the first unit of the height field's list; without a list it is
// shown in mm.
std::vector<std::string> UnitEntries(const QStringList &units)
{
    if (units.isEmpty())
        return {"mm|1|0"};
    std::vector<std::string> entries;
    for (const QString &unit : units)
        entries.push_back(unit.toStdString());
    return entries;
}

} // namespace

SeriesTableModel::SeriesTableModel(const RainfallSeries &series, const SeriesDisplay &display,
                                   Refusal refuse, QObject *parent)
    : QAbstractTableModel(parent), series_(series), timeStep_(display.timeStepMinutes),
      refuse_(std::move(refuse))
{
    series_.stepCount = std::clamp(series_.stepCount, 1, kMaxSteps);
    units_.SetUnits(UnitEntries(display.units));
    units_.SetBaseUnit(0);
    // A unit the list does not hold shows the heights as they are kept.
    const bool listed = display.unit >= 0 && display.unit < static_cast<int>(units_.Table().size());
    units_.SetCurrentUnit(listed ? display.unit : 0);
}

double SeriesTableModel::Shown(double mm) const
{
    units_.SetBaseValue(mm);
    return static_cast<double>(shown_.value);
}

double SeriesTableModel::Base(double shown) const
{
    shown_.value = shown;
    return static_cast<double>(units_.GetBaseValue());
}

std::vector<double> SeriesTableModel::ShownHeights() const
{
    std::vector<double> shown;
    for (int k = 1; k <= series_.stepCount; ++k)
        shown.push_back(Shown(series_.heights[SeriesSlot(k)]));
    return shown;
}

void SeriesTableModel::SetTimeStep(double minutes)
{
    timeStep_ = minutes;
    emit dataChanged(index(0, TimeColumn), index(series_.stepCount - 1, TimeColumn));
}

void SeriesTableModel::SetStepCount(int count)
{
    count = std::clamp(count, 1, kMaxSteps);
    const int old = series_.stepCount;
    if (count != old)
        series_.storm.reset();
    if (count > old) {
        beginInsertRows({}, old, count - 1);
        series_.stepCount = count;
        endInsertRows();
    } else if (count < old) {
        beginRemoveRows({}, count, old - 1);
        series_.stepCount = count;
        endRemoveRows();
    }
}

void SeriesTableModel::SetSeries(const RainfallSeries &series)
{
    SetStepCount(series.stepCount);
    series_.heights = series.heights;
    series_.storm = series.storm;
    emit dataChanged(index(0, HeightColumn), index(series_.stepCount - 1, HeightColumn));
}

int SeriesTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : series_.stepCount;
}

int SeriesTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SeriesTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int step = index.row() + 1;
    switch (index.column()) {
    case StepColumn:
        return step;
    case TimeColumn:
        return QString::fromStdString(ListingText(step * timeStep_ / 60));
    default:
        return HeightText(series_.heights[SeriesSlot(step)]);
    }
}

QVariant SeriesTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case StepColumn:
        return QStringLiteral("Step");
    case TimeColumn:
        return QStringLiteral("End time [h]");
    default:
        return QStringLiteral("%1 [%2]")
            .arg(QString::fromUtf8(SeriesKindName(series_.kind)), QString::fromStdString(UnitName()));
    }
}

Qt::ItemFlags SeriesTableModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == HeightColumn ? flags | Qt::ItemIsEditable : flags;
}

bool SeriesTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != HeightColumn || role != Qt::EditRole)
        return false;
    const int step = index.row() + 1;
    const QString text = value.toString().trimmed();
    // Committing a cell unchanged must not round its height to the digits shown.
    if (text == HeightText(series_.heights[SeriesSlot(step)]))
        return true;
    double shown = 0;
    if (!ReadHeightText(text.toStdString(), shown)) {
        refuse_(QStringLiteral("Step %1: '%2' is not a number.").arg(step).arg(text), step);
        return false;
    }
    if (shown < 0) {
        refuse_(QStringLiteral("Step %1: a rainfall height cannot be negative.").arg(step), step);
        return false;
    }
    series_.heights[SeriesSlot(step)] = Base(shown);
    series_.storm.reset();
    emit dataChanged(index, index);
    return true;
}

QString SeriesTableModel::HeightText(double mm) const
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, Shown(mm), std::chars_format::general, 12);
    return QString::fromLatin1(buffer, static_cast<int>(end.ptr - buffer));
}

} // namespace velmaro::rainfall
