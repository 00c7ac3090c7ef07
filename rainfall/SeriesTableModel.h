#pragma once

// The table of the "Rainfall series" dialog: one row per step of a copy of one entered series,
// with the step's end time and its height in the unit of the window's height field. Typed heights
// are checked cell by cell; a refused one leaves the copy as it was.

#include "rainfall/DesignStorm.h"
#include "rainfall/SeriesText.h"
#include "text/UnitModel.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmaro::rainfall {

struct RainfallSeries {
    SeriesKind kind = SeriesKind::Partial;
    std::array<double, kMaxSteps> heights{}; // mm, element k - 1 holds step k
    int stepCount = 1;                       // 1 to 100; slots above keep their heights
    std::optional<StormRecipe> storm;        // the storm that made the heights, until they change
};

// The element of RainfallSeries::heights that holds `step`, for a step brought into 1 to 100.
inline std::size_t SeriesSlot(int step)
{
    return static_cast<std::size_t>(std::clamp(step, 1, kMaxSteps) - 1);
}

// "Partial rainfall height" or "Cumulative rainfall height": the height column's heading.
const char *SeriesKindName(SeriesKind kind);

// How the heights are shown: the unit entries of the window's height field ("name|factor|offset",
// the first being mm, the unit the series is kept in) with the one chosen there, and the time
// step (minutes) that places each step in time.
struct SeriesDisplay {
    QStringList units{QStringLiteral("mm|1|0")};
    int unit = 0;
    double timeStepMinutes = 30;
};

class SeriesTableModel final : public QAbstractTableModel {
public:
    enum Column { StepColumn, TimeColumn, HeightColumn, ColumnCount };
    // Told why a typed height was refused, and at which step.
    using Refusal = std::function<void(const QString &message, int step)>;

    SeriesTableModel(const RainfallSeries &series, const SeriesDisplay &display, Refusal refuse,
                     QObject *parent);

    const RainfallSeries &Series() const { return series_; }
    double TimeStep() const { return timeStep_; }
    std::string UnitName() const { return units_.UnitAsString(); }

    // A height in mm in the unit shown, and back.
    double Shown(double mm) const;
    double Base(double shown) const;
    // Heights of steps 1 to the step count in the unit shown.
    std::vector<double> ShownHeights() const;

    // The step an import took from its file: every step's end time follows it.
    void SetTimeStep(double minutes);
    void SetStepCount(int count);
    void SetSeries(const RainfallSeries &series);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
    QString HeightText(double mm) const;

    RainfallSeries series_;
    double timeStep_;
    Refusal refuse_;
    // Conversions write the holder, so they change nothing a reader of the model can see.
    // The unit model converts through the value a field shows; here that value is a bare number.
    mutable HeldValue shown_;
    mutable UnitModel units_{shown_};
};

} // namespace velmaro::rainfall
