#pragma once

#include <QTableView>

#include <functional>
#include <vector>

class QPainter;

namespace velmaro {

// Splits `total` pixels into whole widths proportional to `weights`, summing exactly to
// `total` (running rounding, so no column drifts by more than one pixel).
std::vector<int> ShareOutWidth(const std::vector<double> &weights, int total);

// Read-only data grid: a row indicator on the left, a two-line bold title row, bold data
// cells drawn by a hook, vertical lines between columns only, and columns that keep their
// proportions when the grid's width changes.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    // Draws one data cell into `rect`; `selected` is true for the current cell.
    using DrawCellHook = std::function<void(QPainter &, const QRect &rect, const QModelIndex &, bool selected)>;

    explicit DataGrid(QWidget *parent = nullptr);

    void SetDrawCellHook(DrawCellHook hook);
    // Sets the column widths from widths in characters of the data font, then shares out
    // the grid's width in those proportions.
    void SetColumnWidthsInChars(const std::vector<int> &chars);
    int PixelsForChars(int chars) const;

    const DrawCellHook &DrawCell() const { return drawCell_; }

signals:
    // The drawing hook failed; raised once, after the paint that failed.
    void CellDrawFailed(const QString &message);

protected:
    bool viewportEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void FitColumns();
    void RememberUserWidths();

    DrawCellHook drawCell_;
    std::vector<double> weights_;
    bool fitting_ = false;
};

} // namespace velmaro
