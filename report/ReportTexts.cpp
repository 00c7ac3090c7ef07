#include "report/ReportTexts.h"

#include "engine/ModelState.h"
#include "report/PropertyTexts.h"
#include "report/ReportSources.h"
#include "report/ReportTemplate.h"
#include "report/Windows1252.h"
#include "text/FieldText.h"
#include "text/MachineText.h"

#include <array>
#include <optional>

namespace velmaro {
namespace {

const QString kPar = QStringLiteral("\\par ");
const QString kTabs = QStringLiteral("\\tab \\tab ");

QString Pattern(double value) { return QString::fromStdString(ListingText(value)); }

// The value with "0.#####", a blank, then the field's unit: "21.79 km".
QString WithUnit(const ShownValue &shown)
{
    return Pattern(shown.value) + QStringLiteral(" ") + shown.unit;
}

QString Value(const ReportSources &s, ReportField field) { return WithUnit(s.Field(field)); }

// In place of a stale value or listing: that it was not computed, and why.
QString NotComputed(const QString &reason)
{
    return QStringLiteral("not computed (") + reason + QStringLiteral(")");
}

// A result field's value, or why it was not computed when its stage's results are stale.
QString ResultValue(const ReportSources &s, ReportField field, Stage stage)
{
    if (const std::optional<QString> reason = s.StaleReason(stage))
        return NotComputed(*reason);
    return Value(s, field);
}

// "%2.6f": six decimals, "." whatever the locale; the width never matters at six decimals.
QString SixDecimals(double value) { return QString::fromStdString(RenderFixed(value, 6)); }

// Step k ends at k time steps, in hours.
QString StepTime(const ModelState &model, int k) { return Pattern(k * model.TimeStep / 60); }

// A list without a current entry has no text to quote.
QString EntryText(const ListEntry &entry)
{
    if (entry.index < 0)
        throw ReportError("List index out of bounds (" + std::to_string(entry.index) + ")");
    return entry.text;
}

QString GeometryText(const ReportSources &s)
{
    return QStringLiteral("Distance from farthest point to outlet ") + Value(s, ReportField::FlowLength) + kPar +
           QStringLiteral("Land level difference between the farthest point and the outlet ") +
           Value(s, ReportField::LevelDifference) + kPar + QStringLiteral("Watershed area ") + Value(s, ReportField::WatershedArea);
}

QString ConcentrationTimeText(const ReportSources &s)
{
    return QStringLiteral("Watershed concentration time ") +
           ResultValue(s, ReportField::ConcentrationTime, Stage::ConcentrationTime);
}

QString SoilGroupText(const ReportSources &s)
{
    return QStringLiteral("Hydrologic Group ") + EntryText(s.SoilGroup());
}

QString AssignmentText(const ReportSources &s)
{
    return QStringLiteral("Assignment of Initial Abstraction: ") +
           (s.Model().AssignInitialAbstraction ? QStringLiteral(" Yes") : QStringLiteral(" No"));
}

// The value the runoff depths used: the one entered, or else the one taken from the retention,
// which is not computed while the retention's stage is stale.
QString InitialAbstractionText(const ReportSources &s)
{
    const QString caption = QStringLiteral("Initial Abstraction ");
    const ModelState &model = s.Model();
    if (model.AssignInitialAbstraction)
        return caption + Value(s, ReportField::InitialAbstraction);
    if (const std::optional<QString> reason = s.StaleReason(Stage::RunoffDepth))
        return caption + NotComputed(*reason);
    return caption + WithUnit(s.InFieldUnit(ReportField::InitialAbstraction, model.InitialAbstraction));
}

QString SeriesKindText(const ReportSources &s)
{
    return s.SeriesKindCaption();
}

QString TimeStepText(const ReportSources &s)
{
    return QStringLiteral("Time step of data series ") + Value(s, ReportField::TimeStep);
}

QString RainfallResultsText(const ReportSources &s)
{
    if (const std::optional<QString> reason = s.StaleReason(Stage::Rainfall))
        return QStringLiteral("Rainfall results ") + NotComputed(*reason);
    return RainfallResultsListing(s.Model());
}

QString LandUseText(const ReportSources &s)
{
    return s.LandUseCaption();
}

QString CurveNumberText(const ReportSources &s)
{
    return QStringLiteral("Curve number ") + Value(s, ReportField::CurveNumber) + QStringLiteral(" ") + kPar;
}

// No blank between "retention" and the value.
QString RetentionText(const ReportSources &s)
{
    const QString retention = QStringLiteral("Maximum potencial retention");
    if (const std::optional<QString> reason = s.StaleReason(Stage::RunoffDepth))
        return retention + QStringLiteral(" ") + NotComputed(*reason) + kPar +
               QStringLiteral("Runoff depths ") + NotComputed(*reason);
    return retention + Value(s, ReportField::PotentialRetention) + kPar + RunoffDepthListing(s.Model());
}

QString TimeToPeakText(const ReportSources &s)
{
    return QStringLiteral("Time to peak ") + ResultValue(s, ReportField::TimeToPeak, Stage::Hydrograph);
}

QString VolumeCheckLineText(const ReportSources &s)
{
    const QString check = QStringLiteral("Volume check");
    if (const std::optional<QString> reason = s.StaleReason(Stage::Hydrograph))
        return check + QStringLiteral(" ") + NotComputed(*reason);
    return check + QStringLiteral(": ") + s.VolumeCheck();
}

QString UnitHydrographText(const ReportSources &s)
{
    return QStringLiteral("Unit hydrograph ") + EntryText(s.UnitHydrograph());
}

template <StudyProperty P>
QString PropertyMarker(const ReportSources &s)
{
    return PropertyText(s.Property(P));
}

using TextBuilder = QString (*)(const ReportSources &);

// Identifier k is entry k - 1; 14 to 16 follow the described thirteen, 17 to 21 tell about the
// study.
constexpr std::array<TextBuilder, 21> kIdentifierTexts = {
    GeometryText,        ConcentrationTimeText, SoilGroupText,  AssignmentText,
    InitialAbstractionText, SeriesKindText,     TimeStepText,   RainfallSeriesListing,
    RainfallResultsText, LandUseText,           CurveNumberText, RetentionText,
    RunoffResultsListing, TimeToPeakText,       VolumeCheckLineText, UnitHydrographText,
    PropertyMarker<StudyProperty::Project>, PropertyMarker<StudyProperty::Location>,
    PropertyMarker<StudyProperty::Author>,  PropertyMarker<StudyProperty::Date>,
    PropertyMarker<StudyProperty::Notes>,
};

} // namespace

QString RainfallSeriesListing(const ReportSources &s)
{
    const QString count = EntryText(s.StepCount());
    QString text = QStringLiteral("Series of partial rainfall heights: ") + count + kPar;
    const int rows = ParseIntegerText(count);
    const ModelState &model = s.Model();
    const bool cumulative = !model.PartialSeries;
    const QString label = cumulative ? QStringLiteral("        Cummulative rainfall height: ")
                                     : QStringLiteral("        Partial rainfall height: ");
    const Series &heights = cumulative ? model.EnteredCumulative : model.EnteredPartial;
    for (int k = 1; k <= rows; ++k)
        text += QStringLiteral("Rainfall step #: ") + QString::number(k) + label +
                SixDecimals(heights[k]) + kPar;
    return text;
}

QString RainfallResultsListing(const ModelState &model)
{
    QString text;
    for (int k = 1; k <= model.StepCount; ++k)
        text += QStringLiteral("Time: ") + StepTime(model, k) + kTabs +
                QStringLiteral("Parcial: ") + Pattern(model.RainPartial[k]) + kTabs +
                QStringLiteral("Acum.: ") + Pattern(model.RainCumulative[k]) + kTabs +
                QStringLiteral("Hietograma: ") + Pattern(model.Hyetograph[k]) + kPar;
    return text + QStringLiteral("Note: times in hours, heights in mm, Hyetogram in mm/hr.");
}

QString RunoffDepthListing(const ModelState &model)
{
    QString text;
    for (int k = 1; k <= model.StepCount; ++k)
        text += QStringLiteral("Time : ") + StepTime(model, k) + kTabs +
                QStringLiteral("Vol/Area: ") + Pattern(model.RunoffDepth[k]) + kPar;
    return text + QStringLiteral("Note: time in hours, volumes per unit area in mm.");
}

QString RunoffResultsListing(const ReportSources &s)
{
    const ModelState &model = s.Model();
    QString text = QStringLiteral("Total runoff volume ") +
                   ResultValue(s, ReportField::TotalVolume, Stage::Hydrograph) + kPar +
                   QStringLiteral("Specific total volume ") +
                   ResultValue(s, ReportField::SpecificVolume, Stage::Hydrograph) + kPar +
                   QStringLiteral("Peak discharge ") +
                   ResultValue(s, ReportField::PeakDischarge, Stage::Hydrograph) + kPar;
    if (const std::optional<QString> reason = s.StaleReason(Stage::Hydrograph))
        return text + QStringLiteral("Hydrograph ") + NotComputed(*reason);
    for (int k = 1; k <= model.HydrographCount; ++k)
        text += QStringLiteral("Time : ") + StepTime(model, k) + kTabs +
                QStringLiteral("Valor: ") + Pattern(model.Hydrograph[k]) + kPar;
    return text + QStringLiteral("Note: time in hours, Hydrogram in m³/s.");
}

QByteArray ReportIdentifierText(QByteArrayView identifier, const ReportSources &sources)
{
    const int number = ReportIdentifierNumber(identifier);
    if (number < 1 || number > static_cast<int>(kIdentifierTexts.size()))
        return QByteArray(" ");
    return ToWindows1252(kIdentifierTexts[static_cast<std::size_t>(number - 1)](sources));
}

QByteArray FillReport(const QString &templatePath, const ReportSources &sources)
{
    return FillReportTemplate(templatePath, [&sources](const QByteArray &identifier) {
        return ReportIdentifierText(identifier, sources);
    });
}

} // namespace velmaro
