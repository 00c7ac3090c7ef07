#pragma once

// The program's one window: six tabs worked through from left to right, each recomputing the
// stages before it whenever it is shown or one of its inputs changes.

#include "engine/Chain.h"

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <array>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QToolButton;

namespace velmaro {

namespace rainfall {
struct RainfallSeries;
}

struct ModelState;
struct PlotUnits;
class CentredPicture;
class PlotWindow;
class ResultGrid;
class StudyActions;
class TSciCustomEdit;
class TUnidades;
struct UnitChoice;
enum class UnitSystem;

class TMainFormVelmaro : public QMainWindow {
    Q_OBJECT

public:
    // The window works on `model` for its whole life; the program keeps exactly one.
    explicit TMainFormVelmaro(ModelState &model, QWidget *parent = nullptr);
    ~TMainFormVelmaro() override;

    ModelState &Model() const { return model_; }
    // Which stages' results the last recomputation left stale, and why.
    const StageStaleness &Staleness() const { return staleness_; }

    // Handlers are named after their control or tab and event. Each tab's show handler runs the
    // stage of the tab before it first (RecomputationChain.cpp).

    // The window as a whole
    void FormCreate();
    void FormShow();
    void BoundsError(TSciCustomEdit *Sender);
    void AcercaDeExecute();
    void Ayuda2Click();
    void Plot1Click();
    // The plot window while it is open; closing it deletes it.
    PlotWindow *PlotShown() const;
    static void FillNumberList(QComboBox *list, int count);
    // The entry the list's text names, or -1 while the user's typed text names none.
    static int NamedEntry(const QComboBox *list);

    // The controls keep the names the program has always given them; each line below says what
    // the control is. Menu: Qt's menu items are the actions themselves, so each item and the
    // action it is bound to are one object.
    QMenuBar *MainMenu1;       // the window's menu bar
    QMenu *Archivo1;           // File menu
    QMenu *View1;              // View menu
    QMenu *Ayuda1;             // Help menu
    QAction *CargarArchivo;    // "Load" action: no operation, so shown disabled
    QAction *GrabarArchivo;    // "Save" action: no operation, so shown disabled
    QAction *Salir;            // "Exit" action: no operation, so disabled; the close box ends the program
    QAction *AcercaDe;         // "About..." action: the About dialog
    QAction *Cargar1;          // File > Load item, the same object as CargarArchivo
    QAction *Grabar1;          // File > Save item, the same object as GrabarArchivo
    QAction *N1;               // File menu separator after Save
    QAction *ImprimirReporte1; // File > Print Report item: the report to the default printer
    QAction *N2;               // File menu separator before Exit
    QAction *Salir1;           // File > Exit item, the same object as Salir
    QAction *Ayuda2;           // Help > Notes... item: opens the help notes
    QAction *Acercade1;        // Help > About... item, the same object as AcercaDe
    QAction *Plot1;            // View > Plot... item: opens the plot window
    QMenu *Units1;             // View > Units submenu: one system for every field and grid
    QAction *Metric1;          // View > Units > Metric item
    QAction *UsCustomary1;     // View > Units > U.S. customary item
    // Every field and grid list to its first unit of `system`, the model untouched (UnitSwitch.cpp).
    void ApplyUnitSystem(UnitSystem system);

    QTabWidget *PageControl1;  // the six tabs, worked through from left to right
    QWidget *Geometria;        // Geometry tab
    QWidget *Suelo;            // Soil tab
    QWidget *Forzantes;        // Forcing tab
    QWidget *Condicionantes;   // Conditioning tab
    QWidget *Escorrentia;      // Runoff tab
    QWidget *TabSheet1;        // Report tab

    // Status panel: the state of the entered cumulative series.
    QLabel *Panel1;            // status panel at the window's foot
    bool SeriesError = false; // the entered cumulative series decreases somewhere
    void ShowSeriesStatus(const QString &message);

    // Geometry
    void GeometriaShow();
    QGroupBox *gbDimensiones;  // "Dimensiones" box: the watershed's measures
    QGroupBox *gbSedResultado; // "Results" box of the Geometry tab
    CentredPicture *Image1;    // the watershed illustration between the two boxes
    TUnidades *euDdpmrhls;     // flow length field: distance from the farthest point to the outlet
    TUnidades *euDntepmrys;    // level difference field: between the farthest point and the outlet
    TUnidades *euAc;           // watershed area field
    TUnidades *euTccResultado; // watershed concentration time result field

    // Soil
    void SueloShow();
    void cbAaiClick();
    // The initial abstraction's field, label and table button show while the user assigns it.
    void ShowAbstractionControls();
    void bbSTC1Click();
    void BitBtn1Click();
    void BitBtn6Click();
    QGroupBox *GroupBox2;      // "Infiltration" box: the hydrologic soil group
    QGroupBox *GroupBox1;      // "Abstraction" box: the initial abstraction
    QLabel *Label6;            // "Hydrologic group", caption of the soil group list
    QLabel *Label1;            // caption of bbSTC1: the soil group table (CPESC 2002)
    QLabel *Label2;            // caption of BitBtn1: the soil group table for disturbed soils
    QLabel *Label15;           // caption of BitBtn6: the table of typical initial abstractions
    QComboBox *cbGh;           // hydrologic soil group list, A to D
    QToolButton *bbSTC1;       // "..." button: the soil group picked from the CPESC 2002 table
    QToolButton *BitBtn1;      // "..." button: the soil group picked from the disturbed soils table
    QToolButton *BitBtn6;      // "..." button: the initial abstraction picked from its table
    QFrame *bST;               // bevel framing bbSTC1
    QFrame *Bevel1;            // bevel framing BitBtn1
    QFrame *Bevel8;            // bevel framing BitBtn6
    QCheckBox *cbAai;          // check box: initial abstraction given by the user, else 0.2 x retention
    TUnidades *euAi;           // initial abstraction field, shown while cbAai is checked

    // Forcing, with the rainfall series editor (RainfallSeriesEditor.cpp)
    void ForzantesShow();
    void rbAcumuladaClick();
    void rcParcialClick();
    // The height field's label names the kind of series chosen.
    void ShowHeightCaption();
    void cbSallChange();
    void cbLluviaChange();
    void euAllChange();
    void btnSeriesClick();
    // The storm line: shown while the series in use is a design storm made for another time step.
    void ShowStormMade();
    bool CumulativeSeriesIsValid() const;
    QGroupBox *GroupBox3;      // "Rainfall" box: the entered series
    QGroupBox *GroupBox4;      // "Results" box of the Forcing tab: the rainfall grid
    QRadioButton *rbAcumulada; // cumulative series button: heights entered as running totals
    QRadioButton *rcParcial;   // partial series button: heights entered step by step
    TUnidades *euPtsd;         // time step field: the length of one step of the series
    TUnidades *euAll;          // rainfall height field of the step chosen in cbLluvia
    QLabel *lblCbSall;         // "Number of data for series", caption of cbSall
    QLabel *Label3;            // "Rainfall step #", caption of cbLluvia
    QLabel *Label4;            // "Rainfall as a function of time", caption of the rainfall grid
    QLabel *Label5;            // "Partial", heading above the grid's partial height column
    QLabel *Label14;           // "Cummulative", heading above the grid's cumulative height column
    QLabel *Label7;            // "Hyetogram", heading above the grid's intensity column
    QComboBox *cbSall;         // number of steps list, 1 to 100
    QComboBox *cbLluvia;       // step list: which step euAll shows
    QComboBox *cbUnidadesHietograma; // unit list of the hyetogram column
    QFrame *pHt2;              // bevelled panel holding the step list and the height field
    QPushButton *btnSeries;    // "Series..." button: every step in the "Rainfall series" dialog
    QLabel *lblStormMade;      // storm line beside btnSeries: the storm and the time step it was made for
    ResultGrid *sgLlResultado; // rainfall grid: time, partial and cumulative height, hyetogram

    // Conditioning
    void CondicionantesShow();
    void BitBtn2Click();
    QGroupBox *GroupBox6;      // "Land use" box
    QGroupBox *GroupBox5;      // "Cover / Treatment" box: the curve number
    QGroupBox *GroupBox7;      // "Results" box of the Conditioning tab
    QRadioButton *rbAu;        // "Urban areas" land use button
    QRadioButton *rbTac;       // "Cultivated agricultural land" land use button
    QRadioButton *rbOta;       // "Other agricultural lands" land use button
    QRadioButton *rbTpas;      // "Arid and semiarid rangelands" land use button
    TUnidades *euNc;           // curve number field, 0 to 100
    TUnidades *euRpmResultado; // maximum potential retention result field
    QLabel *Label8;            // caption of BitBtn2, naming the curve number table of the chosen land use
    QLabel *Label12;           // caption left of the runoff depth grid
    QToolButton *BitBtn2;      // "..." button: the curve number picked from the land use's table
    QFrame *Bevel2;            // bevel framing BitBtn2
    QComboBox *cbUnidadesVolumenes; // unit list of the runoff depth column
    ResultGrid *sgSvaeuaResultados; // runoff depth grid: time, cumulative runoff depth

    // Runoff
    void EscorrentiaShow();
    QGroupBox *GroupBox8;      // "Results" box of the Runoff tab
    TUnidades *euVteResultado; // total runoff volume result field
    TUnidades *euVtespResultado; // specific total volume result field: the volume over the area
    TUnidades *euCpResultado;  // peak discharge result field
    QComboBox *cbUnidadHidrograma; // unit list of the discharge column
    QLabel *Label13;           // "Runoff hydrogram", caption of the hydrograph grid
    ResultGrid *sgHeResultado; // hydrograph grid: time, discharge
    // In the space the tab leaves free: the unit hydrograph chosen, the time to peak beside the
    // peak discharge and the volume check left of the grid.
    QLabel *lblUnitHydrograph;   // "Unit hydrograph", caption of the unit hydrograph list
    QComboBox *cbUnitHydrograph; // unit hydrograph list: triangular, volume kept, NRCS curvilinear
    TUnidades *euTpResultado;    // time to peak result field
    QLabel *lblVolumeCheck;      // caption of the volume check line
    QLineEdit *edVolumeCheck;    // volume check line: hydrograph volume against the runoff depth
    // Writes the last volume check in the unit the specific volume field shows.
    void ShowVolumeCheck();

    // The study: its file, the title naming it, the File menu's study items (StudyActions.cpp).
    StudyActions *Studies = nullptr;

    // Report
    void TabSheet1Show();
    void ImprimirReporte1Click();
    void Button8Click();
    void SaveReportButtonClick();
    QFrame *Panel2;            // panel above the report holding its buttons
    QPushButton *Button8;      // "Print" button: the report through the print dialog
    QPushButton *SaveReportButton; // "Save as..." button: the report as PDF or RTF
    QTextEdit *RichEdit1;      // read-only view of the filled report
    // The report template beside the executable, resolved once by FormCreate.
    QString ReportTemplatePath;

protected:
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    using Handler = void (TMainFormVelmaro::*)();
    using TypedHandler = void (TMainFormVelmaro::*)(const QString &);
    class Recomputation;

    // Each tab is built and its controls bound in one function (MainWindowLayout.cpp).
    void BuildWindow();
    void BuildMenu();
    void BuildStatusPanel(QWidget *client);
    void BuildGeometryTab();
    void BuildSoilTab();
    void BuildForcingTab();
    void BuildConditioningTab();
    void BuildRunoffTab();
    void BuildReportTab();
    void PlaceByOuterSize();
    void PlaceInFrameOnce();
    void BuildUnitsMenu();
    std::vector<UnitChoice> UnitChoices() const;
    void ShowUnitSystem();
    void ShowResultsInNewUnits();
    void SwitchFieldUnit(TUnidades *field, int unit);

    // Bindings: every handler runs as an entry point, so its failure is shown, never lost.
    std::function<void()> Guarded(Handler handler);
    std::function<void(bool)> WhenChosen(Handler handler);
    void OnChange(TUnidades *field, Handler handler);
    void OnTyped(QComboBox *list, TypedHandler handler);
    void ShowBoundsErrors(std::initializer_list<TUnidades *> inputs);

    void RunTabShowHandler(int tab);
    void SwitchSeriesKind();
    void TakeRainfallSeries(const rainfall::RainfallSeries &series);
    void ChooseTypedStepCount(const QString &text);
    void ChooseTypedSoilGroup(const QString &text);
    void ListStageResults();
    void RecordRun(Stage stage, std::optional<std::string> failure);
    void FillRainfallGrid();
    void FillRunoffDepthGrid();
    void FillHydrographGrid();
    // The plot follows the window's model in the units chosen above the grids.
    PlotUnits ChosenPlotUnits() const;
    void FollowInPlot();
    template <class TakePick>
    void PickFromTable(const QString &caption, const QString &tableId, QSize outerSize,
                       TakePick takePick);

    ModelState &model_;
    StageStaleness staleness_;
    // The fields and grids showing each stage's results, in the order of Stage.
    std::array<std::vector<QWidget *>, kStageCount> stageResults_;
    bool shown_ = false;
    QPointer<PlotWindow> plotWindow_;
    // Stage handlers running, nested; the plot follows when the outermost one ends.
    int recomputing_ = 0;
    bool placedInFrame_ = false;
    // The last hydrograph's volume check as computed, in mm, so that a change of unit rewrites
    // the numbers the computation used.
    struct VolumeCheckValues {
        double specificVolume = 0, runoffDepth = 0, continuityError = 0;
    };
    std::optional<VolumeCheckValues> volumeCheck_;
};

} // namespace velmaro
