// The Runoff tab beyond its described results: the unit hydrograph chosen, the time to peak and
// the volume check.

#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "ui/ResultGrid.h"

#include <QComboBox>
#include <QLineEdit>

namespace velmaro {
namespace {

TEST_F(WindowTest, RunoffShowsTheTimeToPeakAndTheVolumeCheckInTheChosenUnits)
{
    ShowTab(window->Escorrentia);
    EXPECT_EQ(window->euTpResultado->EditLabel()->text(), "Time to peak");
    EXPECT_TRUE(window->euTpResultado->ReadOnly());
    EXPECT_EQ(window->euTpResultado->text(), "3");
    EXPECT_EQ(window->edVolumeCheck->text(), "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %");
    EXPECT_TRUE(window->edVolumeCheck->isReadOnly());

    Pick(window->euTpResultado->UnitBox(), 1);
    EXPECT_EQ(window->euTpResultado->UnitBox()->currentText(), "min");
    EXPECT_EQ(window->euTpResultado->text(), "180");
    Pick(window->euVtespResultado->UnitBox(), 1);
    EXPECT_EQ(window->edVolumeCheck->text(), "Hydrograph 10.202 cm for 8.173 cm of runoff: +24.8 %");
    Pick(window->euVtespResultado->UnitBox(), 2);
    EXPECT_EQ(window->edVolumeCheck->text(), "Hydrograph 0.102 m for 0.082 m of runoff: +24.8 %");
}

TEST_F(WindowTest, PickingAUnitHydrographRecomputesAtOnce)
{
    ShowTab(window->Escorrentia);
    const QStringList triangular = Column(window->sgHeResultado, 1);
    QStringList entries;
    for (int entry = 0; entry < window->cbUnitHydrograph->count(); ++entry)
        entries.append(window->cbUnitHydrograph->itemText(entry));
    EXPECT_EQ(entries, QStringList({"Triangular", "Triangular, volume kept", "NRCS curvilinear"}));
    EXPECT_EQ(window->cbUnitHydrograph->currentIndex(), 0);
    EXPECT_FALSE(window->cbUnitHydrograph->isEditable());

    const struct {
        int entry;
        const char *peak, *specificVolume, *volumeCheck;
        int ordinates;
    } choices[] = {
        {2, "615.481", "81.735", "Hydrograph 81.735 mm for 81.735 mm of runoff: 0.0 %", 22},
        {1, "502.867", "81.735", "Hydrograph 81.735 mm for 81.735 mm of runoff: 0.0 %", 16},
        {0, "627.683", "102.022", "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %", 16},
    };
    for (const auto &choice : choices) {
        Pick(window->cbUnitHydrograph, choice.entry);
        SCOPED_TRACE(window->cbUnitHydrograph->currentText().toStdString());
        EXPECT_EQ(model.UnitHydrograph, choice.entry);
        EXPECT_EQ(window->euCpResultado->text(), choice.peak);
        EXPECT_EQ(window->euVtespResultado->text(), choice.specificVolume);
        EXPECT_EQ(window->euTpResultado->text(), "3");
        EXPECT_EQ(window->edVolumeCheck->text(), choice.volumeCheck);
        EXPECT_EQ(window->sgHeResultado->RowCount(), choice.ordinates + 1);
    }
    EXPECT_EQ(Column(window->sgHeResultado, 1), triangular);
}

// With all the rain held back there is no runoff: the peak 0 is reached at the first ordinate,
// and there is no percentage to give.
TEST_F(WindowTest, NoRunoffGivesAPeakAtTheFirstOrdinateAndAVolumeCheckWithoutPercent)
{
    ShowTab(window->Suelo);
    Type(window->euAi, "500");
    ShowTab(window->Escorrentia);
    EXPECT_EQ(window->euCpResultado->text(), "0");
    EXPECT_EQ(window->euTpResultado->text(), "0.5");
    EXPECT_EQ(window->edVolumeCheck->text(), "Hydrograph 0 mm for 0 mm of runoff");
}

// A time step of 0.2 s: the triangle fits the store, the NRCS curve, nearly twice as long, does
// not. The tab says so and keeps the triangle's results, drawn as stale.
TEST_F(WindowTest, AUnitHydrographLongerThanTheStoreIsRefusedWithAMessage)
{
    ShowTab(window->Forzantes);
    Pick(window->euPtsd->UnitBox(), 1);
    Type(window->euPtsd, "0.2");
    ShowTab(window->Escorrentia);
    ASSERT_TRUE(presenter.messages.empty());
    const QString peak = window->euCpResultado->text();
    const QString volumeCheck = window->edVolumeCheck->text();

    Pick(window->cbUnitHydrograph, 2);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_TRUE(presenter.messages[0].text.startsWith("The hydrograph would need "))
        << presenter.messages[0].text.toStdString();
    EXPECT_EQ(window->euCpResultado->text(), peak);
    EXPECT_EQ(window->edVolumeCheck->text(), volumeCheck);
    for (QWidget *result : std::initializer_list<QWidget *>{window->euTpResultado, window->edVolumeCheck})
        EXPECT_TRUE(result->toolTip().contains("The hydrograph would need ")) << result->objectName().toStdString();
}

} // namespace
} // namespace velmaro
