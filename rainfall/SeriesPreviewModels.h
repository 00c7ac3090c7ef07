#pragma once

// The two tables of the import preview, read lazily so that the preview of a logger's record of
// a hundred thousand lines lays out only the rows on screen: the text's lines as they stand, and
// the steps the reading will take.

#include "rainfall/SeriesReading.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>

namespace velmaro::rainfall {

// One row per line of the text, its number before it.
class SourceLinesModel final : public QAbstractListModel {
public:
    SourceLinesModel(const SeriesSource &source, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const SeriesSource &source_;
    int numberWidth_;
};

// What the headings of the steps name: the times' unit, and the kind and unit of the heights as
// the text gives them and as the series takes them.
struct StepHeadings {
    TimeUnit timeUnit = TimeUnit::Hours;
    SeriesKind textKind = SeriesKind::Partial;
    QString textUnit;
    SeriesKind storeKind = SeriesKind::Partial;
    QString storeUnit;
};

// One row per step read: the step it goes to, its line, its time as written, its height as read
// and, when the text's kind or unit is not the series', the height taken.
class TakenStepsModel final : public QAbstractTableModel {
public:
    enum Column { StepColumn, LineColumn, TimeColumn, ReadColumn, TakenColumn, ColumnCount };

    explicit TakenStepsModel(QObject *parent);

    // The rows read, their heights as taken, and what the headings name.
    void SetSteps(const SeriesReading &reading, std::vector<double> taken, int firstStep,
                  const StepHeadings &headings);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<SeriesRow> rows_;
    std::vector<double> taken_;
    int firstStep_ = 1;
    StepHeadings headings_;
};

} // namespace velmaro::rainfall
