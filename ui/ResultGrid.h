#pragma once

// The read-only result grids of the main window. Row 0 is the grid's heading row; the view shows
// it as its fixed horizontal header, so it stays in place while the rows scroll. The model keeps
// each column's numbers and writes them with the grid pattern only when a cell is drawn: the
// Runoff grid may hold up to 100000 rows.

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;

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

    // What each column holds, for tables written out: "time" with the fixed unit "h", or
    // "discharge" with an empty unit, which then comes from the column's heading ("[l/s]").
    struct ColumnName {
        QString name;
        QString unit;
    };
    void SetColumnNames(std::vector<ColumnName> names);
    const std::vector<ColumnName> &ColumnNames() const { return names_; }
    // "discharge [m³/s]": the column's name and unit; the bare heading while it has no name.
    QString CsvHeading(int column) const;
    // The number of a cell (row 1 and on) with the grid's own corrections; none for an empty cell.
    std::optional<double> ShownValue(int column, int row) const;

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
    std::vector<ColumnName> names_;
    std::vector<std::vector<double>> values_;
};

// The grid's context menu and Ctrl+C copy or save the whole table; ranges stay unselectable.
class ResultGrid final : public QTableView {
public:
    ResultGrid(QWidget *parent, const char *name, int columns, int rows);

    ResultGridModel &Cells() { return model_; }
    const ResultGridModel &Cells() const { return model_; }
    int RowCount() const { return model_.RowCount(); }
    QString Cell(int column, int row) const { return model_.Cell(column, row); }

    void CopyTable() const;
    // Writes the table as CSV; a failure is shown in a message naming the file and its reason,
    // and nothing half-written is left behind.
    bool SaveCsv(const QString &path);
    void SaveCsvAsked();

    QAction *CopyTableAction, *SaveCsvAction;
    // Asks the user for the CSV file's name, proposing one; empty cancels. Tests answer it.
    std::function<QString(QWidget *, const QString &proposed)> AskCsvPath;

    // The grid keeps one context menu for its life: a screen reader reaches the items of a menu
    // only through the menu they were first shown in.
    QMenu *ContextMenu() const { return contextMenu_; }

protected:
    void updateGeometries() override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void FitColumnsToView();
    void HoldWholeRows();

    ResultGridModel model_;
    QMenu *contextMenu_;
};

} // namespace velmaro
