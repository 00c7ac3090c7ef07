#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace velmaro {

class MemoryTable;

// One shown column of the selection grid.
struct GridColumn {
    QString fieldName;
    int widthChars = 0;
    QString title;
};

// The grid's view of a memory table: one model column per shown column, one model row per
// posted row. It counts the rows it has announced, so the view never sees a row, or a closed
// table, that it was not told about.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableModel(const MemoryTable &table, QObject *parent = nullptr);

    // Forgets every row and column; call before the table is closed or redefined.
    void Clear();
    // Announces the rows posted to the table since the last call.
    void SyncRows();
    // Replaces the shown columns in one step; every field name must exist in the open table.
    void SetColumns(std::vector<GridColumn> columns);

    const std::vector<GridColumn> &Columns() const { return columns_; }
    // The table field shown in a model column.
    int FieldOf(int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    const MemoryTable &table_;
    std::vector<GridColumn> columns_;
    std::vector<int> fields_;
    int rows_ = 0;
};

} // namespace velmaro
