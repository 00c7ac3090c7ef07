// How the main window computes: window creation, the stage handlers that each run the stage before
// them, the result grids, and the plot window following each recomputation. A stage copies its inputs into the model unguarded (an unreadable
// field ends the whole chain with its message), then runs its routines and shows their results in
// a guarded part that fails silently.

#include "ui/MainFormVelmaro.h"

#include "controls/MessagePresenter.h"
#include "controls/Unidades.h"
#include "engine/EngineError.h"
#include "engine/FieldValues.h"
#include "engine/ModelState.h"
#include "plot/PlotWindow.h"
#include "report/ReportTemplate.h"
#include "text/UnitModel.h"
#include "text/VolumeCheckText.h"
#include "ui/BoundsMessage.h"
#include "ui/DataFiles.h"
#include "ui/ResultGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QPalette>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace velmaro {

namespace {

const char *const kSeriesOutOfOrder = "The sequence of cummulative rainfall is incorrectly loaded";

// One entry of a unit list above a grid's last column: its heading and the factor applied to the
// base values.
struct GridUnit {
    const char *heading;
    double factor;
};

// The U.S. entries last, as in the lists above the grids; the discharge factor multiplies, so
// ft³/s takes the reciprocal of 1 ft³ = 0.028316846592 m³.
constexpr std::array<GridUnit, 4> kIntensityUnits{
    {{"[mm/hr]", 1}, {"[cm/hr]", 10}, {"[m/hr]", 1000}, {"[in/hr]", 25.4}}};
constexpr std::array<GridUnit, 4> kDepthUnits{{{"[mm]", 1}, {"[cm]", 10}, {"[m]", 1000}, {"[in]", 25.4}}};
constexpr std::array<GridUnit, 3> kDischargeUnits{
    {{"[m³/s]", 1}, {"[l/s]", 1000}, {"[ft³/s]", 1 / 0.028316846592}}};

// "[mm/hr]" without its brackets.
std::string UnitName(const GridUnit &unit)
{
    const std::string heading = unit.heading;
    return heading.substr(1, heading.size() - 2);
}

template <std::size_t N>
const GridUnit &ChosenUnit(const std::array<GridUnit, N> &units, const QComboBox *list)
{
    const int chosen = list->currentIndex();
    return units[chosen >= 0 && chosen < static_cast<int>(N) ? static_cast<std::size_t>(chosen) : 0];
}

// The entry of the unit a units field shows its value in.
UnitEntry ShownUnit(const TUnidades *field)
{
    return ReadUnitEntry(field->Units().value(field->CurrentUnit()).toStdString());
}

struct LandUseChoice {
    QRadioButton *TMainFormVelmaro::*radio;
    std::uint8_t landUse;
    const char *caption;
};

// The first chosen of these wins; with none chosen the last one applies.
constexpr std::array<LandUseChoice, 4> kLandUses{{
    {&TMainFormVelmaro::rbAu, 0, "Curve number for urban areas "},
    {&TMainFormVelmaro::rbTac, 1, "Curve number for cultivated agricultural lands "},
    {&TMainFormVelmaro::rbOta, 2, "Curve number for other agricultural lands "},
    {&TMainFormVelmaro::rbTpas, 3, "Curve number for arid and semiarid rangelands "},
}};

constexpr std::array<void (TMainFormVelmaro::*)(), 6> kTabShowHandlers{
    &TMainFormVelmaro::GeometriaShow,      &TMainFormVelmaro::SueloShow,
    &TMainFormVelmaro::ForzantesShow,      &TMainFormVelmaro::CondicionantesShow,
    &TMainFormVelmaro::EscorrentiaShow,    &TMainFormVelmaro::TabSheet1Show};

// The guarded part of a stage. Engine failures and any failure while its results are written end
// it silently, so the results keep what they showed; the answer is the failure's message. The
// capacity refusal is shown: otherwise the user could not tell why the hydrograph no longer
// follows the inputs.
template <class Steps>
std::optional<std::string> RunGuarded(QWidget *window, Steps &&steps)
{
    try {
        steps();
        return std::nullopt;
    } catch (const HydrographCapacityError &refusal) {
        ShowErrorMessage(ErrorText(refusal), window);
        return refusal.what();
    } catch (const std::exception &failure) {
        return failure.what();
    }
}

// Stale results keep their values but read as set aside: grey italic, the reason in the tooltip.
void DrawAsStale(QWidget *shown, const std::optional<std::string> &reason)
{
    QFont font = shown->font();
    font.setItalic(reason.has_value());
    shown->setFont(font);
    QPalette colours = shown->palette();
    colours.setColor(QPalette::Text, reason ? QColor(Qt::darkGray)
                                            : QApplication::palette(shown).color(QPalette::Text));
    shown->setPalette(colours);
    shown->setToolTip(reason ? QStringLiteral("Not computed from the current inputs: ") +
                                   QString::fromStdString(*reason)
                             : QString());
}

} // namespace

namespace {

template <class Value>
std::vector<double> ColumnOf(int count, Value value)
{
    std::vector<double> column(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k)
        column[static_cast<std::size_t>(k - 1)] = value(k);
    return column;
}

// Step k ends k time steps (minutes) after the start: the grids show it in hours.
std::vector<double> StepTimes(int count, double timeStep)
{
    return ColumnOf(count, [timeStep](int k) { return k * timeStep / 60; });
}

// Rows 1 to count from the columns (time first), the unit heading above the last column.
void FillGrid(ResultGrid *grid, const GridUnit &unit, std::vector<std::vector<double>> columns)
{
    ResultGridModel &cells = grid->Cells();
    cells.SetRowCount(static_cast<int>(columns.front().size()) + 1);
    cells.SetHeading(static_cast<int>(columns.size()) - 1, QString::fromUtf8(unit.heading));
    for (std::size_t column = 0; column < columns.size(); ++column)
        cells.SetColumnValues(static_cast<int>(column), std::move(columns[column]));
}

void SetHeadings(ResultGrid *grid, std::initializer_list<const char *> headings)
{
    int column = 0;
    for (const char *heading : headings)
        grid->Cells().SetHeading(column++, QString::fromUtf8(heading));
}

} // namespace

// Marks a stage handler as running. Handlers nest (each runs the one before it, and a value
// written into a field runs its handler again), so the plot follows once, when the outermost
// ends with every input copied. A handler left by an unreadable field copied nothing new.
class TMainFormVelmaro::Recomputation {
public:
    explicit Recomputation(TMainFormVelmaro &window)
        : window_(window), failuresBefore_(std::uncaught_exceptions())
    {
        ++window_.recomputing_;
    }
    ~Recomputation()
    {
        if (--window_.recomputing_ == 0 && window_.plotWindow_ &&
            std::uncaught_exceptions() == failuresBefore_)
            window_.FollowInPlot();
    }
    Recomputation(const Recomputation &) = delete;
    Recomputation &operator=(const Recomputation &) = delete;

private:
    TMainFormVelmaro &window_;
    int failuresBefore_;
};

int TMainFormVelmaro::NamedEntry(const QComboBox *list)
{
    const int current = list->currentIndex();
    return current >= 0 && list->currentText() == list->itemText(current) ? current : -1;
}

void TMainFormVelmaro::RunTabShowHandler(int tab)
{
    if (tab >= 0 && tab < static_cast<int>(kTabShowHandlers.size()))
        (this->*kTabShowHandlers[static_cast<std::size_t>(tab)])();
}

void TMainFormVelmaro::FormCreate()
{
    FillNumberList(cbSall, kSeriesSlots);
    model_.SetDefaults();
    cbSall->setCurrentIndex(std::clamp(model_.StepCount, 1, kSeriesSlots) - 1);
    cbSallChange();
    SetHeadings(sgLlResultado, {"[Hours]", "[mm]", "[mm]", "[mm/hr]"});
    SetHeadings(sgSvaeuaResultados, {"[Hours]", "[mm]"});
    SetHeadings(sgHeResultado, {"[Hours]", "[m³/s]"});
    PageControl1->setCurrentWidget(Geometria);
    ReportTemplatePath = DefaultReportTemplatePath(ProgramDataFolder(DefaultReportTemplatePath));
}

// Listed once the tabs exist, since every stage run redraws its own.
void TMainFormVelmaro::ListStageResults()
{
    stageResults_ = {{
        {euTccResultado},
        {sgLlResultado},
        {euRpmResultado, sgSvaeuaResultados},
        {euVteResultado, euVtespResultado, euCpResultado, sgHeResultado, euTpResultado, edVolumeCheck},
    }};
}

void TMainFormVelmaro::RecordRun(Stage stage, std::optional<std::string> failure)
{
    if (failure)
        staleness_.RunFailed(stage, std::move(*failure));
    else
        staleness_.RunFinished(stage);
    for (QWidget *shown : stageResults_[static_cast<std::size_t>(stage)])
        DrawAsStale(shown, staleness_.Reason(stage));
}

void TMainFormVelmaro::GeometriaShow()
{
    const Recomputation running(*this);
    model_.FlowLength = ModelNumber(euDdpmrhls->GetBaseValue());
    model_.LevelDifference = ModelNumber(euDntepmrys->GetBaseValue());
    model_.WatershedArea = ModelNumber(euAc->GetBaseValue());
    RecordRun(Stage::ConcentrationTime, RunGuarded(this, [this] {
        model_.ComputeConcentrationTime();
        euTccResultado->SetBaseValue(model_.ConcentrationTime);
    }));
}

void TMainFormVelmaro::SueloShow()
{
    const Recomputation running(*this);
    GeometriaShow();
    const int group = NamedEntry(cbGh);
    if (group >= 0 && group <= 3)
        model_.SoilGroup = static_cast<std::uint8_t>(group);
    model_.AssignInitialAbstraction = cbAai->isChecked() ? 1 : 0;
    model_.InitialAbstraction = ModelNumber(euAi->GetBaseValue());
}

void TMainFormVelmaro::ForzantesShow()
{
    const Recomputation running(*this);
    SueloShow();
    if (rbAcumulada->isChecked()) {
        model_.PartialSeries = 0;
        SeriesError = !CumulativeSeriesIsValid();
    } else {
        model_.PartialSeries = 1;
        SeriesError = false;
    }
    ShowSeriesStatus(QString::fromUtf8(kSeriesOutOfOrder));
    model_.TimeStep = ModelNumber(euPtsd->GetBaseValue());
    ShowStormMade();
    RecordRun(Stage::Rainfall, RunGuarded(this, [this] {
        model_.ComputeRainfall();
        FillRainfallGrid();
    }));
}

void TMainFormVelmaro::CondicionantesShow()
{
    const Recomputation running(*this);
    ForzantesShow();
    const auto chosen = std::find_if(kLandUses.begin(), kLandUses.end() - 1,
                                     [this](const LandUseChoice &c) { return (this->*c.radio)->isChecked(); });
    model_.LandUse = chosen->landUse;
    Label8->setText(QString::fromUtf8(chosen->caption));
    model_.CurveNumber = ModelWholeNumber(euNc->AsFloat());
    RecordRun(Stage::RunoffDepth, RunGuarded(this, [this] {
        model_.ComputeRetention();
        model_.ComputeRunoffDepth();
        euRpmResultado->SetBaseValue(model_.PotentialRetention);
        FillRunoffDepthGrid();
    }));
}

void TMainFormVelmaro::EscorrentiaShow()
{
    const Recomputation running(*this);
    CondicionantesShow();
    model_.UnitHydrograph = static_cast<std::uint8_t>(std::max(cbUnitHydrograph->currentIndex(), 0));
    RecordRun(Stage::Hydrograph, RunGuarded(this, [this] {
        model_.ComputeHydrograph();
        euVteResultado->SetBaseValue(model_.TotalVolume);
        euVtespResultado->SetBaseValue(model_.SpecificVolume);
        euCpResultado->SetBaseValue(model_.PeakDischarge);
        FillHydrographGrid();
        euTpResultado->SetBaseValue(model_.PeakTime);
        volumeCheck_ = {model_.SpecificVolume, model_.RunoffDepth[model_.StepCount], model_.ContinuityError};
        ShowVolumeCheck();
    }));
}

void TMainFormVelmaro::ShowVolumeCheck()
{
    if (volumeCheck_)
        edVolumeCheck->setText(QString::fromStdString(VolumeCheckText(volumeCheck_->specificVolume,
                                                                      volumeCheck_->runoffDepth,
                                                                      volumeCheck_->continuityError,
                                                                      ShownUnit(euVtespResultado))));
}

void TMainFormVelmaro::cbAaiClick()
{
    ShowAbstractionControls();
    SueloShow();
}

void TMainFormVelmaro::ShowAbstractionControls()
{
    const bool assigned = cbAai->isChecked();
    for (QWidget *control : std::initializer_list<QWidget *>{Bevel8, Label15, BitBtn6, euAi})
        control->setVisible(assigned);
}

void TMainFormVelmaro::ChooseTypedSoilGroup(const QString &text)
{
    const int entry = cbGh->findText(text.trimmed(), Qt::MatchExactly);
    if (entry >= 0)
        cbGh->setCurrentIndex(entry);
    SueloShow();
}

void TMainFormVelmaro::BoundsError(TSciCustomEdit *Sender)
{
    auto *field = dynamic_cast<TUnidades *>(Sender);
    if (!field)
        return;
    ShowErrorMessage(QString::fromStdString(BoundsErrorText(field->BaseMin(), field->BaseMax())),
                     this);
    field->setFocus(Qt::OtherFocusReason);
}

void TMainFormVelmaro::ShowSeriesStatus(const QString &message)
{
    QPalette colours = Panel1->palette();
    colours.setColor(QPalette::Window, SeriesError ? QColor(255, 0, 0)
                                                   : QApplication::palette().color(QPalette::Button));
    Panel1->setPalette(colours);
    Panel1->setText(SeriesError ? message : QStringLiteral("OK"));
}

PlotUnits TMainFormVelmaro::ChosenPlotUnits() const
{
    const GridUnit &intensity = ChosenUnit(kIntensityUnits, cbUnidadesHietograma);
    const GridUnit &discharge = ChosenUnit(kDischargeUnits, cbUnidadHidrograma);
    const GridUnit &depth = ChosenUnit(kDepthUnits, cbUnidadesVolumenes);
    return {UnitName(intensity), intensity.factor, UnitName(discharge), discharge.factor,
            UnitName(depth), depth.factor, ShownUnit(euVtespResultado)};
}

void TMainFormVelmaro::FollowInPlot()
{
    // The plot must never stop the window's own work; it computes guarded and draws in memory.
    try {
        plotWindow_->Follow(model_, ChosenPlotUnits());
    } catch (const std::exception &) {
    }
}

void TMainFormVelmaro::FillRainfallGrid()
{
    const int n = model_.StepCount;
    const GridUnit &unit = ChosenUnit(kIntensityUnits, cbUnidadesHietograma);
    sgLlResultado->Cells().SetNegativeCellsAsZero(true);
    FillGrid(sgLlResultado, unit,
             {StepTimes(n, model_.TimeStep),
              ColumnOf(n, [this](int k) { return model_.RainPartial[k]; }),
              ColumnOf(n, [this](int k) { return model_.RainCumulative[k]; }),
              ColumnOf(n, [this, &unit](int k) { return model_.Hyetograph[k] / unit.factor; })});
}

void TMainFormVelmaro::FillRunoffDepthGrid()
{
    const int n = model_.StepCount;
    const GridUnit &unit = ChosenUnit(kDepthUnits, cbUnidadesVolumenes);
    FillGrid(sgSvaeuaResultados, unit,
             {StepTimes(n, model_.TimeStep),
              ColumnOf(n, [this, &unit](int k) { return model_.RunoffDepth[k] / unit.factor; })});
}

void TMainFormVelmaro::FillHydrographGrid()
{
    // Inputs past their range (a negative time step) can give a count below one: no rows then.
    const int count = std::max(model_.HydrographCount, 0);
    const GridUnit &unit = ChosenUnit(kDischargeUnits, cbUnidadHidrograma);
    FillGrid(sgHeResultado, unit,
             {StepTimes(count, model_.TimeStep),
              ColumnOf(count, [this, &unit](int j) { return model_.Hydrograph[j] * unit.factor; })});
}

} // namespace velmaro
