#include "rainfall/SeriesPreviewModels.h"

#include "rainfall/SeriesTableModel.h"

namespace velmaro::rainfall {

namespace {

QString HeightCell(double height)
{
    return QString::number(height, 'g', 12);
}

QString KindHeading(SeriesKind kind, const QString &unit)
{
    return QStringLiteral("%1 [%2]").arg(QString::fromUtf8(SeriesKindName(kind)), unit);
}

} // namespace

SourceLinesModel::SourceLinesModel(const SeriesSource &source, QObject *parent)
    : QAbstractListModel(parent), source_(source),
      numberWidth_(static_cast<int>(QString::number(source.LineCount()).size()))
{
}

int SourceLinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : source_.LineCount();
}

QVariant SourceLinesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const std::string_view line = source_.Line(index.row());
    // Tabs shown as a mark, so that the columns they separate can be told apart.
    QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    text.replace(QLatin1Char('\t'), QStringLiteral("\u2192   "));
    return QStringLiteral("%1  %2").arg(index.row() + 1, numberWidth_).arg(text);
}

TakenStepsModel::TakenStepsModel(QObject *parent) : QAbstractTableModel(parent) {}

void TakenStepsModel::SetSteps(const SeriesReading &reading, std::vector<double> taken, int firstStep,
                               const StepHeadings &headings)
{
    beginResetModel();
    rows_ = reading.rows;
    taken_ = std::move(taken);
    firstStep_ = firstStep;
    headings_ = headings;
    endResetModel();
}

int TakenStepsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TakenStepsModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    const bool asRead = headings_.textKind == headings_.storeKind && headings_.textUnit == headings_.storeUnit;
    return asRead ? TakenColumn : ColumnCount;
}

QVariant TakenStepsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (index.column()) {
    case StepColumn:
        return firstStep_ + index.row();
    case LineColumn:
        return rows_[row].line;
    case TimeColumn:
        return QString::fromStdString(rows_[row].timeText);
    case ReadColumn:
        return HeightCell(rows_[row].height);
    default:
        return HeightCell(taken_[row]);
    }
}

QVariant TakenStepsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case StepColumn:
        return QStringLiteral("Step");
    case LineColumn:
        return QStringLiteral("Line");
    case TimeColumn:
        return headings_.timeUnit == TimeUnit::DateTime ? QStringLiteral("Date and time")
               : headings_.timeUnit == TimeUnit::Minutes ? QStringLiteral("Time [min]")
                                                : QStringLiteral("Time [h]");
    case ReadColumn:
        return KindHeading(headings_.textKind, headings_.textUnit);
    default:
        return QStringLiteral("Taken as %1").arg(KindHeading(headings_.storeKind, headings_.storeUnit).toLower());
    }
}

} // namespace velmaro::rainfall
