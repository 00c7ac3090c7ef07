#include "ui/WindowReportSources.h"

#include "controls/Unidades.h"
#include "ui/MainFormVelmaro.h"
#include "ui/StudyActions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <array>

namespace velmaro {
namespace {

// The field each report value is read from, in the order of ReportField.
constexpr std::array<TUnidades *TMainFormVelmaro::*, 12> kFields{
    &TMainFormVelmaro::euDdpmrhls,     &TMainFormVelmaro::euDntepmrys,
    &TMainFormVelmaro::euAc,           &TMainFormVelmaro::euTccResultado,
    &TMainFormVelmaro::euAi,           &TMainFormVelmaro::euPtsd,
    &TMainFormVelmaro::euNc,           &TMainFormVelmaro::euRpmResultado,
    &TMainFormVelmaro::euVteResultado, &TMainFormVelmaro::euVtespResultado,
    &TMainFormVelmaro::euCpResultado,  &TMainFormVelmaro::euTpResultado,
};
static_assert(static_cast<std::size_t>(ReportField::TimeToPeak) + 1 == kFields.size());

// The entry the list shows as chosen, whatever the user may have typed over it since.
ListEntry CurrentEntry(const QComboBox *list)
{
    const int index = list->currentIndex();
    return {index, index >= 0 ? list->itemText(index) : QString()};
}

// The study's property of each StudyProperty, in its order.
constexpr std::array<std::string study::Properties::*, 5> kProperties{
    &study::Properties::project, &study::Properties::location, &study::Properties::author,
    &study::Properties::date, &study::Properties::notes};
static_assert(static_cast<std::size_t>(StudyProperty::Notes) + 1 == kProperties.size());

TUnidades *FieldOf(const TMainFormVelmaro &window, ReportField field)
{
    return window.*kFields[static_cast<std::size_t>(field)];
}

} // namespace

ShownValue WindowReportSources::Field(ReportField field) const
{
    TUnidades *shown = FieldOf(window_, field);
    return {static_cast<double>(shown->AsFloat()), shown->UnitAsString()};
}

ShownValue WindowReportSources::InFieldUnit(ReportField field, double baseValue) const
{
    const TUnidades *shown = FieldOf(window_, field);
    return {static_cast<double>(shown->InCurrentUnit(baseValue)), shown->UnitAsString()};
}

ListEntry WindowReportSources::SoilGroup() const { return CurrentEntry(window_.cbGh); }

ListEntry WindowReportSources::StepCount() const { return CurrentEntry(window_.cbSall); }

QString WindowReportSources::LandUseCaption() const
{
    for (const QRadioButton *button : {window_.rbAu, window_.rbTac, window_.rbOta, window_.rbTpas})
        if (button->isChecked())
            return button->text();
    return {};
}

QString WindowReportSources::SeriesKindCaption() const
{
    return window_.rbAcumulada->isChecked() ? window_.rbAcumulada->text() : window_.rcParcial->text();
}

QString WindowReportSources::VolumeCheck() const { return window_.edVolumeCheck->text(); }

ListEntry WindowReportSources::UnitHydrograph() const { return CurrentEntry(window_.cbUnitHydrograph); }

const ModelState &WindowReportSources::Model() const { return window_.Model(); }

std::optional<QString> WindowReportSources::StaleReason(Stage stage) const
{
    const std::optional<std::string> &reason = window_.Staleness().Reason(stage);
    if (!reason)
        return std::nullopt;
    return QString::fromStdString(*reason);
}

QString WindowReportSources::Property(StudyProperty property) const
{
    return QString::fromStdString(window_.Studies->Properties().*kProperties[static_cast<std::size_t>(property)]);
}

} // namespace velmaro
