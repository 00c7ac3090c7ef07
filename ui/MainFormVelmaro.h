#pragma once

// The program's one window: six tabs worked through from left to right, each recomputing the
// stages before it whenever it is shown or one of its inputs changes.

#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>

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

struct ModelState;
struct PlotUnits;
struct ReportSources;
class CentredPicture;
class PlotWindow;
class ResultGrid;
class TSciCustomEdit;
class TUnidades;

class TMainFormVelmaro : public QMainWindow {
    Q_OBJECT

public:
    // The window works on `model` for its whole life; the program keeps exactly one.
    explicit TMainFormVelmaro(ModelState &model, QWidget *parent = nullptr);
    ~TMainFormVelmaro() override;

    ModelState &Model() const { return model_; }

    // The entered cumulative series decreases somewhere; drives the status panel.
    bool SeriesError = false;

    // Handlers, named after their control or tab and event.
    void FormCreate();
    void FormShow();
    void GeometriaShow();
    void SueloShow();
    void ForzantesShow();
    void CondicionantesShow();
    void EscorrentiaShow();
    void cbAaiClick();
    void BoundsError(TSciCustomEdit *Sender);
    void rbAcumuladaClick();
    void rcParcialClick();
    void cbSallChange();
    void cbLluviaChange();
    void euAllChange();
    void AcercaDeExecute();
    void Ayuda2Click();
    void bbSTC1Click();
    void BitBtn1Click();
    void BitBtn6Click();
    void BitBtn2Click();
    void TabSheet1Show();
    void ImprimirReporte1Click();
    void Button8Click();
    void Plot1Click();

    // The plot window while it is open; it closes on its own and is then gone.
    PlotWindow *PlotShown() const;

    // The report template beside the executable, resolved once by FormCreate.
    QString ReportTemplatePath;

    // Helpers of the window.
    static void FillNumberList(QComboBox *list, int count);
    void ShowSeriesStatus(const QString &message);
    bool CumulativeSeriesIsValid() const;

    // Menu. Qt's menu items are the actions themselves, so each item and the action it is bound
    // to are one object.
    QMenuBar *MainMenu1;
    QMenu *Archivo1, *View1, *Ayuda1;
    QAction *CargarArchivo, *GrabarArchivo, *Salir, *AcercaDe;
    QAction *Cargar1, *Grabar1, *N1, *ImprimirReporte1, *N2, *Salir1, *Ayuda2, *Acercade1;
    QAction *Plot1;

    QTabWidget *PageControl1;
    QWidget *Geometria, *Suelo, *Forzantes, *Condicionantes, *Escorrentia, *TabSheet1;
    QLabel *Panel1;

    // Geometry
    QGroupBox *gbDimensiones, *gbSedResultado;
    CentredPicture *Image1;
    TUnidades *euDdpmrhls, *euDntepmrys, *euAc, *euTccResultado;

    // Soil
    QGroupBox *GroupBox2, *GroupBox1;
    QLabel *Label6, *Label1, *Label2, *Label15;
    QComboBox *cbGh;
    QToolButton *bbSTC1, *BitBtn1, *BitBtn6;
    QFrame *bST, *Bevel1, *Bevel8;
    QCheckBox *cbAai;
    TUnidades *euAi;

    // Forcing
    QGroupBox *GroupBox3, *GroupBox4;
    QRadioButton *rbAcumulada, *rcParcial;
    TUnidades *euPtsd, *euAll;
    QLabel *lblCbSall, *Label3, *Label4, *Label5, *Label14, *Label7;
    QComboBox *cbSall, *cbLluvia, *cbUnidadesHietograma;
    QFrame *pHt2;
    ResultGrid *sgLlResultado;

    // Conditioning
    QGroupBox *GroupBox6, *GroupBox5, *GroupBox7;
    QRadioButton *rbAu, *rbTac, *rbOta, *rbTpas;
    TUnidades *euNc, *euRpmResultado;
    QLabel *Label8, *Label12;
    QToolButton *BitBtn2;
    QFrame *Bevel2;
    QComboBox *cbUnidadesVolumenes;
    ResultGrid *sgSvaeuaResultados;

    // Runoff
    QGroupBox *GroupBox8;
    TUnidades *euVteResultado, *euVtespResultado, *euCpResultado;
    QComboBox *cbUnidadHidrograma;
    QLabel *Label13;
    ResultGrid *sgHeResultado;

    // Report
    QFrame *Panel2;
    QPushButton *Button8;
    QTextEdit *RichEdit1;

protected:
    void showEvent(QShowEvent *event) override;

private:
    class Recomputation;

    void BuildWindow();
    void BuildMenu();
    void BuildGeometryTab();
    void BuildSoilTab();
    void BuildForcingTab();
    void BuildConditioningTab();
    void BuildRunoffTab();
    void BuildReportTab();
    void BuildStatusPanel(QWidget *client);
    void ConnectHandlers();
    void RunTabShowHandler(int tab);
    void SwitchSeriesKind(const QString &heightCaption);
    void ChooseTypedStepCount(const QString &text);
    void ChooseTypedSoilGroup(const QString &text);
    void FillRainfallGrid();
    void FillRunoffDepthGrid();
    void FillHydrographGrid();
    ReportSources ReportControls() const;
    PlotUnits ChosenPlotUnits() const;
    void FollowInPlot();
    template <class TakePick>
    void PickFromTable(const QString &caption, const QString &tableId, QSize outerSize,
                       TakePick takePick);

    ModelState &model_;
    bool shown_ = false;
    QPointer<PlotWindow> plotWindow_;
    // Stage handlers running, nested; the plot follows when the outermost one ends.
    int recomputing_ = 0;
};

} // namespace velmaro
