// What the main window is made of and how its controls are bound: the frame, the main menu and
// the six tabs, each built with its controls at their design positions and bound to its handlers
// in one function.

#include "ui/MainFormVelmaro.h"

#include "controls/EditLook.h"
#include "controls/MessagePresenter.h"
#include "controls/Unidades.h"
#include "engine/InputRanges.h"
#include "engine/UnitHydrograph.h"
#include "text/FieldText.h"
#include "text/InputUnits.h"
#include "ui/FormLayout.h"
#include "ui/GeometryIllustration.h"
#include "ui/ResultGrid.h"
#include "ui/UnitSystems.h"
#include "ui/WheelGuard.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <span>
#include <string_view>

namespace velmaro {

namespace {

constexpr int kFieldHeight = 21;
constexpr int kListHeight = 21;
constexpr int kStatusHeight = 22;
constexpr int kGridBottomMargin = 6;
constexpr int kNoRightLimit = 1 << 20;

enum class FieldRole { Input, InputWithoutRange, Result };

struct UnitsFieldSetup {
    const char *name;
    int left, top, width;
    const char *label;
    QStringList units;
    FieldRole role;
    long double initial = 0;
    std::string_view input = {}; // the model input whose range an input field holds
};

QString Text(const char *utf8) { return QString::fromUtf8(utf8); }

// The entries of a list given as texts: units, or the captions of a choice.
QStringList UnitList(std::span<const std::string_view> entries)
{
    QStringList list;
    for (const std::string_view entry : entries)
        list.append(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    return list;
}

TUnidades *NewUnitsField(QWidget *parent, const UnitsFieldSetup &setup)
{
    auto *field = new TUnidades(parent);
    field->setObjectName(Text(setup.name));
    field->BeginLoading();
    // An input's list already holds its U.S. entries, which a study may name.
    QStringList units = setup.units;
    for (const QString &entry : UsCustomaryEntries(Text(setup.name)))
        if (!units.contains(entry))
            units.append(entry);
    field->SetUnits(units);
    field->SetBaseUnit(0);
    field->SetAutoRecalculate(true);
    field->SetDecimalPlaces(kUnitsFieldRendering.DecimalPlaces);
    field->SetTrimTrailingZeroes(kUnitsFieldRendering.TrimTrailingZeroes);
    field->SetSciRange(kUnitsFieldRendering.SciRange);
    field->SetSciMin(kUnitsFieldRendering.SciMin);
    field->SetSciMax(kUnitsFieldRendering.SciMax);
    field->SetBaseMin(0);
    if (setup.role == FieldRole::Result) {
        field->setReadOnlyMode(true);
    } else {
        field->SetBlankWhenNull(true);
        field->SetFullAccuracy(true);
    }
    if (setup.role == FieldRole::Input) {
        const InputRange range = RangeOfInput(setup.input).value();
        field->SetBaseMin(range.low);
        field->SetBaseMax(range.high);
        field->SetUseRange(true);
    }
    field->SetDefaultUnit(0);
    if (setup.role != FieldRole::Result)
        field->SetAsFloat(setup.initial);
    field->setGeometry(setup.left, setup.top, setup.width, kFieldHeight);
    field->EditLabel()->SetCaption(Text(setup.label));
    field->EndLoading();
    return field;
}

QGroupBox *NewGroupBox(QWidget *sheet, const char *name, const char *caption)
{
    auto *box = new QGroupBox(Text(caption), sheet);
    box->setObjectName(Text(name));
    return box;
}

QWidget *NewSheet(QTabWidget *pages, const char *name, const char *caption)
{
    auto *sheet = new QWidget;
    sheet->setObjectName(Text(name));
    pages->addTab(sheet, Text(caption));
    return sheet;
}

QComboBox *NewList(QWidget *parent, const char *name, int left, int top, int width,
                   const QStringList &entries, bool editable)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(Text(name));
    list->setEditable(editable);
    if (editable) {
        // Typing names an entry or nothing: no inline completion, no new entries.
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setCompleter(nullptr);
    }
    list->addItems(entries + UsCustomaryEntries(Text(name)));
    list->setGeometry(left, top, width, kListHeight);
    return list;
}

QRadioButton *NewRadio(QWidget *parent, const char *name, const char *caption, int left, int top)
{
    auto *radio = new QRadioButton(Text(caption), parent);
    radio->setObjectName(Text(name));
    radio->adjustSize();
    radio->move(left, top);
    return radio;
}

QLabel *NewColumnLabel(QWidget *parent, const char *name, const char *caption, int left, int top)
{
    QLabel *label = NewLabel(parent, name, Text(caption), left, top, kNoRightLimit);
    QFont underlined = label->font();
    underlined.setUnderline(true);
    label->setFont(underlined);
    label->adjustSize();
    return label;
}

QFrame *NewBevel(QWidget *parent, const char *name, const QRect &place)
{
    auto *bevel = new QFrame(parent);
    bevel->setObjectName(Text(name));
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bevel->setGeometry(place);
    return bevel;
}

// A "..." button framed by its bevel. The bevel is created first so that it lies under the button.
QToolButton *NewTableButton(QWidget *parent, const char *name, int left, int top,
                            const char *bevelName, QFrame *&bevel, int bevelTop)
{
    bevel = NewBevel(parent, bevelName, QRect(left - 2, bevelTop, 19, 21));
    auto *button = new QToolButton(parent);
    button->setObjectName(Text(name));
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Select from Table"));
    button->setGeometry(left, top, 15, 17);
    return button;
}

void RevertToNamedEntry(QComboBox *list)
{
    if (TMainFormVelmaro::NamedEntry(list) < 0 && list->currentIndex() >= 0)
        list->setEditText(list->itemText(list->currentIndex()));
}

} // namespace

std::function<void()> TMainFormVelmaro::Guarded(Handler handler)
{
    return [this, handler] { GuardEntryPoint(this, [this, handler] { (this->*handler)(); }); };
}

// For radio buttons: only the button that became chosen runs its handler.
std::function<void(bool)> TMainFormVelmaro::WhenChosen(Handler handler)
{
    return [this, handler](bool chosen) {
        if (chosen)
            GuardEntryPoint(this, [this, handler] { (this->*handler)(); });
    };
}

void TMainFormVelmaro::OnChange(TUnidades *field, Handler handler)
{
    field->OnChange = [this, handler](TSciCustomEdit *) { (this->*handler)(); };
}

// An editable list: each keystroke may choose the entry its text names; on finishing, a text that
// names none goes back to the chosen entry.
void TMainFormVelmaro::OnTyped(QComboBox *list, TypedHandler handler)
{
    connect(list->lineEdit(), &QLineEdit::textEdited, this, [this, handler](const QString &text) {
        GuardEntryPoint(this, [this, handler, &text] { (this->*handler)(text); });
    });
    connect(list->lineEdit(), &QLineEdit::editingFinished, this, [list] { RevertToNamedEntry(list); });
}

void TMainFormVelmaro::ShowBoundsErrors(std::initializer_list<TUnidades *> inputs)
{
    for (TUnidades *input : inputs)
        input->OnBoundsError = [this](TSciCustomEdit *sender, const QString &, TBoundsValidationType) {
            BoundsError(sender);
        };
}

void TMainFormVelmaro::BuildWindow()
{
    setWindowTitle(QStringLiteral("Velmaro"));
    BuildMenu();

    auto *client = new QWidget(this);
    setCentralWidget(client);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1, 1);
    BuildStatusPanel(client);
    layout->addWidget(Panel1);

    BuildGeometryTab();
    BuildSoilTab();
    BuildForcingTab();
    BuildConditioningTab();
    BuildRunoffTab();
    BuildReportTab();
    BuildUnitsMenu();
    // Every list, the units fields' unit lists included.
    auto *wheelGuard = new WheelGuard(this);
    for (QComboBox *list : findChildren<QComboBox *>())
        wheelGuard->Guard(list);
    // Bound once every tab exists: adding the first tab already changes the current one.
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int tab) { GuardEntryPoint(this, [this, tab] { RunTabShowHandler(tab); }); });

    PlaceByOuterSize();
}

// The design size is the outer size, frame included, and the window is centred by it. The
// window manager's frame is known only once it has framed the window: until then the window is
// placed as if it had none, and placed again when the frame first shows (showEvent, moveEvent).
void TMainFormVelmaro::PlaceByOuterSize()
{
    const QSize outer(799, 557);
    resize(outer - (frameGeometry().size() - size()));
    const QRect screenArea = screen()->availableGeometry();
    move(screenArea.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void TMainFormVelmaro::PlaceInFrameOnce()
{
    if (placedInFrame_ || frameGeometry().size() == size())
        return;
    placedInFrame_ = true;
    PlaceByOuterSize();
}

void TMainFormVelmaro::BuildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto action = [this](const char *name, const char *caption, bool enabled) {
        auto *item = new QAction(Text(caption), this);
        item->setObjectName(Text(name));
        item->setEnabled(enabled);
        return item;
    };
    // Load, Save and Exit have no operation: shown disabled.
    CargarArchivo = action("CargarArchivo", "&Load", false);
    GrabarArchivo = action("GrabarArchivo", "&Save", false);
    Salir = action("Salir", "&Exit", false);
    AcercaDe = action("AcercaDe", "&About...", true);
    ImprimirReporte1 = action("ImprimirReporte1", "&Print Report", true);
    Ayuda2 = action("Ayuda2", "&Notes...", true);

    Archivo1 = MainMenu1->addMenu(QStringLiteral("&File"));
    Archivo1->setObjectName(QStringLiteral("Archivo1"));
    Cargar1 = CargarArchivo;
    Grabar1 = GrabarArchivo;
    Salir1 = Salir;
    Archivo1->addAction(Cargar1);
    Archivo1->addAction(Grabar1);
    N1 = Archivo1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    Archivo1->addAction(ImprimirReporte1);
    N2 = Archivo1->addSeparator();
    N2->setObjectName(QStringLiteral("N2"));
    Archivo1->addAction(Salir1);

    View1 = MainMenu1->addMenu(QStringLiteral("&View"));
    View1->setObjectName(QStringLiteral("View1"));
    Plot1 = action("Plot1", "&Plot...", true);
    View1->addAction(Plot1);

    Ayuda1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    Ayuda1->setObjectName(QStringLiteral("Ayuda1"));
    Acercade1 = AcercaDe;
    Ayuda1->addAction(Ayuda2);
    Ayuda1->addAction(Acercade1);

    connect(ImprimirReporte1, &QAction::triggered, this,
            Guarded(&TMainFormVelmaro::ImprimirReporte1Click));
    connect(AcercaDe, &QAction::triggered, this, Guarded(&TMainFormVelmaro::AcercaDeExecute));
    connect(Ayuda2, &QAction::triggered, this, Guarded(&TMainFormVelmaro::Ayuda2Click));
    connect(Plot1, &QAction::triggered, this, Guarded(&TMainFormVelmaro::Plot1Click));
}

void TMainFormVelmaro::BuildStatusPanel(QWidget *client)
{
    Panel1 = new QLabel(QStringLiteral("OK"), client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedHeight(kStatusHeight);
    Panel1->setAutoFillBackground(true);
    ShowSeriesStatus(QString()); // no series error yet: "OK" on the button face
}

void TMainFormVelmaro::BuildGeometryTab()
{
    Geometria = NewSheet(PageControl1, "Geometria", "Geometry");
    gbDimensiones = NewGroupBox(Geometria, "gbDimensiones", "Dimensiones");
    euDdpmrhls = NewUnitsField(gbDimensiones,
                               {"euDdpmrhls", 382, 17, 121, "Distance from farthest point to outlet",
                                UnitList(kFlowLengthUnits), FieldRole::Input, 21.79L, "FlowLength"});
    euDntepmrys = NewUnitsField(
        gbDimensiones, {"euDntepmrys", 382, 50, 121,
                        "Land level difference between farthest point and outlet",
                        UnitList(kLevelDifferenceUnits), FieldRole::Input, 1020, "LevelDifference"});
    euAc = NewUnitsField(gbDimensiones,
                         {"euAc", 382, 82, 121, "Watershed area", UnitList(kWatershedAreaUnits),
                          FieldRole::Input, 70.26L, "WatershedArea"});

    Image1 = new CentredPicture(Geometria);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->SetPicture(GeometryIllustration());

    gbSedResultado = NewGroupBox(Geometria, "gbSedResultado", "Results");
    euTccResultado = NewUnitsField(gbSedResultado,
                                   {"euTccResultado", 334, 18, 121, "Watershed concentration time",
                                    {"hrs|1|0", "min|60|0", "sec|3600|0"}, FieldRole::Result});

    DockBoxes(Geometria, {{gbDimensiones, Dock::Top, 117},
                          {Image1, Dock::Client, 0},
                          {gbSedResultado, Dock::Bottom, 53}});

    for (TUnidades *input : {euDdpmrhls, euDntepmrys, euAc})
        OnChange(input, &TMainFormVelmaro::GeometriaShow);
    ShowBoundsErrors({euDdpmrhls, euDntepmrys, euAc});
}

void TMainFormVelmaro::BuildSoilTab()
{
    Suelo = NewSheet(PageControl1, "Suelo", "Soil");
    GroupBox2 = NewGroupBox(Suelo, "GroupBox2", "Infiltration");
    cbGh = NewList(GroupBox2, "cbGh", 382, 25, 219,
                   {"A: High infiltration rate", "B: Moderate infiltration rate",
                    "C: Low infiltration rate", "D: Very low infiltration rate"},
                   true);
    cbGh->setCurrentIndex(1);
    Label6 = NewLabel(GroupBox2, "Label6", QStringLiteral("Hydrologic group"), 297, 29, 382);
    bbSTC1 = NewTableButton(GroupBox2, "bbSTC1", 584, 50, "bST", bST, 48);
    // The two buttons stand 20 pixels apart; the lower frame starts one pixel lower so that
    // the two 21-pixel frames do not share a line.
    BitBtn1 = NewTableButton(GroupBox2, "BitBtn1", 584, 70, "Bevel1", Bevel1, 69);
    Label1 = NewLabelEndingAt(GroupBox2, "Label1",
                              QStringLiteral("Characterization of soil hydrologic groups (CPESC 2002)"),
                              582, 50 + 17 / 2);
    Label2 = NewLabelEndingAt(
        GroupBox2, "Label2",
        QStringLiteral("Characterization of soil hydrologic groups for disturbed soils"), 582,
        70 + 17 / 2);

    GroupBox1 = NewGroupBox(Suelo, "GroupBox1", "Abstraction");
    cbAai = new QCheckBox(QStringLiteral("Assignment of initial abstraction"), GroupBox1);
    cbAai->setObjectName(QStringLiteral("cbAai"));
    // The caption stands to the left of the box.
    cbAai->setLayoutDirection(Qt::RightToLeft);
    cbAai->setChecked(true);
    cbAai->adjustSize();
    cbAai->move(289, 28);
    euAi = NewUnitsField(GroupBox1, {"euAi", 379, 56, 121, "Initial abstraction",
                                     UnitList(kInitialAbstractionUnits), FieldRole::InputWithoutRange, 18});
    BitBtn6 = NewTableButton(GroupBox1, "BitBtn6", 586, 86, "Bevel8", Bevel8, 84);
    Label15 = NewLabelEndingAt(GroupBox1, "Label15",
                               QStringLiteral("Typical values for initial abstraction"), 584,
                               86 + 17 / 2);

    DockBoxes(Suelo, {{GroupBox2, Dock::Top, 106}, {GroupBox1, Dock::Top, 118}});

    connect(cbGh, &QComboBox::activated, this, Guarded(&TMainFormVelmaro::SueloShow));
    OnTyped(cbGh, &TMainFormVelmaro::ChooseTypedSoilGroup);
    connect(bbSTC1, &QToolButton::clicked, this, Guarded(&TMainFormVelmaro::bbSTC1Click));
    connect(BitBtn1, &QToolButton::clicked, this, Guarded(&TMainFormVelmaro::BitBtn1Click));
    connect(cbAai, &QCheckBox::toggled, this, Guarded(&TMainFormVelmaro::cbAaiClick));
    OnChange(euAi, &TMainFormVelmaro::SueloShow);
    ShowBoundsErrors({euAi});
    connect(BitBtn6, &QToolButton::clicked, this, Guarded(&TMainFormVelmaro::BitBtn6Click));
}

void TMainFormVelmaro::BuildForcingTab()
{
    Forzantes = NewSheet(PageControl1, "Forzantes", "Forcing");
    GroupBox3 = NewGroupBox(Forzantes, "GroupBox3", "Rainfall");
    rbAcumulada = NewRadio(GroupBox3, "rbAcumulada", "Series of cummulative rainfall heights", 44, 16);
    rcParcial = NewRadio(GroupBox3, "rcParcial", "Series of partial rainfall heights", 320, 16);
    rcParcial->setChecked(true);
    euPtsd = NewUnitsField(
        GroupBox3, {"euPtsd", 367, 52, 121, "Time step of data series",
                    UnitList(kTimeStepUnits), FieldRole::Input, 30, "TimeStep"});
    cbSall = NewList(GroupBox3, "cbSall", 367, 83, 123, {}, true);
    lblCbSall = NewLabelEndingAt(GroupBox3, "lblCbSall", QStringLiteral("Number of data for series"),
                                 367, 83 + kListHeight / 2);

    pHt2 = new BevelPanel(GroupBox3);
    pHt2->setObjectName(QStringLiteral("pHt2"));
    pHt2->setGeometry(221, 118, 337, 57);
    cbLluvia = NewList(pHt2, "cbLluvia", 146, 6, 83, {}, false);
    Label3 = NewLabel(pHt2, "Label3", QStringLiteral("Rainfall step #"), 37, 10, 146);
    euAll = NewUnitsField(pHt2, {"euAll", 146, 30, 81, "Partial rainfall height",
                                 UnitList(kRainfallHeightUnits), FieldRole::Input, 0,
                                  "EnteredPartial"}); // the cumulative heights have the same range
    // The whole series in a table, beside the one-step editor and level with its height field.
    btnSeries = new QPushButton(QStringLiteral("Series..."), GroupBox3);
    btnSeries->setObjectName(QStringLiteral("btnSeries"));
    btnSeries->setToolTip(QStringLiteral("All steps in a table: paste, import, export, design storms"));
    btnSeries->setGeometry(566, 145, 80, 25);
    lblStormMade = new QLabel(GroupBox3);
    lblStormMade->setObjectName(QStringLiteral("lblStormMade"));
    lblStormMade->setWordWrap(true);
    lblStormMade->setGeometry(652, 118, 132, 57);
    lblStormMade->setToolTip(QStringLiteral("The time step changed since this storm was generated: "
                                            "\"Series...\" offers to generate it again at the new step."));

    GroupBox4 = NewGroupBox(Forzantes, "GroupBox4", "Results");
    sgLlResultado = new ResultGrid(GroupBox4, "sgLlResultado", 4, 12);
    sgLlResultado->setGeometry(204, 56, 472, 211);
    sgLlResultado->Cells().SetColumnNames({{"time", "h"}, {"partial rainfall", ""},
                                           {"cumulative rainfall", ""}, {"intensity", ""}});
    Label4 = NewLabel(GroupBox4, "Label4", QStringLiteral("Rainfall as a function of time"), 66, 59,
                      204);
    Label5 = NewColumnLabel(GroupBox4, "Label5", "Partial", 357, 16);
    Label14 = NewColumnLabel(GroupBox4, "Label14", "Cummulative", 465, 16);
    Label7 = NewColumnLabel(GroupBox4, "Label7", "Hyetogram", 577, 16);
    cbUnidadesHietograma =
        NewList(GroupBox4, "cbUnidadesHietograma", 544, 35, 115, {"mm/hr", "cm/hr", "m/hr"}, false);

    DockBoxes(Forzantes, {{GroupBox3, Dock::Top, 189}, {GroupBox4, Dock::Client, 0}});
    AnchorBottom(sgLlResultado, kGridBottomMargin);

    connect(rbAcumulada, &QRadioButton::toggled, this, WhenChosen(&TMainFormVelmaro::rbAcumuladaClick));
    connect(rcParcial, &QRadioButton::toggled, this, WhenChosen(&TMainFormVelmaro::rcParcialClick));
    OnChange(euPtsd, &TMainFormVelmaro::ForzantesShow);
    connect(cbSall, &QComboBox::activated, this, Guarded(&TMainFormVelmaro::cbSallChange));
    OnTyped(cbSall, &TMainFormVelmaro::ChooseTypedStepCount);
    connect(cbLluvia, &QComboBox::activated, this, Guarded(&TMainFormVelmaro::cbLluviaChange));
    OnChange(euAll, &TMainFormVelmaro::euAllChange);
    connect(btnSeries, &QPushButton::clicked, this, Guarded(&TMainFormVelmaro::btnSeriesClick));
    ShowBoundsErrors({euPtsd, euAll});
    connect(cbUnidadesHietograma, &QComboBox::activated, this,
            Guarded(&TMainFormVelmaro::ForzantesShow));
}

void TMainFormVelmaro::BuildConditioningTab()
{
    Condicionantes = NewSheet(PageControl1, "Condicionantes", "Conditioning");
    GroupBox6 = NewGroupBox(Condicionantes, "GroupBox6", "Land use");
    rbAu = NewRadio(GroupBox6, "rbAu", "Urban areas", 20, 26);
    rbTac = NewRadio(GroupBox6, "rbTac", "Cultivated agricultural land", 158, 26);
    rbOta = NewRadio(GroupBox6, "rbOta", "Other agricultural lands", 353, 26);
    rbTpas = NewRadio(GroupBox6, "rbTpas", "Arid and semiarid rangelands", 520, 26);
    rbAu->setChecked(true);

    GroupBox5 = NewGroupBox(Condicionantes, "GroupBox5", "Cover / Treatment");
    euNc = NewUnitsField(GroupBox5, {"euNc", 290, 17, 121, "Curve number", UnitList(kCurveNumberUnits),
                                     FieldRole::Input, 85, "CurveNumber"});
    BitBtn2 = NewTableButton(GroupBox5, "BitBtn2", 497, 45, "Bevel2", Bevel2, 43);
    Label8 = NewLabelEndingAt(GroupBox5, "Label8", QString(), 495, 45 + 17 / 2);

    GroupBox7 = NewGroupBox(Condicionantes, "GroupBox7", "Results");
    euRpmResultado = NewUnitsField(GroupBox7, {"euRpmResultado", 390, 18, 127,
                                               "Maximum potential retention",
                                               {"mm|1|0", "cm|0.1|0"}, FieldRole::Result});
    cbUnidadesVolumenes =
        NewList(GroupBox7, "cbUnidadesVolumenes", 504, 51, 116, {"mm", "cm", "m"}, false);
    sgSvaeuaResultados = new ResultGrid(GroupBox7, "sgSvaeuaResultados", 2, 5);
    sgSvaeuaResultados->setGeometry(390, 72, 230, 251);
    sgSvaeuaResultados->Cells().SetColumnNames({{"time", "h"}, {"cumulative runoff depth", ""}});
    Label12 = NewLabel(GroupBox7, "Label12",
                       QStringLiteral("Series of cummulative runoff volume per unit area"), 68, 75,
                       390);

    DockBoxes(Condicionantes, {{GroupBox6, Dock::Top, 58},
                               {GroupBox5, Dock::Top, 75},
                               {GroupBox7, Dock::Client, 0}});
    AnchorBottom(sgSvaeuaResultados, kGridBottomMargin);

    for (QRadioButton *landUse : {rbAu, rbTac, rbOta, rbTpas})
        connect(landUse, &QRadioButton::toggled, this,
                WhenChosen(&TMainFormVelmaro::CondicionantesShow));
    OnChange(euNc, &TMainFormVelmaro::CondicionantesShow);
    ShowBoundsErrors({euNc});
    connect(BitBtn2, &QToolButton::clicked, this, Guarded(&TMainFormVelmaro::BitBtn2Click));
    connect(cbUnidadesVolumenes, &QComboBox::activated, this,
            Guarded(&TMainFormVelmaro::CondicionantesShow));
}

void TMainFormVelmaro::BuildRunoffTab()
{
    Escorrentia = NewSheet(PageControl1, "Escorrentia", "Runoff");
    GroupBox8 = NewGroupBox(Escorrentia, "GroupBox8", "Results");
    euVteResultado = NewUnitsField(
        GroupBox8, {"euVteResultado", 346, 18, 127, "Total runoff volume",
                    {Text("m³|1|0"), Text("hm³|0.000001|0"), "l|1000|0"}, FieldRole::Result});
    euVtespResultado = NewUnitsField(GroupBox8, {"euVtespResultado", 346, 46, 127,
                                                 "Specific total volume",
                                                 {"mm|1|0", "cm|0.1|0", "m|0.001|0"},
                                                 FieldRole::Result});
    euCpResultado = NewUnitsField(GroupBox8, {"euCpResultado", 346, 74, 127, "Peak discharge",
                                              {Text("m³/s|1|0"), "l/s|1000|0"}, FieldRole::Result});
    cbUnidadHidrograma = NewList(GroupBox8, "cbUnidadHidrograma", 460, 109, 116,
                                 {Text("m³/s"), "l/s"}, false);
    sgHeResultado = new ResultGrid(GroupBox8, "sgHeResultado", 2, 5);
    sgHeResultado->setGeometry(346, 130, 230, 327);
    sgHeResultado->Cells().SetColumnNames({{"time", "h"}, {"discharge", ""}});
    Label13 = NewLabel(GroupBox8, "Label13", QStringLiteral("Runoff hydrogram"), 218, 133, 346);

    lblUnitHydrograph = NewLabel(GroupBox8, "lblUnitHydrograph", QStringLiteral("Unit hydrograph"), 12, 18,
                                 kNoRightLimit);
    cbUnitHydrograph = NewList(GroupBox8, "cbUnitHydrograph", 12, 34, 175, UnitList(kUnitHydrographCaptions), false);
    euTpResultado = NewUnitsField(GroupBox8, {"euTpResultado", 80, 74, 60, "Time to peak",
                                              {"hrs|1|0", "min|60|0"}, FieldRole::Result});
    lblVolumeCheck = NewLabel(GroupBox8, "lblVolumeCheck", QStringLiteral("Volume check"), 12, 160, 346);
    edVolumeCheck = new QLineEdit(GroupBox8);
    edVolumeCheck->setObjectName(QStringLiteral("edVolumeCheck"));
    edVolumeCheck->setReadOnly(true);
    edVolumeCheck->setFocusPolicy(Qt::ClickFocus); // a result: the Tab key passes it by
    QPalette resultColours = edVolumeCheck->palette();
    resultColours.setColor(QPalette::Base, kReadOnlyBackground);
    edVolumeCheck->setPalette(resultColours);
    edVolumeCheck->setGeometry(12, 176, 326, kFieldHeight);

    DockBoxes(Escorrentia, {{GroupBox8, Dock::Client, 0}});
    AnchorBottom(sgHeResultado, kGridBottomMargin);

    connect(cbUnidadHidrograma, &QComboBox::activated, this,
            Guarded(&TMainFormVelmaro::EscorrentiaShow));
    connect(cbUnitHydrograph, &QComboBox::activated, this, Guarded(&TMainFormVelmaro::EscorrentiaShow));
    connect(euVtespResultado->UnitBox(), &QComboBox::currentIndexChanged, this,
            Guarded(&TMainFormVelmaro::ShowVolumeCheck));
}

void TMainFormVelmaro::BuildReportTab()
{
    TabSheet1 = NewSheet(PageControl1, "TabSheet1", "Report");
    auto *layout = new QVBoxLayout(TabSheet1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel2 = new QFrame(TabSheet1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setFixedHeight(41);
    Button8 = new QPushButton(QStringLiteral("Print"), Panel2);
    Button8->setObjectName(QStringLiteral("Button8"));
    Button8->setGeometry(8, 8, 75, 25);
    SaveReportButton = new QPushButton(QStringLiteral("Save as..."), Panel2);
    SaveReportButton->setObjectName(QStringLiteral("SaveReportButton"));
    SaveReportButton->setGeometry(91, 8, 75, 25);
    layout->addWidget(Panel2);

    RichEdit1 = new QTextEdit(TabSheet1);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    layout->addWidget(RichEdit1, 1);

    connect(Button8, &QPushButton::clicked, this, Guarded(&TMainFormVelmaro::Button8Click));
    connect(SaveReportButton, &QPushButton::clicked, this,
            Guarded(&TMainFormVelmaro::SaveReportButtonClick));
}

} // namespace velmaro
