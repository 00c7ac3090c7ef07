#pragma once

// The read-only result grids of the main window. Row 0 is the grid's heading row; the view shows
// it as its fixed horizontal header, so it stays in place while the rows scroll. The model keeps
// each column's numbers and writes them with the grid pattern only when a cell is drawn: the
// Runoff grid may hold up to 100000 rows.

#include <QAbstractTableModel>
#include <QTableView>

#include <vector>

namespace velmaro {

class ResultGridModel final : public QAbstractTableModel {
public:
    ResultGridModel(int columns, int rows, QObject *parent = nullptr);

    // Row count including the heading row; never below 1.
    int RowCount() const { return dataRows_ + 1; }
    void SetRowCount(int rows);
    // The text of a cell as the grid shows it; row 0 is the heading row.
    QString Cell(int column, int row) const;
    void SetHeading(int column, const QString &text);
    // Values of rows 1, 2, ... of one column; rows past the end of the values are empty.
    void SetColumnValues(int column, std::vector<double> values);
    // Cells whose text reads as a negative number show "0" instead.
    void SetNegativeCellsAsZero(bool on) { negativeAsZero_ = on; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QString ValueText(int column, int dataRow) const;

    int dataRows_;
    bool negativeAsZero_ = false;
    std::vector<QString> headings_;
    std::vector<std::vector<double>> values_;
};

class ResultGrid final : public QTableView {
public:
    ResultGrid(QWidget *parent, const char *name, int columns, int rows);

    ResultGridModel &Cells() { return model_; }
    const ResultGridModel &Cells() const { return model_; }
    int RowCount() const { return model_.RowCount(); }
    QString Cell(int column, int row) const { return model_.Cell(column, row); }

protected:
    void updateGeometries() override;

private:
    void FitColumnsToView();
    void HoldWholeRows();

    ResultGridModel model_;
};

} // namespace velmaro
