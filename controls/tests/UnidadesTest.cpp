#include "controls/Unidades.h"
#include "controls/tests/ControlsTestSupport.h"

#include <QComboBox>

namespace velmaro {
namespace {

using test::WindowTest;

const QStringList kTimeUnits = {"min|1|0", "sec|60|0", "hrs|0.016666666666666666666666666666667|0"};

class UnitsField : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        field = new TUnidades(window.get());
        after = new QLineEdit(window.get());
        after->setGeometry(700, 100, 60, 21);
        field->OnChange = [this](TSciCustomEdit *) { ++changes; };
    }

    TUnidades *field = nullptr;
    QLineEdit *after = nullptr;
    int changes = 0;
};

TEST_F(UnitsField, ConstructionSetsUpLabelUnitBoxAndNumberSettings)
{
    EXPECT_EQ(field->DecimalPlaces(), 3);
    EXPECT_TRUE(field->SciRange());
    EXPECT_TRUE(field->TrimTrailingZeroes());
    EXPECT_TRUE(field->Alignment() & Qt::AlignRight);
    EXPECT_EQ(field->text(), "0");
    EXPECT_EQ(field->Units(), QStringList{"m|1|0"});
    EXPECT_EQ(field->UnitAsString(), "m");

    ASSERT_NE(field->EditLabel(), nullptr);
    EXPECT_EQ(field->EditLabel()->objectName(), "SubLabel");
    EXPECT_EQ(field->EditLabel()->text(), "");
    EXPECT_EQ(field->EditLabel()->buddy(), field);
    EXPECT_EQ(field->EditLabel()->parentWidget(), window.get());
    ASSERT_NE(field->UnitBox(), nullptr);
    EXPECT_EQ(field->UnitBox()->objectName(), "SubCombo");
    EXPECT_EQ(field->UnitBox()->width(), 100);
    EXPECT_FALSE(field->UnitBox()->isEditable());
    EXPECT_EQ(field->UnitBox()->parentWidget(), window.get());
    EXPECT_EQ(field->UnitBox()->count(), 1);
    EXPECT_EQ(field->UnitBox()->currentIndex(), 0);
}

// The companions follow the field's move and resize events, which Qt delivers once shown.
TEST_F(UnitsField, LabelLeftAndUnitBoxRightCentredVertically)
{
    ShowWindow();
    field->EditLabel()->SetCaption("Flow length");
    field->EditLabel()->resize(170, 13);
    field->UnitBox()->resize(100, 24);
    field->setGeometry(382, 17, 121, 21);
    EXPECT_EQ(field->EditLabel()->pos(), QPoint(209, 21));
    EXPECT_EQ(field->UnitBox()->pos(), QPoint(506, 17 + (21 - 24) / 2));
    EXPECT_EQ(field->UnitBox()->y(), 16);   // truncated toward zero

    field->move(400, 50);
    EXPECT_EQ(field->EditLabel()->pos(), QPoint(227, 54));
    EXPECT_EQ(field->UnitBox()->pos(), QPoint(524, 49));
    field->resize(141, 25);
    EXPECT_EQ(field->EditLabel()->pos(), QPoint(227, 56));
    EXPECT_EQ(field->UnitBox()->pos(), QPoint(544, 50));
}

TEST_F(UnitsField, ALongerCaptionMovesOnlyTheLabel)
{
    ShowWindow();
    field->setGeometry(382, 17, 121, 21);
    field->EditLabel()->SetCaption("Area");
    const int shortWidth = field->EditLabel()->width();
    const QPoint boxAt = field->UnitBox()->pos();
    field->EditLabel()->SetCaption("Watershed area draining to the outlet");
    EXPECT_GT(field->EditLabel()->width(), shortWidth);
    EXPECT_EQ(field->EditLabel()->x() + field->EditLabel()->width(), 382 - 3);
    EXPECT_EQ(field->pos(), QPoint(382, 17));
    EXPECT_EQ(field->UnitBox()->pos(), boxAt);
}

TEST_F(UnitsField, LayoutsMovingTheShownFieldMoveItsCompanions)
{
    ShowWindow();
    field->QWidget::setGeometry(100, 100, 121, 21);   // as a layout would
    EXPECT_EQ(field->UnitBox()->x(), 224);
    EXPECT_EQ(field->EditLabel()->x() + field->EditLabel()->width(), 97);
}

TEST_F(UnitsField, VisibilityAndDirectionArePropagated)
{
    ShowWindow();
    EXPECT_TRUE(field->EditLabel()->isVisible());
    EXPECT_TRUE(field->UnitBox()->isVisible());
    field->hide();
    EXPECT_FALSE(field->EditLabel()->isVisible());
    EXPECT_FALSE(field->UnitBox()->isVisible());
    field->show();
    EXPECT_TRUE(field->EditLabel()->isVisible());
    EXPECT_TRUE(field->UnitBox()->isVisible());

    field->setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(field->EditLabel()->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(field->UnitBox()->layoutDirection(), Qt::RightToLeft);

    field->setEnabled(false);
    EXPECT_TRUE(field->EditLabel()->isEnabled());
    EXPECT_TRUE(field->UnitBox()->isEnabled());
}

TEST_F(UnitsField, PickingAUnitReExpressesTheValueWithAutoRecalculate)
{
    field->SetUnits(kTimeUnits);
    EXPECT_EQ(field->UnitBox()->count(), 3);
    EXPECT_EQ(field->UnitBox()->itemText(2), "hrs");
    field->SetAsFloat(30.0L);
    field->SetAutoRecalculate(true);
    changes = 0;
    field->UnitBox()->setCurrentIndex(2);   // the user's pick
    EXPECT_EQ(field->CurrentUnit(), 2);
    EXPECT_EQ(field->text(), "0.5");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(static_cast<double>(field->GetBaseValue()), 30.0);
    EXPECT_EQ(field->UnitAsString(), "hrs");
}

TEST_F(UnitsField, PickingAUnitWithoutAutoRecalculateKeepsTheNumber)
{
    field->SetUnits(kTimeUnits);
    field->SetAsFloat(30.0L);
    changes = 0;
    field->UnitBox()->setCurrentIndex(1);
    EXPECT_EQ(field->text(), "30");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(field->GetBaseValue(), 0.5L);
}

TEST_F(UnitsField, BaseValuesInAndOut)
{
    field->SetUnits({"km|1|0", "m|1000|0"});
    field->ChangeUnit(1);
    EXPECT_EQ(field->UnitBox()->currentIndex(), 1);
    field->SetBaseValue(21.79L);
    EXPECT_EQ(field->text(), "21790");
    EXPECT_EQ(field->AsFloat(), 21790.0L);
    EXPECT_EQ(field->GetBaseValue(), 21.79L);
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(field->SetText("1-2"), ConversionError);
    EXPECT_THROW(field->GetBaseValue(), ConversionError);
}

TEST_F(UnitsField, TheRangeIsCheckedInTheUnitShownOnlyOnLeaving)
{
    ShowWindow();
    field->SetUnits({"-|1|0"});
    field->SetBaseMax(100.0L);
    field->SetUseRange(true);
    EXPECT_TRUE(field->BoundsEnabled());
    EXPECT_EQ(field->BoundLower(), 0.0L);
    EXPECT_EQ(field->BoundUpper(), 100.0L);
    Focus(field);
    field->selectAll();
    QTest::keyClicks(field, "101");
    EXPECT_TRUE(presenter.messages.empty());
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text,
              "Your entered Value is above the acceptable limit of 100.000");

    field->SetUnits({"mm|1|0", "cm|0.1|0"});
    field->SetBaseMax(1.1e4900L);
    field->ChangeUnit(1);
    EXPECT_EQ(field->BoundUpper(), 1.1e4900L * 0.1L);
    EXPECT_EQ(RenderScientific(field->BoundUpper(), 3), "1.100E+4899");
}

TEST_F(UnitsField, HooksSeeTheFieldAsSender)
{
    field->SetUnits({"km|1|0", "m|1000|0"});
    field->ChangeUnit(1);
    field->SetAsFloat(500.0L);
    TUnidades *sender = nullptr;
    std::vector<double> seen;
    field->SetOnReadBaseValue([&](TUnidades *s, long double &float1, long double &float2,
                                  std::vector<double> var1) {
        sender = s;
        seen = var1;
        float1 = float2 / 2000.0L;
    });
    EXPECT_EQ(field->GetBaseValue(), 0.25L);
    EXPECT_EQ(sender, field);
    EXPECT_EQ(seen, (std::vector<double>{1000.0, 0.0}));
    field->SetOnReadBaseValue(nullptr);
    EXPECT_EQ(field->GetBaseValue(), 0.5L);

    field->SetOnCambioDeUnidad([&](TUnidades *s, long double &, long double &float2,
                                   std::vector<double> var1) {
        sender = s;
        seen = var1;
        float2 = 7.0L;
    });
    sender = nullptr;
    field->SetBaseValue(1.0L);
    EXPECT_EQ(sender, field);
    EXPECT_EQ(seen, (std::vector<double>{1.0, 0.0, 1000.0, 0.0}));
    EXPECT_EQ(field->text(), "7");
}

TEST_F(UnitsField, ABadUnitListIsRefusedAndTheBoxKeepsItsEntries)
{
    field->SetUnits({"km|1|0", "m|1000|0"});
    try {
        field->SetUnits({"km|1|0", "m|thousand|0"});
        ADD_FAILURE() << "the list was accepted";
    } catch (const UnitListError &error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains("'m|thousand|0'"));
    }
    EXPECT_EQ(field->UnitBox()->count(), 2);
    EXPECT_EQ(field->Units(), (QStringList{"km|1|0", "m|1000|0"}));
}

TEST_F(UnitsField, SetUpPointsReturnToTheDefaultUnitKeepingTheNumber)
{
    field->SetUnits(kTimeUnits);
    field->SetAsFloat(2.0L);
    field->ChangeUnit(2);
    ASSERT_EQ(field->UnitAsString(), "hrs");
    field->SetAlignment(Qt::AlignLeft | Qt::AlignVCenter);   // re-creates the native control
    EXPECT_EQ(field->UnitAsString(), "min");
    EXPECT_EQ(field->UnitBox()->currentIndex(), 0);
    EXPECT_EQ(field->text(), "2");

    field->SetDefaultUnit(1);
    EXPECT_EQ(field->UnitAsString(), "sec");
    field->ChangeUnit(2);
    field->BeginLoading();
    field->EndLoading();
    EXPECT_EQ(field->UnitAsString(), "sec");
    field->ChangeUnit(0);
    ShowWindow();   // first show creates the native control
    EXPECT_EQ(field->UnitAsString(), "sec");
    EXPECT_EQ(field->text(), "2");
}

TEST_F(UnitsField, AFieldPlacedLaterTakesItsCompanionsAlong)
{
    auto *late = new TUnidades;
    late->setObjectName("euLate");
    EXPECT_EQ(late->EditLabel()->parentWidget(), nullptr);
    late->SetUnits({"km|1|0", "m|1000|0"});
    late->SetDefaultUnit(1);
    late->setParent(window.get());
    EXPECT_EQ(late->EditLabel()->parentWidget(), window.get());
    EXPECT_EQ(late->UnitBox()->parentWidget(), window.get());
    EXPECT_EQ(late->UnitBox()->currentIndex(), 1);
    ShowWindow();
    late->show();
    late->setGeometry(300, 100, 100, 21);
    EXPECT_EQ(late->UnitBox()->x(), 403);
    // A renamed field keeps its caption.
    late->setObjectName("euOther");
    EXPECT_EQ(late->EditLabel()->text(), "");
}

TEST_F(UnitsField, TheLabelAcceleratorFocusesTheField)
{
    field->EditLabel()->SetCaption("&Flow length");
    field->setGeometry(300, 50, 100, 21);
    ShowWindow();
    Focus(after);
    QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(field->hasFocus());
}

TEST_F(UnitsField, DestroyingTheFieldReleasesItsCompanions)
{
    QPointer<TBoundLabel> label = field->EditLabel();
    QPointer<QComboBox> box = field->UnitBox();
    delete field;
    EXPECT_TRUE(label.isNull());
    EXPECT_TRUE(box.isNull());
}

TEST_F(UnitsField, IndicesOutsideTheListShowNoUnit)
{
    field->SetUnits({"km|1|0", "m|1000|0"});
    field->ChangeUnit(4);
    EXPECT_EQ(field->UnitBox()->currentIndex(), -1);
    EXPECT_EQ(field->UnitAsString(), "");
    field->SetUnits({});
    EXPECT_EQ(field->UnitBox()->count(), 0);
    field->SetAsFloat(3.0L);
    EXPECT_EQ(field->GetBaseValue(), 3.0L);
}

} // namespace
} // namespace velmaro
