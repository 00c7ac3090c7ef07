#include "ReportTexts.h"

#include "ModelState.h"
#include "NumberText.h"
#include "ReportSources.h"
#include "ReportTemplate.h"
#include "Unidades.h"
#include "Windows1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <array>

namespace velmaro {
namespace {

const QString kPar = QStringLiteral("\\par ");
const QString kTabs = QStringLiteral("\\tab \\tab ");

QString Value(TUnidades *field) { return ValueWithUnitText(*field); }

QString Pattern(double value) { return QString::fromStdString(FormatPattern0_5(value)); }

// "%2.6f": six decimals, "." whatever the locale; the width never matters at six decimals.
QString SixDecimals(double value) { return QString::fromStdString(RenderFixed(value, 6)); }

// Step k ends at k time steps, in hours.
QString StepTime(const ModelState &model, int k) { return Pattern(k * model.TimeStep / 60); }

// A list with no chosen entry (its text typed over) has no entry to read.
QString ChosenEntry(const QComboBox &list)
{
    const int index = list.currentIndex();
    if (index < 0 || index >= list.count())
        throw ReportError("List index out of bounds (" + std::to_string(index) + ")");
    return list.itemText(index);
}

QString GeometryText(const ReportSources &s)
{
    return QStringLiteral("Distance from farthest point to outlet ") + Value(s.euDdpmrhls) + kPar +
           QStringLiteral("Land level difference between the farthest point and the outlet ") +
           Value(s.euDntepmrys) + kPar + QStringLiteral("Watershed area ") + Value(s.euAc);
}

QString ConcentrationTimeText(const ReportSources &s)
{
    return QStringLiteral("Watershed concentration time ") + Value(s.euTccResultado);
}

QString SoilGroupText(const ReportSources &s)
{
    return QStringLiteral("Hydrologic Group ") + ChosenEntry(*s.cbGh);
}

QString AssignmentText(const ReportSources &s)
{
    return QStringLiteral("Assignment of Initial Abstraction: ") +
           (s.cbAai->isChecked() ? QStringLiteral(" Yes") : QStringLiteral(" No"));
}

QString InitialAbstractionText(const ReportSources &s)
{
    return QStringLiteral("Initial Abstraction ") + Value(s.euAi);
}

QString SeriesKindText(const ReportSources &s)
{
    return s.rbAcumulada->isChecked() ? s.rbAcumulada->text() : s.rcParcial->text();
}

QString TimeStepText(const ReportSources &s)
{
    return QStringLiteral("Time step of data series ") + Value(s.euPtsd);
}

QString RainfallResultsText(const ReportSources &s) { return RainfallResultsListing(*s.model); }

QString LandUseText(const ReportSources &s)
{
    for (const QRadioButton *button : {s.rbAu, s.rbTac, s.rbOta, s.rbTpas})
        if (button->isChecked())
            return button->text();
    return {};
}

QString CurveNumberText(const ReportSources &s)
{
    return QStringLiteral("Curve number ") + Value(s.euNc) + QStringLiteral(" ") + kPar;
}

// No blank between "retention" and the value.
QString RetentionText(const ReportSources &s)
{
    return QStringLiteral("Maximum potencial retention") + Value(s.euRpmResultado) + kPar +
           RunoffDepthListing(*s.model);
}

using TextBuilder = QString (*)(const ReportSources &);

// Identifier k is entry k - 1.
constexpr std::array<TextBuilder, 13> kIdentifierTexts = {
    GeometryText,        ConcentrationTimeText, SoilGroupText,  AssignmentText,
    InitialAbstractionText, SeriesKindText,     TimeStepText,   RainfallSeriesListing,
    RainfallResultsText, LandUseText,           CurveNumberText, RetentionText,
    RunoffResultsListing,
};

} // namespace

QString ValueWithUnitText(TUnidades &field)
{
    return Pattern(static_cast<double>(field.AsFloat())) + QStringLiteral(" ") +
           field.UnitAsString();
}

QString RainfallSeriesListing(const ReportSources &s)
{
    const QString count = ChosenEntry(*s.cbSall);
    QString text = QStringLiteral("Series of partial rainfall heights: ") + count + kPar;
    const int rows = ParseIntegerText(count);
    const bool cumulative = s.rbAcumulada->isChecked();
    const QString label = cumulative ? QStringLiteral("        Cummulative rainfall height: ")
                                     : QStringLiteral("        Partial rainfall height: ");
    const Series &heights = cumulative ? s.model->EnteredCumulative : s.model->EnteredPartial;
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
    const ModelState &model = *s.model;
    QString text = QStringLiteral("Total runoff volume ") + Value(s.euVteResultado) + kPar +
                   QStringLiteral("Specific total volume ") + Value(s.euVtespResultado) + kPar +
                   QStringLiteral("Peak discharge ") + Value(s.euCpResultado) + kPar;
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
