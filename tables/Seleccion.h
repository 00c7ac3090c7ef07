#pragma once

#include "tables/MemoryTable.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <vector>

class QPainter;
class QPushButton;

namespace velmaro {

class DataGrid;
class TableModel;

// Picks one value out of a fixed reference table. One dialog serves one pick:
//
//     TSeleccionForm form(owner);
//     form.setWindowTitle(caption);
//     form.LoadTable("EC3");            // throws for an unknown id; show nothing then
//     form.SetOuterSize(740, 455);      // or SetOuterWidth(632) for the soil tables
//     if (form.exec() == TSeleccionForm::ModalResultOk)
//         value = form.CurrentCellValue();   // CurrentRowPosition() for ES1 and ES2
class TSeleccionForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int ModalResultOk = 1;
    static constexpr int ModalResultCancel = 2;
    // Outer (frame) size less client size when the window manager has not told us yet:
    // the dialog is drawn for a 530 x 319 px window around a 522 x 285 px client area.
    static constexpr int NominalFrameWidth = 8;
    static constexpr int NominalFrameHeight = 34;

    explicit TSeleccionForm(QWidget *owner = nullptr);
    ~TSeleccionForm() override;

    // Builds the table named by `id` (ES1-ES3, EC1-EC4), shows it from its top with the first
    // row and the first shown column current. Throws TableClosedError for any other id.
    void LoadTable(const QString &id);

    // The three steps every table builder takes: field definitions (type codes 1 String,
    // 3 Integer, 6 Float; one maximum length for all String fields), one call per row (one
    // value per field, std::monostate for null), the shown columns (one title per field, equal
    // to its name; the first two fields, FlagMostrar and FlagColor, are never shown).
    void DefineFields(const QStringList &names, const QList<int> &types, int stringSize);
    void AppendRow(const std::vector<CellValue> &values);
    void SetGridColumns(const QStringList &titles);

    // Zero-based position of the current row.
    int CurrentRowPosition() const;
    // The number in the current row under the current column; throws when it holds none.
    double CurrentCellValue() const;
    // Display width in characters of each field: the longest of its name and values.
    const std::vector<int> &ColumnWidths() const { return columnWidths_; }

    // Sizes the window so that its frame (title bar and borders included) is w x h px: the
    // frame the window manager reported once the dialog has been shown, the nominal frame
    // above before that. SetOuterWidth keeps the height.
    void SetOuterSize(int w, int h);
    void SetOuterWidth(int w);

    // Draws one data cell: background (highlight for the current cell, white for FlagColor 1,
    // light green otherwise), then the text form, except for Float cells of a row whose
    // FlagMostrar is not 1.
    void GridDrawDataCell(QPainter &painter, const QRect &rect, const QModelIndex &cell, bool selected) const;

    DataGrid *Grid = nullptr;
    TableModel *DS = nullptr;
    MemoryTable MD;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

public slots:
    // OK is enabled exactly when the current cell is a Float cell holding a value, or, in a
    // table without Float fields, whenever a row is current.
    void GridCellChanged();
    void reject() override;
    // Centres the window on the screen at its first show.
    void setVisible(bool visible) override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateControls();
    void PlaceControls();
    QSize FrameAllowance() const;
    int CurrentField() const;
    bool HasFloatField() const;
    void FollowCurrentCell(const QModelIndex &current);
    // A failure inside a slot or a paint goes to the application's error box.
    void ReportError(const QString &message);

    std::vector<int> columnWidths_;
    bool shown_ = false;
};

} // namespace velmaro
