#include "DefaultWindow.h"

#include "Chain.h"
#include "Unidades.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <optional>

namespace velmaro {
namespace {

constexpr long double kNoUpperLimit = 1.1E4900L;

struct FieldSetup {
    TUnidades *ReportSources::*field;
    QStringList units;
    std::optional<long double> initial; // inputs only
    long double baseMax = kNoUpperLimit;
    bool useRange = true;
};

const FieldSetup kFields[] = {
    {&ReportSources::euDdpmrhls, {"km|1|0", "m|1000|0"}, 21.79L},
    {&ReportSources::euDntepmrys, {"m|1|0", "cm|100|0"}, 1020},
    {&ReportSources::euAc, {"km²|1|0", "ha|100|0", "m²|1000000|0"}, 70.26L},
    {&ReportSources::euTccResultado, {"hrs|1|0", "min|60|0", "sec|3600|0"}, {}},
    {&ReportSources::euAi, {"mm|1|0", "cm|0.1|0"}, 18, 0, false},
    {&ReportSources::euPtsd, {"min|1|0", "sec|60|0", "hrs|0.016666666666666666666666666666667|0"}, 30},
    {&ReportSources::euNc, {"-|1|0"}, 85, 100},
    {&ReportSources::euRpmResultado, {"mm|1|0", "cm|0.1|0"}, {}},
    {&ReportSources::euVteResultado, {"m³|1|0", "hm³|0.000001|0", "l|1000|0"}, {}},
    {&ReportSources::euVtespResultado, {"mm|1|0", "cm|0.1|0", "m|0.001|0"}, {}},
    {&ReportSources::euCpResultado, {"m³/s|1|0", "l/s|1000|0"}, {}},
};

TUnidades *CreateField(QWidget *parent, const FieldSetup &setup)
{
    auto *field = new TUnidades(parent);
    field->SetUnits(setup.units);
    field->SetSciRange(true);
    field->SetSciMin(0.0001L);
    field->SetSciMax(10000);
    field->SetDecimalPlaces(3);
    field->SetTrimTrailingZeroes(true);
    field->SetAutoRecalculate(true);
    field->SetBaseUnit(0);
    field->SetDefaultUnit(0);
    if (setup.initial) {
        field->SetBlankWhenNull(true);
        field->SetFullAccuracy(true);
        field->SetBaseMax(setup.baseMax);
        field->SetUseRange(setup.useRange);
        field->SetAsFloat(*setup.initial);
    } else {
        field->setReadOnlyMode(true);
    }
    return field;
}

QRadioButton *CreateRadio(QWidget *group, const char *caption, bool checked)
{
    auto *button = new QRadioButton(QString::fromUtf8(caption), group);
    button->setChecked(checked);
    return button;
}

} // namespace

DefaultWindow::DefaultWindow() : window_(std::make_unique<QWidget>())
{
    model.SetDefaults();
    CreateFields();
    CreateChoices();
    Recompute();
}

void DefaultWindow::CreateFields()
{
    for (const FieldSetup &setup : kFields)
        sources.*setup.field = CreateField(window_.get(), setup);
}

void DefaultWindow::CreateChoices()
{
    sources.cbGh = new QComboBox(window_.get());
    sources.cbGh->setEditable(true);
    sources.cbGh->addItems({"A: High infiltration rate", "B: Moderate infiltration rate",
                            "C: Low infiltration rate", "D: Very low infiltration rate"});
    sources.cbGh->setCurrentIndex(1);
    sources.cbSall = new QComboBox(window_.get());
    sources.cbSall->setEditable(true);
    for (int n = 1; n <= kSeriesSlots; ++n)
        sources.cbSall->addItem(QString::number(n));
    sources.cbSall->setCurrentIndex(model.StepCount - 1);
    sources.cbAai = new QCheckBox("Assignment of initial abstraction", window_.get());
    sources.cbAai->setChecked(true);

    auto *rainfall = new QWidget(window_.get());
    sources.rbAcumulada = CreateRadio(rainfall, "Series of cummulative rainfall heights", false);
    sources.rcParcial = CreateRadio(rainfall, "Series of partial rainfall heights", true);
    auto *landUse = new QWidget(window_.get());
    sources.rbAu = CreateRadio(landUse, "Urban areas", true);
    sources.rbTac = CreateRadio(landUse, "Cultivated agricultural land", false);
    sources.rbOta = CreateRadio(landUse, "Other agricultural lands", false);
    sources.rbTpas = CreateRadio(landUse, "Arid and semiarid rangelands", false);
    sources.model = &model;
}

void DefaultWindow::Recompute()
{
    const ReportSources &s = sources;
    model.FlowLength = static_cast<double>(s.euDdpmrhls->GetBaseValue());
    model.LevelDifference = static_cast<double>(s.euDntepmrys->GetBaseValue());
    model.WatershedArea = static_cast<double>(s.euAc->GetBaseValue());
    model.AssignInitialAbstraction = s.cbAai->isChecked();
    model.InitialAbstraction = static_cast<double>(s.euAi->GetBaseValue());
    model.PartialSeries = s.rcParcial->isChecked();
    model.StepCount = s.cbSall->currentIndex() + 1;
    model.TimeStep = static_cast<double>(s.euPtsd->GetBaseValue());
    model.CurveNumber = static_cast<int>(s.euNc->AsFloat());
    RunGuardedChain(model);
    s.euTccResultado->SetBaseValue(model.ConcentrationTime);
    s.euRpmResultado->SetBaseValue(model.PotentialRetention);
    s.euVteResultado->SetBaseValue(model.TotalVolume);
    s.euVtespResultado->SetBaseValue(model.SpecificVolume);
    s.euCpResultado->SetBaseValue(model.PeakDischarge);
}

} // namespace velmaro
