#pragma once

// The controls of the main window and the model state that the report identifiers read. The
// window fills this once; the report only reads through it.

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace velmaro {

class TUnidades;
struct ModelState;

struct ReportSources {
    TUnidades *euDdpmrhls = nullptr;
    TUnidades *euDntepmrys = nullptr;
    TUnidades *euAc = nullptr;
    TUnidades *euTccResultado = nullptr;
    TUnidades *euAi = nullptr;
    TUnidades *euPtsd = nullptr;
    TUnidades *euNc = nullptr;
    TUnidades *euRpmResultado = nullptr;
    TUnidades *euVteResultado = nullptr;
    TUnidades *euVtespResultado = nullptr;
    TUnidades *euCpResultado = nullptr;
    QComboBox *cbGh = nullptr;
    QComboBox *cbSall = nullptr;
    QCheckBox *cbAai = nullptr;
    QRadioButton *rbAcumulada = nullptr;
    QRadioButton *rcParcial = nullptr;
    QRadioButton *rbAu = nullptr;
    QRadioButton *rbTac = nullptr;
    QRadioButton *rbOta = nullptr;
    QRadioButton *rbTpas = nullptr;
    const ModelState *model = nullptr;
};

} // namespace velmaro
