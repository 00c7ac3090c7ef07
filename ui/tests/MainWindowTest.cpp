#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "ui/ResultGrid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

namespace velmaro {
namespace {

double Number(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    EXPECT_TRUE(ok) << text.toStdString();
    return value;
}

void ExpectColumnNear(const QStringList &cells, const std::vector<double> &expected, double tolerance)
{
    ASSERT_EQ(cells.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t k = 0; k < expected.size(); ++k)
        EXPECT_NEAR(Number(cells[static_cast<qsizetype>(k)]), expected[k], tolerance) << "row " << k + 1;
}

TEST_F(WindowTest, StartsOnGeometryWithTheDefaultWatershed)
{
    EXPECT_EQ(window->windowTitle(), "Velmaro");
    EXPECT_EQ(window->PageControl1->currentWidget(), window->Geometria);
    const QStringList captions{"Geometry", "Soil", "Forcing", "Conditioning", "Runoff", "Report"};
    ASSERT_EQ(window->PageControl1->count(), captions.size());
    for (int tab = 0; tab < captions.size(); ++tab)
        EXPECT_EQ(window->PageControl1->tabText(tab), captions[tab]);

    EXPECT_EQ(window->euDdpmrhls->text(), "21.79");
    EXPECT_EQ(window->euDdpmrhls->UnitAsString(), "km");
    EXPECT_EQ(window->euDntepmrys->text(), "1020");
    EXPECT_EQ(window->euDntepmrys->UnitAsString(), "m");
    EXPECT_EQ(window->euAc->text(), "70.26");
    EXPECT_EQ(window->euAc->UnitAsString(), QString::fromUtf8("km²"));
    EXPECT_EQ(window->euTccResultado->text(), "2.333");
    EXPECT_EQ(window->euTccResultado->UnitAsString(), "hrs");

    EXPECT_EQ(window->Panel1->text(), "OK");
    EXPECT_EQ(window->Panel1->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(window->Panel1->height(), 22);
}

TEST_F(WindowTest, ConfiguresTheUnitsFields)
{
    struct Expected {
        TUnidades *field;
        const char *label;
        QStringList units;
        bool readOnly;
        long double baseMax;
    };
    const long double unbounded = 1.1E4900L;
    const Expected fields[] = {
        {window->euDdpmrhls, "Distance from farthest point to outlet", {"km", "m", "ft", "mi"}, false,
         unbounded},
        {window->euPtsd, "Time step of data series", {"min", "sec", "hrs"}, false, unbounded},
        {window->euNc, "Curve number", {"-"}, false, 100},
        {window->euAll, "Partial rainfall height", {"mm", "cm", "m", "in"}, false, unbounded},
        {window->euVteResultado, "Total runoff volume",
         {QString::fromUtf8("m³"), QString::fromUtf8("hm³"), "l", QString::fromUtf8("ft³"),
          QString::fromUtf8("ac·ft")},
         true, 0},
        {window->euCpResultado, "Peak discharge",
         {QString::fromUtf8("m³/s"), "l/s", QString::fromUtf8("ft³/s")}, true, 0},
    };
    for (const auto &expected : fields) {
        SCOPED_TRACE(expected.field->objectName().toStdString());
        EXPECT_EQ(expected.field->EditLabel()->text(), QString::fromUtf8(expected.label));
        QStringList names;
        for (int entry = 0; entry < expected.field->UnitBox()->count(); ++entry)
            names.append(expected.field->UnitBox()->itemText(entry));
        EXPECT_EQ(names, expected.units);
        EXPECT_EQ(expected.field->ReadOnly(), expected.readOnly);
        EXPECT_EQ(expected.field->BaseMax(), expected.baseMax);
        EXPECT_EQ(expected.field->height(), 21);
        EXPECT_EQ(expected.field->focusPolicy() == Qt::ClickFocus, expected.readOnly);
    }
    EXPECT_EQ(window->euAll->width(), 81);
    EXPECT_EQ(window->euRpmResultado->width(), 127);
    EXPECT_EQ(window->euDdpmrhls->geometry(), QRect(382, 17, 121, 21));
}

TEST_F(WindowTest, MenuShowsOnlyItsWorkingCommandsEnabled)
{
    EXPECT_FALSE(window->Cargar1->isEnabled());
    EXPECT_FALSE(window->Grabar1->isEnabled());
    EXPECT_FALSE(window->Salir1->isEnabled());
    EXPECT_TRUE(window->ImprimirReporte1->isEnabled());
    EXPECT_TRUE(window->Ayuda2->isEnabled());
    EXPECT_TRUE(window->Acercade1->isEnabled());
    EXPECT_EQ(window->Archivo1->title(), "&File");
    EXPECT_EQ(window->Ayuda1->title(), "&Help");
    // The described items come first, as described; the study's items follow them.
    const QStringList fileItems{"&Load", "&Save", "", "&Print Report", "", "&Exit"};
    const QList<QAction *> described = window->Archivo1->actions().mid(0, fileItems.size());
    QStringList shown;
    for (QAction *item : described)
        shown.append(item->text());
    EXPECT_EQ(shown, fileItems);
    for (QAction *item : described + window->Ayuda1->actions())
        EXPECT_TRUE(item->shortcut().isEmpty());
}

TEST_F(WindowTest, OnlyTheSoilGroupAndStepCountListsAcceptTyping)
{
    EXPECT_TRUE(window->cbGh->isEditable());
    EXPECT_TRUE(window->cbSall->isEditable());
    for (QComboBox *pickOnly : {window->cbLluvia, window->cbUnidadesHietograma,
                                window->cbUnidadesVolumenes, window->cbUnidadHidrograma})
        EXPECT_FALSE(pickOnly->isEditable()) << pickOnly->objectName().toStdString();
}

TEST_F(WindowTest, IntensityUnitsDivideTheHyetogramAndHeadItsColumn)
{
    ShowTab(window->Forzantes);
    EXPECT_EQ(window->sgLlResultado->Cell(3, 0), "[mm/hr]");
    EXPECT_EQ(Column(window->sgLlResultado, 3),
              QStringList({"18.8", "45.2", "146.8", "26.4", "14.6", "12"}));
    Pick(window->cbUnidadesHietograma, 1);
    EXPECT_EQ(window->sgLlResultado->Cell(3, 0), "[cm/hr]");
    EXPECT_EQ(Column(window->sgLlResultado, 3),
              QStringList({"1.88", "4.52", "14.68", "2.64", "1.46", "1.2"}));
    Pick(window->cbUnidadesHietograma, 2);
    EXPECT_EQ(window->sgLlResultado->Cell(3, 0), "[m/hr]");
    EXPECT_EQ(Column(window->sgLlResultado, 3),
              QStringList({"0.0188", "0.0452", "0.1468", "0.0264", "0.0146", "0.012"}));
    EXPECT_EQ(Column(window->sgLlResultado, 0), QStringList({"0.5", "1", "1.5", "2", "2.5", "3"}));
    EXPECT_EQ(window->sgLlResultado->Cell(0, 0), "[Hours]");
}

TEST_F(WindowTest, CurveNumberIsTruncated)
{
    ShowTab(window->Condicionantes);
    Type(window->euNc, "85.9");
    EXPECT_EQ(model.CurveNumber, 85);
    EXPECT_EQ(window->euRpmResultado->text(), "44.824");
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(WindowTest, CurveNumberZeroKeepsTheRetentionAndTheGrid)
{
    ShowTab(window->Condicionantes);
    Type(window->euNc, "90");
    const QString retention = window->euRpmResultado->text();
    const QStringList depths = Column(window->sgSvaeuaResultados, 1);
    Type(window->euNc, "0");
    EXPECT_EQ(model.CurveNumber, 0);
    EXPECT_EQ(window->euRpmResultado->text(), retention);
    EXPECT_EQ(Column(window->sgSvaeuaResultados, 1), depths);
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(WindowTest, CurveNumberAboveRangeIsReportedOnLeavingAndStillUsed)
{
    ShowWindow();
    ShowTab(window->Condicionantes);
    window->euNc->setFocus();
    Type(window->euNc, "101");
    EXPECT_TRUE(presenter.messages.empty()) << "nothing is reported while typing";
    QTest::keyClick(window->euNc, Qt::Key_Tab);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, "Error");
    EXPECT_EQ(presenter.messages[0].text, "The input value is outside the allowed range (0 - 1E2)");
    EXPECT_EQ(QApplication::focusWidget(), window->euNc);
    EXPECT_EQ(model.CurveNumber, 101);
    EXPECT_EQ(window->euRpmResultado->text(), "-2.515");
}

TEST_F(WindowTest, UnboundedInputNamesItsHugeUpperLimitInTheBaseUnit)
{
    ShowWindow();
    Pick(window->euAc->UnitBox(), 1);
    window->euAc->setFocus();
    Type(window->euAc, "-1");
    QTest::keyClick(window->euAc, Qt::Key_Tab);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text,
              "The input value is outside the allowed range (0 - 1.1E4900)");
    EXPECT_EQ(QApplication::focusWidget(), window->euAc);
}

TEST_F(WindowTest, ZeroTimeStepKeepsTheResultsWhileTheStatusStillFollows)
{
    ShowTab(window->Escorrentia);
    const QStringList hydrograph = Column(window->sgHeResultado, 1);
    ShowTab(window->Forzantes);
    const QStringList rainfall = Column(window->sgLlResultado, 1);
    Type(window->euPtsd, "0");
    EXPECT_EQ(model.TimeStep, 0);
    EXPECT_EQ(Column(window->sgLlResultado, 1), rainfall);

    model.EnteredCumulative[1] = 10;
    model.EnteredCumulative[2] = 8;
    window->rbAcumulada->click();
    EXPECT_TRUE(window->SeriesError);
    EXPECT_EQ(window->Panel1->text(), "The sequence of cummulative rainfall is incorrectly loaded");
    EXPECT_EQ(Column(window->sgLlResultado, 1), rainfall);

    ShowTab(window->Escorrentia);
    EXPECT_EQ(Column(window->sgHeResultado, 1), hydrograph);
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(WindowTest, UncheckingTheAbstractionHidesItsControlsAndDerivesIt)
{
    ShowWindow();
    ShowTab(window->Suelo);
    QWidget *controls[] = {window->Bevel8, window->Label15, window->BitBtn6, window->euAi,
                           window->euAi->EditLabel(), window->euAi->UnitBox()};
    for (QWidget *control : controls)
        EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
    window->cbAai->click();
    for (QWidget *control : controls)
        EXPECT_FALSE(control->isVisible()) << control->objectName().toStdString();
    EXPECT_EQ(model.AssignInitialAbstraction, 0);

    ShowTab(window->Condicionantes);
    ExpectColumnNear(Column(window->sgSvaeuaResultados, 1),
                     {0.00419, 7.81954, 65.83494, 77.81943, 84.53241, 90.08818}, 1.5e-5);

    ShowTab(window->Suelo);
    window->cbAai->click();
    for (QWidget *control : controls)
        EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
    EXPECT_EQ(model.InitialAbstraction, 18);
}

TEST_F(WindowTest, LandUseSetsTheCurveNumberCaption)
{
    struct Case {
        QRadioButton *radio;
        int landUse;
        const char *caption;
    };
    ShowTab(window->Condicionantes);
    EXPECT_EQ(window->Label8->text(), "Curve number for urban areas ");
    const Case cases[] = {
        {window->rbOta, 2, "Curve number for other agricultural lands "},
        {window->rbTac, 1, "Curve number for cultivated agricultural lands "},
        {window->rbTpas, 3, "Curve number for arid and semiarid rangelands "},
        {window->rbAu, 0, "Curve number for urban areas "},
    };
    for (const auto &c : cases) {
        c.radio->click();
        EXPECT_EQ(model.LandUse, c.landUse);
        EXPECT_EQ(window->Label8->text(), c.caption);
    }
}

TEST_F(WindowTest, RunoffListsTheHydrographAndConvertsItToLitres)
{
    ShowTab(window->Escorrentia);
    EXPECT_EQ(window->sgHeResultado->RowCount(), 17);
    EXPECT_EQ(window->sgHeResultado->Cell(1, 0), QString::fromUtf8("[m³/s]"));
    EXPECT_EQ(window->euCpResultado->text(), "627.683");
    EXPECT_EQ(window->euVtespResultado->text(), "102.022");
    const QStringList cubicMetres = Column(window->sgHeResultado, 1);
    EXPECT_EQ(cubicMetres[5], "627.68326");
    EXPECT_EQ(cubicMetres[15], "0");

    Pick(window->cbUnidadHidrograma, 1);
    EXPECT_EQ(window->sgHeResultado->Cell(1, 0), "[l/s]");
    const QStringList litres = Column(window->sgHeResultado, 1);
    ASSERT_EQ(litres.size(), 16);
    for (int j = 0; j < 16; ++j)
        EXPECT_NEAR(Number(litres[j]), 1000 * Number(cubicMetres[j]), 0.01) << "ordinate " << j + 1;
    EXPECT_EQ(Column(window->sgHeResultado, 0).back(), "8");
}

TEST_F(WindowTest, GridsLookAlikeAndGrowWithTheWindow)
{
    ShowWindow();
    const std::pair<QWidget *, ResultGrid *> grids[] = {{window->Forzantes, window->sgLlResultado},
                                                        {window->Condicionantes, window->sgSvaeuaResultados},
                                                        {window->Escorrentia, window->sgHeResultado}};
    std::vector<int> heights;
    for (const auto &[sheet, grid] : grids) {
        ShowTab(sheet);
        EXPECT_EQ(grid->columnWidth(0), 112);
        EXPECT_EQ(grid->rowHeight(0), 17);
        EXPECT_EQ(grid->horizontalHeader()->height(), 17);
        EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(grid->palette().color(QPalette::Base), QColor(181, 189, 204));
        EXPECT_GT(grid->height(), 200);
        heights.push_back(grid->height());
    }
    EXPECT_EQ(window->sgLlResultado->pos(), QPoint(204, 56));
    window->resize(window->width(), window->height() + 100);
    for (std::size_t g = 0; g < heights.size(); ++g) {
        ShowTab(grids[g].first);
        QApplication::processEvents();
        EXPECT_EQ(grids[g].second->height(), heights[g] + 100) << grids[g].second->objectName().toStdString();
    }
}

// Where a control's visible content lies in its parent: a label's text, not its whole box.
QRect ContentRect(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->text().isEmpty())
            return {};
        const QRect text = label->fontMetrics().boundingRect(
            label->contentsRect(), static_cast<int>(label->alignment()), label->text());
        return text.translated(label->pos());
    }
    return control->geometry();
}

QRect GroupBoxTitle(const QGroupBox *box)
{
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
}

bool IsBevelAround(const QWidget *frame, const QWidget *other)
{
    return qobject_cast<const QToolButton *>(other) && frame->metaObject() == &QFrame::staticMetaObject &&
           frame->geometry().contains(other->geometry());
}

// Nothing in the container overlaps, is cut by the container, or is smaller than its content.
// A bevel may hold the button it frames.
void ExpectClearLayout(const QWidget *container)
{
    struct Place {
        const QWidget *control;
        QString name;
        QRect rect;
    };
    const std::string where = container->objectName().toStdString();
    std::vector<Place> places;
    if (const auto *box = qobject_cast<const QGroupBox *>(container))
        places.push_back({nullptr, "title", GroupBoxTitle(box)});
    std::vector<const QWidget *> nested;
    for (const QObject *child : container->children()) {
        const auto *control = qobject_cast<const QWidget *>(child);
        if (!control || !control->isVisible())
            continue;
        if (qobject_cast<const QGroupBox *>(control) || control->objectName() == "pHt2")
            nested.push_back(control);
        const QRect content = ContentRect(control);
        if (content.isEmpty())
            continue;
        const std::string name = control->objectName().toStdString();
        EXPECT_TRUE(container->rect().contains(content)) << where << ": " << name << " is cut";
        if (qobject_cast<const QAbstractButton *>(control) && !qobject_cast<const QToolButton *>(control)) {
            EXPECT_GE(control->width(), control->sizeHint().width()) << name << " cuts its caption";
        }
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            EXPECT_TRUE(label->rect().contains(content.translated(-label->pos())))
                << name << " cuts its caption";
        }
        places.push_back({control, control->objectName(), content});
    }
    for (std::size_t a = 0; a < places.size(); ++a)
        for (std::size_t b = a + 1; b < places.size(); ++b) {
            const Place &first = places[a];
            const Place &second = places[b];
            if (!first.rect.intersects(second.rect))
                continue;
            if (first.control && second.control &&
                (IsBevelAround(first.control, second.control) || IsBevelAround(second.control, first.control)))
                continue;
            ADD_FAILURE() << where << ": " << first.name.toStdString() << " overlaps "
                          << second.name.toStdString();
        }
    for (const QWidget *control : nested)
        ExpectClearLayout(control);
}

TEST_F(WindowTest, NothingOverlapsOrIsCutOnAnyTab)
{
    ShowWindow();
    for (QWidget *sheet : {window->Geometria, window->Suelo, window->Forzantes,
                           window->Condicionantes, window->Escorrentia}) {
        ShowTab(sheet);
        SCOPED_TRACE(sheet->objectName().toStdString());
        ExpectClearLayout(sheet);
    }
    ShowTab(window->Forzantes);
    window->rbAcumulada->click();
    ExpectClearLayout(window->pHt2);
    ShowTab(window->Condicionantes);
    window->rbTac->click();
    ExpectClearLayout(window->GroupBox5);
}

} // namespace
} // namespace velmaro

namespace velmaro {
namespace {

TEST_F(WindowTest, HydrographBeyondCapacityIsRefusedWithAMessageAndResultsKept)
{
    ShowTab(window->Escorrentia);
    const QStringList hydrograph = Column(window->sgHeResultado, 1);
    const QString peak = window->euCpResultado->text();
    ShowTab(window->Forzantes);
    Type(window->euPtsd, "0.001");
    EXPECT_TRUE(presenter.messages.empty());

    ShowTab(window->Escorrentia);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, "Error");
    EXPECT_TRUE(presenter.messages[0].text.endsWith("at most 100000 can be computed."))
        << presenter.messages[0].text.toStdString();
    EXPECT_EQ(Column(window->sgHeResultado, 1), hydrograph);
    EXPECT_EQ(window->euCpResultado->text(), peak);
    EXPECT_EQ(model.HydrographCount, 16);
}

TEST_F(WindowTest, RunoffGridHoldsALongHydrograph)
{
    ShowTab(window->Forzantes);
    Type(window->euPtsd, "0.01");
    ShowTab(window->Escorrentia);
    EXPECT_TRUE(presenter.messages.empty());
    ASSERT_GT(model.HydrographCount, 20000);
    EXPECT_EQ(window->sgHeResultado->RowCount(), model.HydrographCount + 1);
    EXPECT_EQ(window->sgHeResultado->Cell(1, model.HydrographCount), "0");
}

} // namespace
} // namespace velmaro

namespace velmaro {
namespace {

TEST_F(WindowTest, TableButtonsAreSmallFramedButtonsWithAHint)
{
    const std::pair<QToolButton *, QFrame *> buttons[] = {{window->bbSTC1, window->bST},
                                                          {window->BitBtn1, window->Bevel1},
                                                          {window->BitBtn6, window->Bevel8},
                                                          {window->BitBtn2, window->Bevel2}};
    for (const auto &[button, bevel] : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_EQ(button->size(), QSize(15, 17));
        EXPECT_EQ(button->text(), "...");
        EXPECT_EQ(button->toolTip(), "Select from Table");
        EXPECT_EQ(bevel->size(), QSize(19, 21));
        EXPECT_TRUE(bevel->geometry().contains(button->geometry()));
    }
    EXPECT_EQ(window->bbSTC1->pos(), QPoint(584, 50));
    EXPECT_EQ(window->BitBtn2->pos(), QPoint(497, 45));
}

TEST_F(WindowTest, ReportTabHoldsAReadOnlyViewAPrintAndASaveButton)
{
    EXPECT_TRUE(window->RichEdit1->isReadOnly());
    EXPECT_EQ(window->Button8->text(), "Print");
    EXPECT_EQ(window->Button8->parentWidget(), window->Panel2);
    EXPECT_EQ(window->SaveReportButton->text(), "Save as...");
    EXPECT_EQ(window->SaveReportButton->parentWidget(), window->Panel2);
    EXPECT_GT(window->SaveReportButton->x(), window->Button8->geometry().right());
    EXPECT_EQ(window->SaveReportButton->y(), window->Button8->y());
    EXPECT_EQ(window->RichEdit1->parentWidget(), window->TabSheet1);
}

} // namespace
} // namespace velmaro

namespace velmaro {
namespace {

TEST_F(WindowTest, UnreadableInputEndsTheChainWithTheApplicationErrorBox)
{
    Type(window->euDdpmrhls, "1-2");
    presenter.messages.clear(); // the keystroke's own report
    {
        const QSignalBlocker quiet(window->cbAai);
        window->cbAai->setChecked(false);
    }
    const double concentrationTime = model.ConcentrationTime;

    ShowTab(window->Suelo);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, QCoreApplication::applicationName());
    EXPECT_EQ(presenter.messages[0].text, "'1-2' is not a valid floating point value");
    EXPECT_EQ(model.AssignInitialAbstraction, 1) << "the Soil stage ran after the failed read";
    EXPECT_EQ(model.ConcentrationTime, concentrationTime);

    Type(window->euDdpmrhls, "21.79");
    EXPECT_EQ(model.AssignInitialAbstraction, 1) << "a Geometry change runs the Geometry stage only";
    ShowTab(window->Geometria);
    ShowTab(window->Suelo);
    EXPECT_EQ(model.AssignInitialAbstraction, 0);
}

} // namespace
} // namespace velmaro

namespace velmaro {
namespace {

// A negative time step passes with its range message and gives a hydrograph count below one:
// the Runoff grid then lists no ordinates instead of sizing itself from a negative count.
TEST_F(WindowTest, NegativeTimeStepLeavesTheRunoffGridWithoutRows)
{
    ShowTab(window->Forzantes);
    Pick(window->cbSall, 99);
    Type(window->euPtsd, "-1");
    ShowTab(window->Escorrentia);
    ASSERT_LT(model.HydrographCount, 1);
    EXPECT_EQ(window->sgHeResultado->Cells().RowCount(), 1);
}

} // namespace
} // namespace velmaro
