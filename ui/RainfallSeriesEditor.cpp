// The rainfall series editor of the Forcing tab: the series kind, the step count, the height
// of each step, and the whole series at once through the "Rainfall series" table. The radio buttons choose the store in use at every read and write; both stores
// keep every slot for the life of the process.

#include "ui/MainFormVelmaro.h"

#include "controls/Unidades.h"
#include "engine/FieldValues.h"
#include "engine/ModelState.h"
#include "rainfall/RainfallSeriesDialog.h"
#include "ui/StudyActions.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace velmaro {

namespace {

Series &StoreInUse(ModelState &model, const QRadioButton *cumulative)
{
    return cumulative->isChecked() ? model.EnteredCumulative : model.EnteredPartial;
}

int SelectedStep(const QComboBox *steps)
{
    return std::clamp(steps->currentIndex() + 1, 1, kSeriesSlots);
}

} // namespace

bool TMainFormVelmaro::CumulativeSeriesIsValid() const
{
    const int n = std::clamp(model_.StepCount, 1, kSeriesSlots);
    for (int k = 2; k <= n; ++k)
        if (model_.EnteredCumulative[k] < model_.EnteredCumulative[k - 1])
            return false;
    return true;
}

void TMainFormVelmaro::rbAcumuladaClick()
{
    SwitchSeriesKind();
}

void TMainFormVelmaro::rcParcialClick()
{
    SwitchSeriesKind();
}

void TMainFormVelmaro::ShowHeightCaption()
{
    euAll->EditLabel()->SetCaption(rbAcumulada->isChecked() ? QStringLiteral("Cummulative rainfall height")
                                                            : QStringLiteral("Partial rainfall height"));
}

void TMainFormVelmaro::SwitchSeriesKind()
{
    ShowHeightCaption();
    cbSallChange();
    ForzantesShow();
}

void TMainFormVelmaro::cbSallChange()
{
    // The list only ever has a chosen entry here: typed texts that name none are not taken.
    const int chosen = cbSall->currentIndex();
    model_.StepCount = std::clamp(chosen >= 0 ? chosen + 1 : model_.StepCount, 1, kSeriesSlots);
    FillNumberList(cbLluvia, model_.StepCount);
    cbLluviaChange();
    ForzantesShow();
}

void TMainFormVelmaro::cbLluviaChange()
{
    const int k = SelectedStep(cbLluvia);
    euAll->SetBaseValue(StoreInUse(model_, rbAcumulada)[k]);
    ForzantesShow();
}

// Only a height the user typed is stored. The field also changes when it shows a stored height
// (another step, another unit, its text rendered again on leaving): storing what it reads back
// then would round the height to the field's decimals.
void TMainFormVelmaro::euAllChange()
{
    if (!euAll->ChangedByUser())
        return;
    const int k = SelectedStep(cbLluvia);
    StoreInUse(model_, rbAcumulada)[k] = ModelNumber(euAll->GetBaseValue());
    ForzantesShow();
}

// The series table edits a copy of the store in use; only OK brings it back.
void TMainFormVelmaro::btnSeriesClick()
{
    rainfall::RainfallSeries series;
    series.kind = rbAcumulada->isChecked() ? rainfall::SeriesKind::Cumulative : rainfall::SeriesKind::Partial;
    const Series &store = StoreInUse(model_, rbAcumulada);
    for (int k = 1; k <= kSeriesSlots; ++k)
        series.heights[static_cast<std::size_t>(k - 1)] = store[k];
    series.stepCount = model_.StepCount;
    series.storm = Studies->StormStillLaid();
    const rainfall::SeriesDisplay display{euAll->Units(), euAll->CurrentUnit(), model_.TimeStep};
    rainfall::RainfallSeriesDialog dialog(series, display, this);
    if (dialog.exec() == QDialog::Accepted) {
        // An import whose times step otherwise took their step, as the user chose in its preview.
        if (dialog.TimeStep() != model_.TimeStep)
            euPtsd->SetBaseValue(dialog.TimeStep());
        TakeRainfallSeries(dialog.Series());
        Studies->SeriesTaken(dialog.Series().storm);
    }
}

void TMainFormVelmaro::ShowStormMade()
{
    // The study actions come after the first computation; no series was laid by a storm then.
    const std::optional<rainfall::StormRecipe> laid = Studies ? Studies->StormStillLaid() : std::nullopt;
    if (laid && rainfall::MadeForAnotherStep(*laid, model_.TimeStep))
        lblStormMade->setText(QString::fromStdString(rainfall::StormMadeText(*laid, euAll->UnitAsString().toStdString())));
    else
        lblStormMade->clear();
}

// Like picking the count and step 1 by hand, but the chain runs once for the whole series, not
// once for every control the series touches.
void TMainFormVelmaro::TakeRainfallSeries(const rainfall::RainfallSeries &series)
{
    Series &store = StoreInUse(model_, rbAcumulada);
    for (int k = 1; k <= kSeriesSlots; ++k)
        store[k] = series.heights[static_cast<std::size_t>(k - 1)];
    model_.StepCount = std::clamp(series.stepCount, 1, kSeriesSlots);
    cbSall->setCurrentIndex(model_.StepCount - 1);
    FillNumberList(cbLluvia, model_.StepCount);
    euAll->SetBaseValue(store[1]);
    ForzantesShow();
}

void TMainFormVelmaro::ChooseTypedStepCount(const QString &text)
{
    const int entry = cbSall->findText(text.trimmed(), Qt::MatchExactly);
    if (entry < 0)
        return; // reverted to the last chosen count when the user finishes typing
    cbSall->setCurrentIndex(entry);
    cbSallChange();
}

void TMainFormVelmaro::FillNumberList(QComboBox *list, int count)
{
    QStringList entries;
    entries.reserve(count);
    for (int entry = 1; entry <= count; ++entry)
        entries.append(QString::number(entry));
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(0);
}

} // namespace velmaro
