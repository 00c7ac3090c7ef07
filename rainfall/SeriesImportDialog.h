#pragma once

// The import preview: how a file or a pasted text will be read, before anything changes. The
// text's first lines as they stand, the choices of the reading set to their guesses, the steps
// that will be taken, the step of the times and every problem found. OK stays disabled until
// every line taken reads; when the text's times step otherwise than the series, OK also takes
// the text's step as the series' time step (from step 1 only: a paste further down cannot
// change the step of the heights above it).

#include "rainfall/SeriesReading.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QListView;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableView;

namespace velmaro::rainfall {

class SourceLinesModel;
class TakenStepsModel;

// Where the heights go: the store's kind, the series' time step, the first step they fill and
// the unit the series' table shows heights in, which the text's heights are read in unless the
// height column's name gives another.
struct ImportTarget {
    SeriesKind kind = SeriesKind::Partial;
    double timeStepMinutes = 30;
    int firstStep = 1;
    QString unit = QStringLiteral("mm");
};

class SeriesImportDialog final : public QDialog {
    Q_OBJECT

public:
    SeriesImportDialog(std::string_view text, const QString &sourceName, const ImportTarget &target,
                       QWidget *parent = nullptr);
    ~SeriesImportDialog() override;

    const ReadingOptions &Options() const { return options_; }
    // Sets the controls to these choices and reads the text again.
    void SetOptions(const ReadingOptions &options);

    // The heights to take (the store's kind, the unit shown) with their lines.
    std::vector<HeightLine> Taken() const;
    // The text's step when OK is to set it as the series' time step.
    std::optional<double> NewTimeStep() const;

    QPushButton *OkButton() const { return ok_; }
    QLabel *StepLabel() const { return step_; }
    QListWidget *ProblemList() const { return problems_; }
    QListView *LinesView() const { return lines_; }
    QTableView *StepsView() const { return steps_; }

private:
    void BuildControls(const QString &sourceName);
    QWidget *BuildChoices();
    void FillColumnLists();
    void ShowOptions();
    void TakeChoices();
    void Reread();
    void ShowStep();
    bool StepRefused() const;

    SeriesSource source_;
    ImportTarget target_;
    ReadingOptions options_;
    SeriesReading reading_;
    std::optional<std::string> headerUnit_; // the heights' unit the height column's name gives
    std::vector<double> heights_;           // as the store's kind, in the unit the series shows
    SourceLinesModel *linesModel_;
    TakenStepsModel *stepsModel_;
    QListView *lines_ = nullptr;
    QTableView *steps_ = nullptr;
    QComboBox *separator_ = nullptr;
    QComboBox *decimal_ = nullptr;
    QSpinBox *skip_ = nullptr;
    QComboBox *heightColumn_ = nullptr;
    QComboBox *timeColumn_ = nullptr;
    QComboBox *timeUnit_ = nullptr;
    QComboBox *kind_ = nullptr;
    QLabel *step_ = nullptr;
    QLabel *unitNote_ = nullptr;
    QListWidget *problems_ = nullptr;
    QPushButton *ok_ = nullptr;
    bool showing_ = false; // the program sets the controls: no reading on each change
};

} // namespace velmaro::rainfall
