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

    // Menu. Qt's menu items are the actions themselves, so each item and the action it is bound
    // to are one object.
    QMenuBar *MainMenu1;
    QMenu *Archivo1, *View1, *Ayuda1;
    QAction *CargarArchivo, *GrabarArchivo, *Salir, *AcercaDe;
    QAction *Cargar1, *Grabar1, *N1, *ImprimirReporte1, *N2, *Salir1, *Ayuda2, *Acercade1;
    QAction *Plot1;

    QTabWidget *PageControl1;
    QWidget *Geometria, *Suelo, *Forzantes, *Condicionantes, *Escorrentia, *TabSheet1;

    // Status panel: the state of the entered cumulative series.
    QLabel *Panel1;
    bool SeriesError = false; // the entered cumulative series decreases somewhere
    void ShowSeriesStatus(const QString &message);

    // Geometry
    void GeometriaShow();
    QGroupBox *gbDimensiones, *gbSedResultado;
    CentredPicture *Image1;
    TUnidades *euDdpmrhls, *euDntepmrys, *euAc, *euTccResultado;

    // Soil
    void SueloShow();
    void cbAaiClick();
    // The initial abstraction's field, label and table button show while the user assigns it.
    void ShowAbstractionControls();
    void bbSTC1Click();
    void BitBtn1Click();
    void BitBtn6Click();
    QGroupBox *GroupBox2, *GroupBox1;
    QLabel *Label6, *Label1, *Label2, *Label15;
    QComboBox *cbGh;
    QToolButton *bbSTC1, *BitBtn1, *BitBtn6;
    QFrame *bST, *Bevel1, *Bevel8;
    QCheckBox *cbAai;
    TUnidades *euAi;

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
    bool CumulativeSeriesIsValid() const;
    QGroupBox *GroupBox3, *GroupBox4;
    QRadioButton *rbAcumulada, *rcParcial;
    TUnidades *euPtsd, *euAll;
    QLabel *lblCbSall, *Label3, *Label4, *Label5, *Label14, *Label7;
    QComboBox *cbSall, *cbLluvia, *cbUnidadesHietograma;
    QFrame *pHt2;
    QPushButton *btnSeries;
    ResultGrid *sgLlResultado;

    // Conditioning
    void CondicionantesShow();
    void BitBtn2Click();
    QGroupBox *GroupBox6, *GroupBox5, *GroupBox7;
    QRadioButton *rbAu, *rbTac, *rbOta, *rbTpas;
    TUnidades *euNc, *euRpmResultado;
    QLabel *Label8, *Label12;
    QToolButton *BitBtn2;
    QFrame *Bevel2;
    QComboBox *cbUnidadesVolumenes;
    ResultGrid *sgSvaeuaResultados;

    // Runoff
    void EscorrentiaShow();
    QGroupBox *GroupBox8;
    TUnidades *euVteResultado, *euVtespResultado, *euCpResultado;
    QComboBox *cbUnidadHidrograma;
    QLabel *Label13;
    ResultGrid *sgHeResultado;

    // The study: its file, the title naming it, the File menu's study items (StudyActions.cpp).
    StudyActions *Studies = nullptr;

    // Report
    void TabSheet1Show();
    void ImprimirReporte1Click();
    void Button8Click();
    void SaveReportButtonClick();
    QFrame *Panel2;
    QPushButton *Button8;
    QPushButton *SaveReportButton;
    QTextEdit *RichEdit1;
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

    // Bindings: every handler runs as an entry point, so its failure is shown, never lost.
    std::function<void()> Guarded(Handler handler);
    std::function<void(bool)> WhenChosen(Handler handler);
    void OnChange(TUnidades *field, Handler handler);
    void OnTyped(QComboBox *list, TypedHandler handler);
    void ShowBoundsErrors(std::initializer_list<TUnidades *> inputs);

    // Field values are extended; beyond the double range the model gets an infinity.
    static double ToModel(long double value);
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
};

} // namespace velmaro
