#include "rainfall/RainfallSeriesDialog.h"

#include "controls/MessagePresenter.h"
#include "rainfall/SeriesImportDialog.h"
#include "rainfall/SeriesReading.h"
#include "text/FieldText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <optional>

namespace velmaro::rainfall {

RainfallSeriesDialog::RainfallSeriesDialog(const RainfallSeries &series, const SeriesDisplay &display,
                                           QWidget *parent)
    : QDialog(parent),
      model_(new SeriesTableModel(
          series, display, [this](const QString &message, int step) { Refuse(message, step); }, this))
{
    setWindowTitle(QStringLiteral("Rainfall series"));
    BuildControls();
}

RainfallSeriesDialog::~RainfallSeriesDialog() = default;

void RainfallSeriesDialog::BuildControls()
{
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("seriesTable"));
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    // A hundred steps: rows as tight as their text, so that many fit on the screen at once.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // The step and time columns fit their texts when those change, not on every change of a
    // height: a paste of 100 heights then lays out only the rows on screen.
    table_->horizontalHeader()->setStretchLastSection(true);
    const auto fitStepsAndTimes = [this] {
        table_->resizeColumnToContents(SeriesTableModel::StepColumn);
        table_->resizeColumnToContents(SeriesTableModel::TimeColumn);
    };
    connect(model_, &QAbstractItemModel::rowsInserted, this, fitStepsAndTimes);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, fitStepsAndTimes);
    connect(model_, &QAbstractItemModel::dataChanged, this,
            [fitStepsAndTimes](const QModelIndex &topLeft) {
                if (topLeft.column() <= SeriesTableModel::TimeColumn)
                    fitStepsAndTimes();
            });
    fitStepsAndTimes();
    table_->setMinimumWidth(330);

    stepCount_ = new QSpinBox(this);
    stepCount_->setObjectName(QStringLiteral("stepCount"));
    stepCount_->setRange(1, kMaxSteps);
    stepCount_->setValue(model_->Series().stepCount);
    connect(stepCount_, &QSpinBox::valueChanged, this, [this](int count) { model_->SetStepCount(count); });

    const auto button = [this](const QString &caption, void (RainfallSeriesDialog::*clicked)()) {
        auto *b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this,
                [this, clicked] { GuardEntryPoint(this, [this, clicked] { (this->*clicked)(); }); });
        return b;
    };
    QPushButton *paste = button(QStringLiteral("&Paste"), &RainfallSeriesDialog::PasteClipboard);
    paste->setToolTip(QStringLiteral("Paste a column of heights, or of times and heights, from the current row on (Ctrl+V)"));
    QPushButton *import = button(QStringLiteral("&Import..."), &RainfallSeriesDialog::ChooseImportFile);
    QPushButton *exportButton = button(QStringLiteral("&Export..."), &RainfallSeriesDialog::ChooseExportFile);

    auto *pasteKey = new QAction(this);
    pasteKey->setShortcut(QKeySequence::Paste);
    pasteKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(pasteKey, &QAction::triggered, this,
            [this] { GuardEntryPoint(this, [this] { PasteClipboard(); }); });
    table_->addAction(pasteKey);

    auto *storm = new QGroupBox(QStringLiteral("Design storm"), this);
    stormType_ = new QComboBox(storm);
    stormType_->setObjectName(QStringLiteral("stormType"));
    for (const StormName &name : StormNames())
        stormType_->addItem(QString::fromUtf8(name.caption.data(), static_cast<int>(name.caption.size())),
                            static_cast<int>(name.type));
    stormType_->setCurrentIndex(static_cast<int>(StormType::TypeII));
    stormDepth_ = new QLineEdit(storm);
    stormDepth_->setObjectName(QStringLiteral("stormDepth"));
    QPushButton *generate = button(QStringLiteral("&Generate"), &RainfallSeriesDialog::GenerateChosenStorm);
    generate->setToolTip(QStringLiteral("NRCS types: 24 hours at the window's time step. Uniform: the depth spread over the number of steps."));
    auto *stormForm = new QFormLayout(storm);
    stormForm->addRow(QStringLiteral("&Distribution"), stormType_);
    stormForm->addRow(QStringLiteral("Total &depth [%1]").arg(StormDepthUnit()), stormDepth_);
    stormForm->addRow(QString(), generate);
    stormMade_ = new QLabel(storm);
    stormMade_->setObjectName(QStringLiteral("stormMade"));
    stormMade_->setWordWrap(true);
    generateAgain_ = button(QString(), &RainfallSeriesDialog::GenerateAgainClicked);
    generateAgain_->setObjectName(QStringLiteral("generateAgain"));
    generateAgain_->setToolTip(QStringLiteral("The same storm, lasting as long, at the window's time step"));
    stormForm->addRow(stormMade_);
    stormForm->addRow(generateAgain_);
    if (const std::optional<StormRecipe> &laid = model_->Series().storm) {
        stormType_->setCurrentIndex(stormType_->findData(static_cast<int>(laid->type)));
        const StormDepth depth = StormDepthIn(laid->depthMm, model_->UnitName());
        stormDepth_->setText(QString::fromStdString(RenderEditValue(depth.value, kUnitsFieldRendering)));
    }

    auto *side = new QVBoxLayout;
    auto *countForm = new QFormLayout;
    countForm->addRow(QStringLiteral("&Number of steps"), stepCount_);
    side->addLayout(countForm);
    side->addWidget(paste);
    side->addWidget(import);
    side->addWidget(exportButton);
    side->addSpacing(8);
    side->addWidget(storm);
    side->addStretch(1);

    auto *body = new QHBoxLayout;
    body->addWidget(table_, 1);
    body->addLayout(side);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { GuardEntryPoint(this, [this] { accept(); }); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    resize(640, 480);
    // Any edit of a height or of the number of steps ends the series being the storm, and with it the offer.
    connect(model_, &QAbstractItemModel::dataChanged, this, &RainfallSeriesDialog::ShowStormMade);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &RainfallSeriesDialog::ShowStormMade);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &RainfallSeriesDialog::ShowStormMade);
    ShowStormMade();
    ShowStep(1);
}

const RainfallSeries &RainfallSeriesDialog::Series() const
{
    return model_->Series();
}

double RainfallSeriesDialog::TimeStep() const
{
    return model_->TimeStep();
}

int RainfallSeriesDialog::CurrentRow() const
{
    return table_->currentIndex().isValid() ? table_->currentIndex().row() : -1;
}

void RainfallSeriesDialog::ShowStep(int step)
{
    const int row = std::clamp(step, 1, model_->Series().stepCount) - 1;
    table_->setCurrentIndex(model_->index(row, SeriesTableModel::HeightColumn));
    table_->scrollTo(table_->currentIndex());
}

void RainfallSeriesDialog::Refuse(const QString &message, int step)
{
    if (step > 0)
        ShowStep(step);
    ShowErrorMessage(message, this);
}

bool RainfallSeriesDialog::TakeHeights(const std::vector<HeightLine> &read, int firstStep)
{
    if (read.empty()) {
        Refuse(QStringLiteral("There is no height to take."), 0);
        return false;
    }
    RainfallSeries taken = model_->Series();
    taken.storm.reset();
    taken.stepCount = firstStep - 1 + static_cast<int>(read.size());
    std::vector<int> lines(static_cast<std::size_t>(taken.stepCount), 0);
    for (std::size_t i = 0; i < read.size(); ++i) {
        const int step = firstStep + static_cast<int>(i);
        taken.heights[SeriesSlot(step)] = model_->Base(read[i].height);
        lines[SeriesSlot(step)] = read[i].line;
    }
    try {
        CheckHeights(std::span(taken.heights).first(static_cast<std::size_t>(taken.stepCount)),
                     taken.kind, lines);
    } catch (const SeriesError &error) {
        Refuse(QString::fromUtf8(error.what()), error.Step());
        return false;
    }
    model_->SetSeries(taken);
    stepCount_->setValue(taken.stepCount);
    ShowStep(firstStep);
    return true;
}

bool RainfallSeriesDialog::TakePreviewed(std::string_view text, const QString &sourceName, int firstStep)
{
    const ImportTarget target{model_->Series().kind, model_->TimeStep(), firstStep,
                              QString::fromStdString(model_->UnitName())};
    SeriesImportDialog preview(text, sourceName, target, this);
    if (preview.exec() != QDialog::Accepted)
        return false;
    const std::optional<double> step = preview.NewTimeStep();
    if (!TakeHeights(preview.Taken(), firstStep))
        return false;
    if (step)
        model_->SetTimeStep(*step);
    return true;
}

bool RainfallSeriesDialog::PasteText(const QString &text)
{
    const int firstStep = std::max(CurrentRow(), 0) + 1;
    const std::string bytes = text.toStdString();
    const SeriesSource source(bytes);
    const ReadingOptions guess = GuessOptions(source, SeriesKind::Partial);
    if (!IsPlainColumn(source, guess))
        return TakePreviewed(bytes, QStringLiteral("the pasted text"), firstStep);
    try {
        return TakeHeights(ReadSeriesText(source, guess, firstStep), firstStep);
    } catch (const SeriesError &error) {
        Refuse(QString::fromUtf8(error.what()), error.Step());
        return false;
    }
}

bool RainfallSeriesDialog::ImportFile(const QString &path)
{
    std::string bytes;
    try {
        bytes = ReadSeriesBytes(QFile::encodeName(path).toStdString());
    } catch (const SeriesError &error) {
        Refuse(QString::fromUtf8(error.what()), error.Step());
        return false;
    }
    return TakePreviewed(bytes, QFileInfo(path).fileName(), 1);
}

bool RainfallSeriesDialog::ExportFile(const QString &path)
{
    const std::string csv = WriteSeriesCsv(model_->ShownHeights(), model_->TimeStep(),
                                           SeriesKindName(model_->Series().kind), model_->UnitName());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        ShowErrorMessage(QStringLiteral("%1: the file could not be written (%2).").arg(path, file.errorString()),
                         this);
        return false;
    }
    return true;
}

QString RainfallSeriesDialog::StormDepthUnit() const
{
    const std::string_view unit = StormDepthIn(0, model_->UnitName()).unit;
    return QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size()));
}

bool RainfallSeriesDialog::GenerateStorm(StormType type, const QString &depthText)
{
    double depth = 0;
    if (!ReadHeightText(depthText.toStdString(), depth)) {
        Refuse(QStringLiteral("The storm depth must be a number of 0 %1 or more.").arg(StormDepthUnit()), 0);
        return false;
    }
    if (StormDepthUnit() == QStringLiteral("in"))
        depth = model_->Base(depth);
    return LayStorm({type, depth, model_->TimeStep()}, [&] {
        return MakeStorm(type, depth, model_->TimeStep(), model_->Series().stepCount);
    });
}

bool RainfallSeriesDialog::GenerateAgain()
{
    const std::optional<StormRecipe> laid = StormOfAnotherStep();
    if (!laid)
        return false;
    const StormRecipe recipe = *laid;
    return LayStorm({recipe.type, recipe.depthMm, model_->TimeStep()}, [&] {
        return RemakeStorm(recipe, model_->Series().stepCount, model_->TimeStep());
    });
}

std::optional<StormRecipe> RainfallSeriesDialog::StormOfAnotherStep() const
{
    const std::optional<StormRecipe> &storm = model_->Series().storm;
    if (storm && MadeForAnotherStep(*storm, model_->TimeStep()))
        return storm;
    return std::nullopt;
}

bool RainfallSeriesDialog::LayStorm(const StormRecipe &recipe, const std::function<Storm()> &make)
{
    try {
        const Storm storm = make();
        RainfallSeries made = model_->Series();
        const std::vector<double> &heights =
            made.kind == SeriesKind::Cumulative ? storm.cumulative : storm.partial;
        made.stepCount = static_cast<int>(heights.size());
        std::copy(heights.begin(), heights.end(), made.heights.begin());
        made.storm = recipe;
        model_->SetSeries(made);
        stepCount_->setValue(made.stepCount);
        ShowStep(1);
        return true;
    } catch (const SeriesError &error) {
        Refuse(QString::fromUtf8(error.what()), 0);
        return false;
    }
}

// The offer stands while the series is the storm as laid for another time step.
void RainfallSeriesDialog::ShowStormMade()
{
    const std::optional<StormRecipe> laid = StormOfAnotherStep();
    stormMade_->setVisible(laid.has_value());
    generateAgain_->setVisible(laid.has_value());
    if (!laid)
        return;
    stormMade_->setText(QString::fromStdString(StormMadeText(*laid, model_->UnitName())));
    generateAgain_->setText(QStringLiteral("Generate a&gain at %1 min steps")
                                .arg(QString::fromStdString(RenderEditValue(model_->TimeStep(), kUnitsFieldRendering))));
}

void RainfallSeriesDialog::accept()
{
    const RainfallSeries &series = model_->Series();
    try {
        CheckHeights(std::span(series.heights).first(static_cast<std::size_t>(series.stepCount)), series.kind);
    } catch (const SeriesError &error) {
        Refuse(QString::fromUtf8(error.what()), error.Step());
        return;
    }
    QDialog::accept();
}

void RainfallSeriesDialog::PasteClipboard()
{
    PasteText(QApplication::clipboard()->text());
}

void RainfallSeriesDialog::ChooseImportFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Import rainfall series"), QString(),
        QStringLiteral("CSV and text files (*.csv *.txt);;All files (*)"));
    if (!path.isEmpty())
        ImportFile(path);
}

void RainfallSeriesDialog::ChooseExportFile()
{
    QFileDialog chooser(this, QStringLiteral("Export rainfall series"), QString(),
                        QStringLiteral("CSV files (*.csv);;All files (*)"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("csv"));
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        ExportFile(chooser.selectedFiles().constFirst());
}

void RainfallSeriesDialog::GenerateChosenStorm()
{
    GenerateStorm(static_cast<StormType>(stormType_->currentData().toInt()), stormDepth_->text());
}

} // namespace velmaro::rainfall
