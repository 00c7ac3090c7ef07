#include "tables/TableModel.h"

#include "tables/MemoryTable.h"

namespace velmaro {

TableModel::TableModel(const MemoryTable &table, QObject *parent)
    : QAbstractTableModel(parent), table_(table)
{
}

void TableModel::Clear()
{
    beginResetModel();
    columns_.clear();
    fields_.clear();
    rows_ = 0;
    endResetModel();
}

void TableModel::SyncRows()
{
    const int posted = table_.Active() ? table_.RecordCount() : 0;
    if (posted <= rows_)
        return;
    beginInsertRows({}, rows_, posted - 1);
    rows_ = posted;
    endInsertRows();
}

void TableModel::SetColumns(std::vector<GridColumn> columns)
{
    std::vector<int> fields;
    for (const auto &c : columns)
        fields.push_back(table_.FieldIndex(c.fieldName));
    beginResetModel();
    columns_ = std::move(columns);
    fields_ = std::move(fields);
    rows_ = table_.RecordCount();
    endResetModel();
}

int TableModel::FieldOf(int column) const
{
    return fields_.at(static_cast<std::size_t>(column));
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || !table_.Active())
        return {};
    return CellText(table_.Cell(index.row(), FieldOf(index.column())));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The row header only carries the current-row indicator, painted by the grid.
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    if (section < 0 || section >= columnCount())
        return {};
    return columns_[static_cast<std::size_t>(section)].title;
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace velmaro
