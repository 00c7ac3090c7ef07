#include "rainfall/SeriesImportDialog.h"

#include "rainfall/SeriesPreviewModels.h"
#include "rainfall/SeriesTableModel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace velmaro::rainfall {

namespace {

struct Choice {
    const char *caption;
    int value;
};

constexpr Choice kSeparators[] = {
    {"Tab", static_cast<int>(Separator::Tab)},
    {"Semicolon ;", static_cast<int>(Separator::Semicolon)},
    {"Comma ,", static_cast<int>(Separator::Comma)},
    {"Blanks", static_cast<int>(Separator::Spaces)},
    {"None: one column", static_cast<int>(Separator::None)},
};
constexpr Choice kDecimalMarks[] = {
    {"Point .", static_cast<int>(DecimalMark::Point)},
    {"Comma ,", static_cast<int>(DecimalMark::Comma)},
};
constexpr Choice kTimeUnits[] = {
    {"Hours", static_cast<int>(TimeUnit::Hours)},
    {"Minutes", static_cast<int>(TimeUnit::Minutes)},
    {"Date and time", static_cast<int>(TimeUnit::DateTime)},
};
constexpr Choice kKinds[] = {
    {"Partial", static_cast<int>(SeriesKind::Partial)},
    {"Cumulative", static_cast<int>(SeriesKind::Cumulative)},
};

template <std::size_t N>
QComboBox *ChoiceBox(const Choice (&choices)[N], const char *name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const Choice &choice : choices)
        box->addItem(QString::fromLatin1(choice.caption), choice.value);
    return box;
}

void Choose(QComboBox *box, int value)
{
    box->setCurrentIndex(std::max(box->findData(value), 0));
}

int Chosen(const QComboBox *box)
{
    return box->currentData().toInt();
}

QString Step(double minutes)
{
    return QString::fromStdString(StepText(minutes));
}

} // namespace

SeriesImportDialog::SeriesImportDialog(std::string_view text, const QString &sourceName,
                                       const ImportTarget &target, QWidget *parent)
    : QDialog(parent), source_(text), target_(target), options_(GuessOptions(source_, target.kind)),
      linesModel_(new SourceLinesModel(source_, this)), stepsModel_(new TakenStepsModel(this))
{
    setWindowTitle(QStringLiteral("Import rainfall series"));
    BuildControls(sourceName);
    ShowOptions();
    Reread();
}

SeriesImportDialog::~SeriesImportDialog() = default;

void SeriesImportDialog::BuildControls(const QString &sourceName)
{
    lines_ = new QListView(this);
    lines_->setObjectName(QStringLiteral("sourceLines"));
    // Every row as high as the first: the view lays out only the rows on screen.
    lines_->setUniformItemSizes(true);
    lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lines_->setModel(linesModel_);

    steps_ = new QTableView(this);
    steps_->setObjectName(QStringLiteral("takenSteps"));
    steps_->setModel(stepsModel_);
    steps_->verticalHeader()->hide();
    steps_->verticalHeader()->setDefaultSectionSize(steps_->fontMetrics().height() + 6);
    steps_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    steps_->horizontalHeader()->setStretchLastSection(true);

    step_ = new QLabel(this);
    step_->setObjectName(QStringLiteral("stepFound"));
    step_->setWordWrap(true);
    unitNote_ = new QLabel(this);
    unitNote_->setObjectName(QStringLiteral("unitNote"));
    unitNote_->setWordWrap(true);
    problems_ = new QListWidget(this);
    problems_->setObjectName(QStringLiteral("problems"));
    problems_->setMaximumHeight(problems_->fontMetrics().height() * 5 + 8);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The text of %1 as it stands:").arg(sourceName), this));
    layout->addWidget(lines_, 3);
    layout->addWidget(BuildChoices());
    layout->addWidget(new QLabel(QStringLiteral("The steps that will be taken:"), this));
    layout->addWidget(steps_, 3);
    layout->addWidget(step_);
    layout->addWidget(unitNote_);
    layout->addWidget(problems_, 1);
    layout->addWidget(buttons);
    resize(760, 720);
}

QWidget *SeriesImportDialog::BuildChoices()
{
    auto *group = new QGroupBox(QStringLiteral("How the text is read"), this);
    separator_ = ChoiceBox(kSeparators, "separator", group);
    decimal_ = ChoiceBox(kDecimalMarks, "decimalMark", group);
    skip_ = new QSpinBox(group);
    skip_->setObjectName(QStringLiteral("skipLines"));
    skip_->setRange(0, source_.LineCount());
    skip_->setMinimumWidth(skip_->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 30);
    heightColumn_ = new QComboBox(group);
    heightColumn_->setObjectName(QStringLiteral("heightColumn"));
    timeColumn_ = new QComboBox(group);
    timeColumn_->setObjectName(QStringLiteral("timeColumn"));
    timeUnit_ = ChoiceBox(kTimeUnits, "timeUnit", group);
    kind_ = ChoiceBox(kKinds, "heightKind", group);

    auto *grid = new QGridLayout(group);
    const auto add = [grid, group](int row, int column, const QString &caption, QWidget *control) {
        auto *label = new QLabel(caption, group);
        label->setBuddy(control);
        grid->addWidget(label, row, column * 2);
        grid->addWidget(control, row, column * 2 + 1);
    };
    add(0, 0, QStringLiteral("&Separator"), separator_);
    add(0, 1, QStringLiteral("&Decimal mark"), decimal_);
    add(0, 2, QStringLiteral("&Lines to skip"), skip_);
    add(1, 0, QStringLiteral("&Heights in"), heightColumn_);
    add(1, 1, QStringLiteral("Heights &are"), kind_);
    add(2, 0, QStringLiteral("&Times in"), timeColumn_);
    add(2, 1, QStringLiteral("Times a&re in"), timeUnit_);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);

    for (QComboBox *box : {separator_, decimal_, heightColumn_, timeColumn_, timeUnit_, kind_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { TakeChoices(); });
    connect(skip_, &QSpinBox::valueChanged, this, [this] { TakeChoices(); });
    return group;
}

// The column lists follow the separator and the header: "2: Rain [mm]".
void SeriesImportDialog::FillColumnLists()
{
    const std::vector<std::string> names = ColumnNames(source_, options_);
    const std::size_t count = std::max<std::size_t>(names.size(), 1);
    heightColumn_->clear();
    timeColumn_->clear();
    timeColumn_->addItem(QStringLiteral("None"), -1);
    for (std::size_t c = 0; c < count; ++c) {
        QString caption = QString::number(c + 1);
        if (c < names.size() && !names[c].empty())
            caption += QStringLiteral(": ") + QString::fromStdString(names[c]);
        heightColumn_->addItem(caption, static_cast<int>(c));
        timeColumn_->addItem(caption, static_cast<int>(c));
    }
}

void SeriesImportDialog::ShowOptions()
{
    showing_ = true;
    Choose(separator_, static_cast<int>(options_.separator));
    Choose(decimal_, static_cast<int>(options_.decimal));
    skip_->setValue(options_.skipLines);
    FillColumnLists();
    Choose(heightColumn_, options_.heightColumn);
    Choose(timeColumn_, options_.timeColumn);
    // A column the new separator does not make is not read: the lists show what is. The column
    // of heights holds no times.
    options_.heightColumn = Chosen(heightColumn_);
    if (Chosen(timeColumn_) == options_.heightColumn)
        Choose(timeColumn_, -1);
    options_.timeColumn = Chosen(timeColumn_);
    Choose(timeUnit_, static_cast<int>(options_.timeUnit));
    Choose(kind_, static_cast<int>(options_.kind));
    timeUnit_->setEnabled(options_.timeColumn >= 0);
    showing_ = false;
}

void SeriesImportDialog::SetOptions(const ReadingOptions &options)
{
    options_ = options;
    ShowOptions();
    Reread();
}

void SeriesImportDialog::TakeChoices()
{
    if (showing_)
        return;
    ReadingOptions chosen = options_;
    chosen.separator = static_cast<Separator>(Chosen(separator_));
    chosen.decimal = static_cast<DecimalMark>(Chosen(decimal_));
    chosen.skipLines = skip_->value();
    chosen.heightColumn = Chosen(heightColumn_);
    chosen.timeColumn = Chosen(timeColumn_);
    chosen.timeUnit = static_cast<TimeUnit>(Chosen(timeUnit_));
    chosen.kind = static_cast<SeriesKind>(Chosen(kind_));
    SetOptions(chosen);
}

void SeriesImportDialog::Reread()
{
    reading_ = ReadSeries(source_, options_, kMaxSteps - target_.firstStep + 1);
    headerUnit_ = HeightUnitNamed(source_, options_);
    const QString textUnit = headerUnit_ ? QString::fromStdString(*headerUnit_) : target_.unit;
    heights_ = HeightsTaken(reading_, options_.kind, target_.kind, headerUnit_, target_.unit.toStdString());
    stepsModel_->SetSteps(reading_, heights_, target_.firstStep,
                          {options_.timeUnit, options_.kind, textUnit, target_.kind, target_.unit});
    steps_->setColumnHidden(TakenStepsModel::TimeColumn, options_.timeColumn < 0);

    problems_->clear();
    for (const SeriesProblem &problem : reading_.problems)
        problems_->addItem(QString::fromStdString(problem.message));
    if (reading_.problems.empty() && reading_.rows.empty())
        problems_->addItem(QStringLiteral("There is no height to take."));
    problems_->setVisible(problems_->count() > 0);

    QString note = headerUnit_ && HeightFactor(headerUnit_, target_.unit.toStdString()) != 1
                       ? QStringLiteral("Heights are read in %1, as the column's name says, and taken in %2, "
                                        "the unit the series shows.")
                             .arg(QString::fromStdString(*headerUnit_), target_.unit)
                       : QStringLiteral("Heights are read in %1, the unit the series shows.").arg(target_.unit);
    if (options_.kind != target_.kind)
        note += target_.kind == SeriesKind::Partial
                    ? QStringLiteral(" The series is partial: each step takes the rise of the cumulative height.")
                    : QStringLiteral(" The series is cumulative: each step takes the sum of the heights up to it.");
    unitNote_->setText(note);
    ShowStep();
    ok_->setEnabled(problems_->count() == 0 && !StepRefused());
}

bool SeriesImportDialog::StepRefused() const
{
    return reading_.stepMinutes && !SameStep(*reading_.stepMinutes, target_.timeStepMinutes) &&
           target_.firstStep > 1;
}

void SeriesImportDialog::ShowStep()
{
    const QString series = Step(target_.timeStepMinutes);
    QString text;
    bool stands = false;
    if (options_.timeColumn < 0) {
        text = QStringLiteral("No column of times: each line is the next step, %1 after the one before.").arg(series);
    } else if (!reading_.stepMinutes) {
        text = reading_.problems.empty() ? QStringLiteral("A single time: there is no step to find.")
                                         : QStringLiteral("No step: the times give one when every line reads and "
                                                          "they step evenly.");
    } else if (SameStep(*reading_.stepMinutes, target_.timeStepMinutes)) {
        text = QStringLiteral("The times step every %1, as the series does.").arg(Step(*reading_.stepMinutes));
    } else {
        stands = true;
        const QString found = Step(*reading_.stepMinutes);
        text = QStringLiteral("The times step every %1; the series steps every %2. ").arg(found, series);
        text += StepRefused()
                    ? QStringLiteral("Pasted from step %1, the heights cannot change the step of those above "
                                     "them: paste from step 1 to take the step of the times.")
                          .arg(target_.firstStep)
                    : QStringLiteral("OK sets the series' time step to %1.").arg(found);
    }
    QFont font = step_->font();
    font.setBold(stands);
    step_->setFont(font);
    step_->setText(text);
}

std::vector<HeightLine> SeriesImportDialog::Taken() const
{
    std::vector<HeightLine> taken;
    for (std::size_t i = 0; i < heights_.size(); ++i)
        taken.push_back({heights_[i], reading_.rows[i].line});
    return taken;
}

std::optional<double> SeriesImportDialog::NewTimeStep() const
{
    if (!reading_.stepMinutes || SameStep(*reading_.stepMinutes, target_.timeStepMinutes) || StepRefused())
        return std::nullopt;
    return reading_.stepMinutes;
}

} // namespace velmaro::rainfall
