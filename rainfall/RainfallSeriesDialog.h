#pragma once

// The "Rainfall series" dialog: every step of one entered series in an editable table, filled by
// pasting, importing a file or generating a design storm, and exported as CSV. It works on a copy
// of the series; OK hands the copy back, Cancel drops it. Bad input never changes the copy.

#include "rainfall/DesignStorm.h"
#include "rainfall/SeriesText.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <optional>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QTableView;

namespace velmaro::rainfall {

class SeriesTableModel;

struct RainfallSeries {
    SeriesKind kind = SeriesKind::Partial;
    std::array<double, kMaxSteps> heights{}; // mm, element k - 1 holds step k
    int stepCount = 1;                       // 1 to 100; slots above keep their heights
    std::optional<StormRecipe> storm;        // the storm that made the heights, until they change
};

// How the heights are shown: the unit entries of the window's height field ("name|factor|offset")
// with the one chosen there, and the time step (minutes) that places each step in time.
struct SeriesDisplay {
    QStringList units{QStringLiteral("mm|1|0")};
    int unit = 0;
    double timeStepMinutes = 30;
};

class RainfallSeriesDialog final : public QDialog {
    Q_OBJECT

public:
    RainfallSeriesDialog(const RainfallSeries &series, const SeriesDisplay &display,
                         QWidget *parent = nullptr);
    ~RainfallSeriesDialog() override;

    // The series as the dialog holds it; after OK, what OK produced.
    const RainfallSeries &Series() const;

    // The user's actions. Each shows its own message and returns false when it changes nothing.
    bool PasteText(const QString &text); // from the current row on
    bool ImportFile(const QString &path); // from step 1
    bool ExportFile(const QString &path);
    bool GenerateStorm(StormType type, const QString &depthMm);

    QTableView *Table() const { return table_; }
    QSpinBox *StepCountBox() const { return stepCount_; }
    // The row (0 = step 1) the table shows as current; -1 for none.
    int CurrentRow() const;

    // Checks the whole series before handing it back.
    void accept() override;

private:
    void BuildControls();
    void PasteClipboard();
    void ChooseImportFile();
    void ChooseExportFile();
    void GenerateChosenStorm();
    // Puts heights (shown unit) from step firstStep on, if the whole series then holds.
    bool TakeHeights(const std::vector<HeightLine> &read, int firstStep);
    void Refuse(const QString &message, int step);
    void ShowStep(int step);

    SeriesTableModel *model_;
    QTableView *table_ = nullptr;
    QSpinBox *stepCount_ = nullptr;
    QComboBox *stormType_ = nullptr;
    QLineEdit *stormDepth_ = nullptr;
};

} // namespace velmaro::rainfall
