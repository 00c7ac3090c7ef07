// The rainfall series editor of the Forcing tab: the series kind, the step count, and the height
// of each step. The radio buttons choose the store in use at every read and write; both stores
// keep every slot for the life of the process.

#include "MainFormVelmaro.h"

#include "ModelState.h"
#include "Unidades.h"

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
    SwitchSeriesKind(QStringLiteral("Cummulative rainfall height"));
}

void TMainFormVelmaro::rcParcialClick()
{
    SwitchSeriesKind(QStringLiteral("Partial rainfall height"));
}

void TMainFormVelmaro::SwitchSeriesKind(const QString &heightCaption)
{
    euAll->EditLabel()->SetCaption(heightCaption);
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

void TMainFormVelmaro::euAllChange()
{
    const int k = SelectedStep(cbLluvia);
    StoreInUse(model_, rbAcumulada)[k] = ToModel(euAll->GetBaseValue());
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
