// The four "..." buttons: each opens one reference table in the selection dialog and, on OK,
// takes the picked row or value into the window, which recomputes at once for a value.

#include "ui/MainFormVelmaro.h"

#include "controls/Unidades.h"
#include "engine/ModelState.h"
#include "tables/Seleccion.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>

namespace velmaro {

namespace {

constexpr QSize kSoilGroupTableSize{632, 0}; // height as the dialog sets it
constexpr QSize kAbstractionTableSize{645, 0};
constexpr QSize kCurveNumberTableSize{740, 455};

// Curve number tables by land use: urban, cultivated, other agricultural, arid rangelands.
const char *const kCurveNumberTables[] = {"EC1", "EC2", "EC3", "EC4"};

// The soil tables list the hydrologic groups A to D in the order of the group list: the picked
// row is the entry to choose.
auto SoilGroupPick(QComboBox *groups)
{
    return [groups](TSeleccionForm &form) -> QWidget * {
        groups->setCurrentIndex(form.CurrentRowPosition());
        return groups;
    };
}

} // namespace

// The dialog lives for this one pick and is released on every path, also when the table
// cannot be loaded (the error then goes on to the button's entry point). takePick takes the
// value on OK and names the control to focus, which gets it once the dialog is gone.
template <class TakePick>
void TMainFormVelmaro::PickFromTable(const QString &caption, const QString &tableId,
                                     QSize outerSize, TakePick takePick)
{
    QWidget *focus = nullptr;
    {
        TSeleccionForm form(this);
        form.setWindowTitle(caption);
        form.LoadTable(tableId);
        if (outerSize.height() > 0)
            form.SetOuterSize(outerSize.width(), outerSize.height());
        else
            form.SetOuterWidth(outerSize.width());
        if (form.exec() == TSeleccionForm::ModalResultOk)
            focus = takePick(form);
    }
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void TMainFormVelmaro::bbSTC1Click()
{
    PickFromTable(QStringLiteral("Characterization of soil hydrologic groups (CPESC 2002)"),
                  QStringLiteral("ES1"), kSoilGroupTableSize, SoilGroupPick(cbGh));
}

void TMainFormVelmaro::BitBtn1Click()
{
    PickFromTable(QStringLiteral("Characterization of soil hydrologic groups for disturbed soils"),
                  QStringLiteral("ES2"), kSoilGroupTableSize, SoilGroupPick(cbGh));
}

void TMainFormVelmaro::BitBtn6Click()
{
    PickFromTable(QStringLiteral("Initial abstraction [mm]"), QStringLiteral("ES3"),
                  kAbstractionTableSize, [this](TSeleccionForm &form) -> QWidget * {
                      euAi->SetBaseValue(form.CurrentCellValue());
                      return euAi;
                  });
}

void TMainFormVelmaro::BitBtn2Click()
{
    const int landUse = std::clamp<int>(model_.LandUse, 0, 3);
    PickFromTable(Label8->text(), QString::fromLatin1(kCurveNumberTables[landUse]),
                  kCurveNumberTableSize, [this](TSeleccionForm &form) -> QWidget * {
                      euNc->SetBaseValue(form.CurrentCellValue());
                      return euNc;
                  });
}

} // namespace velmaro
