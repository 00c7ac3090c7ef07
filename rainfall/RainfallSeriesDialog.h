#pragma once

// The "Rainfall series" dialog: every step of one entered series in an editable table, filled by
// pasting, importing a file or generating a design storm, and exported as CSV. It works on a copy
// of the series; OK hands the copy back, Cancel drops it. Bad input never changes the copy.

#include "rainfall/DesignStorm.h"
#include "rainfall/SeriesTableModel.h"
#include "rainfall/SeriesText.h"

#include <QDialog>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace velmaro::rainfall {

class RainfallSeriesDialog final : public QDialog {
    Q_OBJECT

public:
    RainfallSeriesDialog(const RainfallSeries &series, const SeriesDisplay &display,
                         QWidget *parent = nullptr);
    ~RainfallSeriesDialog() override;

    // The series as the dialog holds it; after OK, what OK produced.
    const RainfallSeries &Series() const;
    // The series' time step (minutes): the window's, unless an import took its file's.
    double TimeStep() const;

    // The user's actions. Each shows its own message and returns false when it changes nothing.
    // A paste of more than one column or with a header, and every import, go through the
    // import preview; a plain column of numbers pastes at once.
    bool PasteText(const QString &text); // from the current row on
    bool ImportFile(const QString &path); // from step 1
    bool ExportFile(const QString &path);
    // The depth in StormDepthUnit.
    bool GenerateStorm(StormType type, const QString &depthText);
    // The storm that laid the series, laid again at the window's time step when it was made for
    // another one.
    bool GenerateAgain();
    QString StormDepthUnit() const;

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
    void GenerateAgainClicked() { GenerateAgain(); }
    // The storm that laid the series, when it was made for another time step than the window's.
    std::optional<StormRecipe> StormOfAnotherStep() const;
    bool LayStorm(const StormRecipe &recipe, const std::function<Storm()> &make);
    void ShowStormMade();
    // Puts heights (shown unit) from step firstStep on, if the whole series then holds.
    bool TakeHeights(const std::vector<HeightLine> &read, int firstStep);
    // Shows the import preview of text; on OK takes what it read, and its step when it offers it.
    bool TakePreviewed(std::string_view text, const QString &sourceName, int firstStep);
    void Refuse(const QString &message, int step);
    void ShowStep(int step);

    SeriesTableModel *model_;
    QTableView *table_ = nullptr;
    QSpinBox *stepCount_ = nullptr;
    QComboBox *stormType_ = nullptr;
    QLineEdit *stormDepth_ = nullptr;
    QLabel *stormMade_ = nullptr;
    QPushButton *generateAgain_ = nullptr;
};

} // namespace velmaro::rainfall
