#include "rainfall/RainfallSeriesDialog.h"

#include "controls/MessagePresenter.h"
#include "text/NumberText.h"
#include "text/UnitModel.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
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
#include <charconv>
#include <functional>

namespace velmaro::rainfall {

namespace {

enum Column { StepColumn, TimeColumn, HeightColumn, ColumnCount };

const char *KindName(SeriesKind kind)
{
    return kind == SeriesKind::Cumulative ? "Cumulative rainfall height" : "Partial rainfall height";
}

std::size_t Slot(int step)
{
    return static_cast<std::size_t>(std::clamp(step, 1, kMaxSteps) - 1);
}

} // namespace

// The table's rows are steps 1 to the step count; heights are kept in mm and shown in the unit
// of the window's height field.
class SeriesTableModel final : public QAbstractTableModel {
public:
    using Refusal = std::function<void(const QString &message, int step)>;

    SeriesTableModel(const RainfallSeries &series, const SeriesDisplay &display, Refusal refuse,
                     QObject *parent)
        : QAbstractTableModel(parent), series_(series), timeStep_(display.timeStepMinutes),
          refuse_(std::move(refuse))
    {
        series_.stepCount = std::clamp(series_.stepCount, 1, kMaxSteps);
        if (display.unit >= 0 && display.unit < display.units.size())
            unit_ = ReadUnitEntry(display.units[display.unit].toStdString());
    }

    const RainfallSeries &Series() const { return series_; }
    const UnitEntry &Unit() const { return unit_; }
    double TimeStep() const { return timeStep_; }

    double Shown(double mm) const { return static_cast<double>(mm * unit_.Factor + unit_.Offset); }
    double Base(double shown) const { return static_cast<double>((shown - unit_.Offset) / unit_.Factor); }

    // Heights of steps 1 to the step count in the unit shown.
    std::vector<double> ShownHeights() const
    {
        std::vector<double> shown;
        for (int k = 1; k <= series_.stepCount; ++k)
            shown.push_back(Shown(series_.heights[Slot(k)]));
        return shown;
    }

    void SetStepCount(int count)
    {
        count = std::clamp(count, 1, kMaxSteps);
        const int old = series_.stepCount;
        if (count != old)
            series_.storm.reset();
        if (count > old) {
            beginInsertRows({}, old, count - 1);
            series_.stepCount = count;
            endInsertRows();
        } else if (count < old) {
            beginRemoveRows({}, count, old - 1);
            series_.stepCount = count;
            endRemoveRows();
        }
    }

    void SetSeries(const RainfallSeries &series)
    {
        SetStepCount(series.stepCount);
        series_.heights = series.heights;
        series_.storm = series.storm;
        emit dataChanged(index(0, HeightColumn), index(series_.stepCount - 1, HeightColumn));
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : series_.stepCount;
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        const int step = index.row() + 1;
        switch (index.column()) {
        case StepColumn:
            return step;
        case TimeColumn:
            return QString::fromStdString(FormatPattern0_5(step * timeStep_ / 60));
        default:
            return HeightText(series_.heights[Slot(step)]);
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return QAbstractTableModel::headerData(section, orientation, role);
        switch (section) {
        case StepColumn:
            return QStringLiteral("Step");
        case TimeColumn:
            return QStringLiteral("End time [h]");
        default:
            return QStringLiteral("%1 [%2]")
                .arg(QString::fromUtf8(KindName(series_.kind)), QString::fromStdString(unit_.Name));
        }
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        return index.column() == HeightColumn ? flags | Qt::ItemIsEditable : flags;
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (!index.isValid() || index.column() != HeightColumn || role != Qt::EditRole)
            return false;
        const int step = index.row() + 1;
        const QString text = value.toString().trimmed();
        // Committing a cell unchanged must not round its height to the digits shown.
        if (text == HeightText(series_.heights[Slot(step)]))
            return true;
        double shown = 0;
        if (!ReadHeightText(text.toStdString(), shown)) {
            refuse_(QStringLiteral("Step %1: '%2' is not a number.").arg(step).arg(text), step);
            return false;
        }
        if (shown < 0) {
            refuse_(QStringLiteral("Step %1: a rainfall height cannot be negative.").arg(step), step);
            return false;
        }
        series_.heights[Slot(step)] = Base(shown);
        series_.storm.reset();
        emit dataChanged(index, index);
        return true;
    }

private:
    QString HeightText(double mm) const
    {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, Shown(mm), std::chars_format::general, 12);
        return QString::fromLatin1(buffer, static_cast<int>(end.ptr - buffer));
    }

    RainfallSeries series_;
    UnitEntry unit_{"mm", 1, 0};
    double timeStep_;
    Refusal refuse_;
};

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
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
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
    stormForm->addRow(QStringLiteral("Total &depth [mm]"), stormDepth_);
    stormForm->addRow(QString(), generate);

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
    ShowStep(1);
}

const RainfallSeries &RainfallSeriesDialog::Series() const
{
    return model_->Series();
}

int RainfallSeriesDialog::CurrentRow() const
{
    return table_->currentIndex().isValid() ? table_->currentIndex().row() : -1;
}

void RainfallSeriesDialog::ShowStep(int step)
{
    const int row = std::clamp(step, 1, model_->Series().stepCount) - 1;
    table_->setCurrentIndex(model_->index(row, HeightColumn));
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
        taken.heights[Slot(step)] = model_->Base(read[i].height);
        lines[Slot(step)] = read[i].line;
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

bool RainfallSeriesDialog::PasteText(const QString &text)
{
    const int firstStep = std::max(CurrentRow(), 0) + 1;
    try {
        return TakeHeights(ReadSeriesText(text.toStdString(), firstStep), firstStep);
    } catch (const SeriesError &error) {
        Refuse(QString::fromUtf8(error.what()), error.Step());
        return false;
    }
}

bool RainfallSeriesDialog::ImportFile(const QString &path)
{
    std::vector<HeightLine> read;
    try {
        for (const double height : ReadSeriesFile(QFile::encodeName(path).toStdString(), model_->Series().kind))
            read.push_back({height, 0});
    } catch (const SeriesError &error) {
        Refuse(QString::fromUtf8(error.what()), error.Step());
        return false;
    }
    return TakeHeights(read, 1);
}

bool RainfallSeriesDialog::ExportFile(const QString &path)
{
    const std::string csv = WriteSeriesCsv(model_->ShownHeights(), model_->TimeStep(),
                                           KindName(model_->Series().kind), model_->Unit().Name);
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

bool RainfallSeriesDialog::GenerateStorm(StormType type, const QString &depthMm)
{
    double depth = 0;
    if (!ReadHeightText(depthMm.toStdString(), depth)) {
        Refuse(QStringLiteral("The storm depth must be a number of 0 mm or more."), 0);
        return false;
    }
    try {
        const Storm storm = MakeStorm(type, depth, model_->TimeStep(), model_->Series().stepCount);
        RainfallSeries made = model_->Series();
        const std::vector<double> &heights =
            made.kind == SeriesKind::Cumulative ? storm.cumulative : storm.partial;
        made.stepCount = static_cast<int>(heights.size());
        std::copy(heights.begin(), heights.end(), made.heights.begin());
        made.storm = StormRecipe{type, depth, model_->TimeStep()};
        model_->SetSeries(made);
        stepCount_->setValue(made.stepCount);
        ShowStep(1);
        return true;
    } catch (const SeriesError &error) {
        Refuse(QString::fromUtf8(error.what()), 0);
        return false;
    }
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
