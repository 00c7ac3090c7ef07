// View > Units: one system for every field and grid list at once. Units change as picking them
// by hand does, but no stage runs: the inputs keep their base values, so the model stays as it is
// and the results are shown again from it in their new units.

#include "ui/MainFormVelmaro.h"

#include "controls/MessagePresenter.h"
#include "controls/Unidades.h"
#include "engine/ModelState.h"
#include "plot/PlotWindow.h"
#include "ui/UnitSystems.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>

#include <array>
#include <utility>
#include <vector>

namespace velmaro {

namespace {

struct ShownResult {
    TUnidades *TMainFormVelmaro::*field;
    double ModelState::*value;
    Stage stage;
};

constexpr std::array<ShownResult, 5> kShownResults{{
    {&TMainFormVelmaro::euTccResultado, &ModelState::ConcentrationTime, Stage::ConcentrationTime},
    {&TMainFormVelmaro::euRpmResultado, &ModelState::PotentialRetention, Stage::RunoffDepth},
    {&TMainFormVelmaro::euVteResultado, &ModelState::TotalVolume, Stage::Hydrograph},
    {&TMainFormVelmaro::euVtespResultado, &ModelState::SpecificVolume, Stage::Hydrograph},
    {&TMainFormVelmaro::euCpResultado, &ModelState::PeakDischarge, Stage::Hydrograph},
}};

// Runs a change of the field without its change handler: the switch keeps every base value,
// so there is nothing to recompute.
template <class Change>
void Quietly(TUnidades *field, Change change)
{
    auto handler = std::exchange(field->OnChange, nullptr);
    try {
        change();
    } catch (...) {
        field->OnChange = std::move(handler);
        throw;
    }
    field->OnChange = std::move(handler);
}

} // namespace

void TMainFormVelmaro::BuildUnitsMenu()
{
    Units1 = View1->addMenu(QStringLiteral("&Units"));
    Units1->setObjectName(QStringLiteral("Units1"));
    auto *systems = new QActionGroup(this);
    // Neither is checked while the fields show units of both.
    systems->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const auto item = [this, systems](const char *name, const char *caption, UnitSystem system) {
        auto *action = new QAction(QString::fromUtf8(caption), systems);
        action->setObjectName(QString::fromUtf8(name));
        action->setCheckable(true);
        Units1->addAction(action);
        connect(action, &QAction::triggered, this, [this, system] {
            GuardEntryPoint(this, [this, system] { ApplyUnitSystem(system); });
        });
        return action;
    };
    Metric1 = item("Metric1", "&Metric", UnitSystem::Metric);
    UsCustomary1 = item("UsCustomary1", "&U.S. customary", UnitSystem::UsCustomary);

    for (TUnidades *field : findChildren<TUnidades *>())
        connect(field->UnitBox(), &QComboBox::currentIndexChanged, this, [this] { ShowUnitSystem(); });
    for (QComboBox *list : findChildren<QComboBox *>())
        if (SystemEntry(list->objectName(), list->count(), UnitSystem::Metric))
            connect(list, &QComboBox::currentIndexChanged, this, [this] { ShowUnitSystem(); });
    ShowUnitSystem();
}

std::vector<UnitChoice> TMainFormVelmaro::UnitChoices() const
{
    std::vector<UnitChoice> choices;
    for (TUnidades *field : findChildren<TUnidades *>())
        choices.push_back({field->objectName(), static_cast<int>(field->Units().size()),
                           field->CurrentUnit()});
    for (QComboBox *list : findChildren<QComboBox *>())
        choices.push_back({list->objectName(), list->count(), list->currentIndex()});
    return choices;
}

void TMainFormVelmaro::ShowUnitSystem()
{
    const std::optional<UnitSystem> shown = CommonSystem(UnitChoices());
    Metric1->setChecked(shown == UnitSystem::Metric);
    UsCustomary1->setChecked(shown == UnitSystem::UsCustomary);
}

void TMainFormVelmaro::ApplyUnitSystem(UnitSystem system)
{
    for (TUnidades *field : findChildren<TUnidades *>()) {
        const std::optional<int> entry =
            SystemEntry(field->objectName(), static_cast<int>(field->Units().size()), system);
        if (entry && *entry != field->CurrentUnit())
            SwitchFieldUnit(field, *entry);
    }
    for (QComboBox *list : findChildren<QComboBox *>())
        if (const std::optional<int> entry = SystemEntry(list->objectName(), list->count(), system))
            list->setCurrentIndex(*entry);
    ShowResultsInNewUnits();
    if (plotWindow_)
        FollowInPlot();
    ShowUnitSystem();
}

// As picking the unit by hand does, without the change handler: the field keeps the value it
// holds. A field not shown yet is set up first, so that its first showing keeps the unit.
void TMainFormVelmaro::SwitchFieldUnit(TUnidades *field, int unit)
{
    field->CreateNativeOnce();
    Quietly(field, [&] { field->ChangeUnit(unit); });
}

// A current stage shows its results from the model, as its run did, rather than re-expressed
// from their rounded text; a stale one keeps what it showed.
void TMainFormVelmaro::ShowResultsInNewUnits()
{
    const auto current = [this](Stage stage) { return !staleness_.Reason(stage).has_value(); };
    for (const ShownResult &result : kShownResults) {
        TUnidades *field = this->*result.field;
        if (current(result.stage) && !field->text().isEmpty())
            field->SetBaseValue(model_.*result.value);
    }
    if (current(Stage::Rainfall))
        FillRainfallGrid();
    if (current(Stage::RunoffDepth))
        FillRunoffDepthGrid();
    if (current(Stage::Hydrograph))
        FillHydrographGrid();
}

} // namespace velmaro
