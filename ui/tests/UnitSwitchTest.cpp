#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "engine/ModelFields.h"
#include "plot/PlotWindow.h"
#include "ui/GridText.h"
#include "ui/ResultGrid.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

#include <qcustomplot.h>

#include <variant>
#include <vector>

namespace velmaro {
namespace {

template <class Value>
void Append(std::vector<unsigned char> &bytes, const Value &value)
{
    const auto *first = reinterpret_cast<const unsigned char *>(&value);
    bytes.insert(bytes.end(), first, first + sizeof value);
}

// Every field of the model, bit for bit.
std::vector<unsigned char> BytesOf(ModelState &model)
{
    std::vector<unsigned char> bytes;
    for (const ModelField &field : ModelFields())
        std::visit(Overloaded{[&](Series ModelState::*series) {
                                  for (int step = 1; step <= kSeriesSlots; ++step)
                                      Append(bytes, (model.*series)[step]);
                              },
                              [&](Hydrograph ModelState::*hydrograph) {
                                  for (double ordinate : (model.*hydrograph).Ordinates())
                                      Append(bytes, ordinate);
                              },
                              [&](auto member) { Append(bytes, model.*member); }},
                   field.member);
    return bytes;
}

class UnitSwitchTest : public WindowTest {
protected:
    struct FieldUnit {
        TUnidades *field;
        const char *unit;
    };
    struct ListUnit {
        QComboBox *list;
        const char *unit;
    };

    void ExpectUnits(std::initializer_list<FieldUnit> fields, std::initializer_list<ListUnit> lists)
    {
        for (const FieldUnit &f : fields)
            EXPECT_EQ(f.field->UnitAsString(), QString::fromUtf8(f.unit)) << f.field->objectName().toStdString();
        for (const ListUnit &l : lists)
            EXPECT_EQ(l.list->currentText(), QString::fromUtf8(l.unit)) << l.list->objectName().toStdString();
    }

    void ExpectChecked(bool metric, bool us)
    {
        EXPECT_EQ(window->Metric1->isChecked(), metric);
        EXPECT_EQ(window->UsCustomary1->isChecked(), us);
    }
};

TEST_F(UnitSwitchTest, ViewUnitsOffersBothSystemsAfterThePlot)
{
    const QList<QAction *> view = window->View1->actions();
    ASSERT_EQ(view.size(), 2);
    EXPECT_EQ(view[0], window->Plot1);
    EXPECT_EQ(view[1]->menu(), window->Units1);
    EXPECT_EQ(window->Units1->title(), "&Units");
    EXPECT_EQ(window->Units1->actions(), (QList<QAction *>{window->Metric1, window->UsCustomary1}));
    EXPECT_EQ(window->Metric1->text(), "&Metric");
    EXPECT_EQ(window->UsCustomary1->text(), "&U.S. customary");
    ExpectChecked(true, false);
}

TEST_F(UnitSwitchTest, SetsEveryFieldAndGridAndLeavesTheModelAsItWas)
{
    ShowWindow();
    ShowTab(window->Escorrentia);
    const std::vector<unsigned char> before = BytesOf(model);

    window->UsCustomary1->trigger();
    ExpectUnits({{window->euDdpmrhls, "ft"}, {window->euDntepmrys, "ft"}, {window->euAc, "ac"},
                 {window->euAi, "in"}, {window->euAll, "in"}, {window->euRpmResultado, "in"},
                 {window->euVtespResultado, "in"}, {window->euVteResultado, "ac·ft"},
                 {window->euCpResultado, "ft³/s"}, {window->euTccResultado, "hrs"},
                 {window->euPtsd, "min"}, {window->euNc, "-"}},
                {{window->cbUnidadesHietograma, "in/hr"}, {window->cbUnidadesVolumenes, "in"},
                 {window->cbUnidadHidrograma, "ft³/s"}});
    ExpectChecked(false, true);
    EXPECT_EQ(BytesOf(model), before);
    EXPECT_EQ(window->euAc->text(), "1.736E+4");
    EXPECT_EQ(window->euCpResultado->text(), "2.217E+4");
    EXPECT_EQ(window->sgHeResultado->Cell(1, 0), QString::fromUtf8("[ft³/s]"));
    EXPECT_EQ(window->sgSvaeuaResultados->Cell(1, 0), "[in]");
    EXPECT_EQ(window->sgLlResultado->Cell(3, 0), "[in/hr]");

    window->Metric1->trigger();
    ExpectUnits({{window->euDdpmrhls, "km"}, {window->euAc, "km²"},
                 {window->euVteResultado, "m³"}, {window->euCpResultado, "m³/s"}},
                {{window->cbUnidadHidrograma, "m³/s"}, {window->cbUnidadesHietograma, "mm/hr"}});
    ExpectChecked(true, false);
    EXPECT_EQ(BytesOf(model), before);
    EXPECT_EQ(window->euDdpmrhls->text(), "21.79");
    EXPECT_EQ(window->euCpResultado->text(), "627.683");

    // The next recomputation reads the inputs back to the same base values.
    ShowTab(window->Geometria);
    ShowTab(window->Escorrentia);
    EXPECT_EQ(BytesOf(model), before);

    Pick(window->euDntepmrys->UnitBox(), 2); // ft by hand among metric units
    EXPECT_EQ(window->euDntepmrys->UnitAsString(), "ft");
    ExpectChecked(false, false);
    Pick(window->cbUnidadHidrograma, 2);
    EXPECT_EQ(window->sgHeResultado->Cell(1, 0), QString::fromUtf8("[ft³/s]"));
    ExpectChecked(false, false);
}

TEST_F(UnitSwitchTest, FieldsFirstShownAfterTheSwitchKeepItsUnitsAndTheValuesEntered)
{
    ShowWindow(); // only the Geometry tab has been shown
    window->UsCustomary1->trigger();
    ShowTab(window->Suelo);
    EXPECT_EQ(window->euAi->UnitAsString(), "in");
    EXPECT_EQ(window->euAi->text(), "0.709");
    EXPECT_EQ(model.InitialAbstraction, 18);
    ShowTab(window->Escorrentia);
    EXPECT_EQ(window->euCpResultado->UnitAsString(), QString::fromUtf8("ft³/s"));
    EXPECT_EQ(window->euCpResultado->text(), "2.217E+4");
    EXPECT_EQ(model.LevelDifference, 1020);
    ExpectChecked(false, true);
}

TEST_F(UnitSwitchTest, PlotAxesAndCsvHeadersFollowTheSystem)
{
    ShowWindow();
    ShowTab(window->Escorrentia);
    window->Plot1->trigger();
    PlotWindow *plot = window->PlotShown();
    const auto axisTitles = [plot] {
        QCustomPlot *drawn = plot->Plot();
        return QStringList{drawn->axisRect(0)->axis(QCPAxis::atLeft)->label(),
                           drawn->axisRect(0)->axis(QCPAxis::atRight)->label(),
                           drawn->axisRect(1)->axis(QCPAxis::atLeft)->label()};
    };
    const double peak = plot->Curves().peak->discharge;

    window->UsCustomary1->trigger();
    EXPECT_EQ(axisTitles(), (QStringList{QString::fromUtf8("Discharge [ft³/s]"), "Intensity [in/hr]",
                                         "Cumulative depth [in]"}));
    EXPECT_DOUBLE_EQ(plot->Curves().peak->discharge, peak / 0.028316846592);
    EXPECT_DOUBLE_EQ(plot->Curves().cumulativeRain[2], 105.4 / 25.4);
    EXPECT_TRUE(plot->PeakText().endsWith(QString::fromUtf8(" ft³/s at 3 h"))) << plot->PeakText().toStdString();
    EXPECT_TRUE(GridCsv(window->sgHeResultado->Cells()).startsWith("time [h],discharge [ft\xC2\xB3/s]\r\n"));
    EXPECT_TRUE(GridCsv(window->sgSvaeuaResultados->Cells()).startsWith("time [h],cumulative runoff depth [in]\r\n"));
    EXPECT_TRUE(GridCsv(window->sgLlResultado->Cells()).contains(",intensity [in/hr]\r\n"));

    window->Metric1->trigger();
    EXPECT_EQ(axisTitles(), (QStringList{QString::fromUtf8("Discharge [m³/s]"), "Intensity [mm/hr]",
                                         "Cumulative depth [mm]"}));
    EXPECT_DOUBLE_EQ(plot->Curves().peak->discharge, peak);
}

} // namespace
} // namespace velmaro
