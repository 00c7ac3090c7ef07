#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "engine/ModelState.h"
#include "tables/DataGrid.h"
#include "tables/Seleccion.h"
#include "tables/TableModel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace velmaro {
namespace {

// What the next selection dialog showed, and what the test did in it.
struct SeenDialog {
    QString caption;
    QSize size;
    bool shown = false;
};

// Answers the next selection dialog with `act` (move the current cell, press a button).
void AnswerNextSelection(SeenDialog &seen, std::function<void(TSeleccionForm &)> act)
{
    test::AnswerNextModalDialog<TSeleccionForm>([&seen, act](TSeleccionForm &form) {
        seen = {form.windowTitle(), form.size(), true};
        act(form);
    });
}

void PickCell(TSeleccionForm &form, int row, int column)
{
    form.Grid->setCurrentIndex(form.DS->index(row, column));
    ASSERT_TRUE(form.BitBtn1->isEnabled());
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
}

void Cancel(TSeleccionForm &form) { QTest::mouseClick(form.BitBtn2, Qt::LeftButton); }

QSize OuterSized(int width, int height)
{
    TSeleccionForm reference;
    if (height > 0)
        reference.SetOuterSize(width, height);
    else
        reference.SetOuterWidth(width);
    return reference.size();
}

TEST_F(WindowTest, SoilGroupTablesChooseTheGroupOfTheRowPicked)
{
    ShowWindow();
    ShowTab(window->Suelo);
    const struct {
        QToolButton *button;
        const char *caption;
        int row;
    } cases[] = {
        {window->bbSTC1, "Characterization of soil hydrologic groups (CPESC 2002)", 3},
        {window->BitBtn1, "Characterization of soil hydrologic groups for disturbed soils", 0},
    };
    for (const auto &c : cases) {
        SeenDialog seen;
        AnswerNextSelection(seen, [&c](TSeleccionForm &form) { PickCell(form, c.row, 0); });
        QTest::mouseClick(c.button, Qt::LeftButton);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(seen.size.width(), OuterSized(632, 0).width());
        EXPECT_EQ(window->cbGh->currentIndex(), c.row);
        EXPECT_EQ(window->focusWidget(), window->cbGh);
        window->SueloShow();
        EXPECT_EQ(model.SoilGroup, c.row);
    }
}

TEST_F(WindowTest, InitialAbstractionTableWritesTheValueAndRecomputes)
{
    ShowWindow();
    ShowTab(window->Suelo);
    SeenDialog seen;
    // ES3's first row holds 1.25 mm in its "Initial Abstraction" column.
    AnswerNextSelection(seen, [](TSeleccionForm &form) {
        int column = 0;
        while (form.DS->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() != "Initial Abstraction")
            ++column;
        PickCell(form, 0, column);
    });
    QTest::mouseClick(window->BitBtn6, Qt::LeftButton);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, "Initial abstraction [mm]");
    EXPECT_EQ(seen.size.width(), OuterSized(645, 0).width());
    EXPECT_EQ(window->euAi->text(), "1.25");
    EXPECT_EQ(model.InitialAbstraction, 1.25);
    EXPECT_EQ(window->focusWidget(), window->euAi);
}

TEST_F(WindowTest, CurveNumberTableFollowsTheLandUseAndRecomputes)
{
    ShowWindow();
    ShowTab(window->Condicionantes);
    window->rbOta->click();
    const double retentionBefore = model.PotentialRetention;
    SeenDialog seen;
    double picked = 0;
    AnswerNextSelection(seen, [&picked](TSeleccionForm &form) {
        // The first row with a value in the first Soil column.
        for (int row = 0; row < form.DS->rowCount(); ++row) {
            form.Grid->setCurrentIndex(form.DS->index(row, 3));
            if (form.BitBtn1->isEnabled()) {
                picked = form.CurrentCellValue();
                QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
                return;
            }
        }
        QTest::mouseClick(form.BitBtn2, Qt::LeftButton);
    });
    QTest::mouseClick(window->BitBtn2, Qt::LeftButton);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, "Curve number for other agricultural lands ");
    EXPECT_EQ(seen.size, OuterSized(740, 455));
    ASSERT_GT(picked, 0);
    EXPECT_EQ(model.CurveNumber, static_cast<int>(picked));
    EXPECT_NE(model.PotentialRetention, retentionBefore);
    EXPECT_EQ(window->focusWidget(), window->euNc);
}

TEST_F(WindowTest, EachLandUseOpensItsOwnCurveNumberTable)
{
    ShowWindow();
    ShowTab(window->Condicionantes);
    // The tables differ in their row counts: EC1 25, EC2 38, EC3 22, EC4 15.
    const struct {
        QRadioButton *landUse;
        const char *caption;
        int rows;
    } cases[] = {
        {window->rbTac, "Curve number for cultivated agricultural lands ", 38},
        {window->rbTpas, "Curve number for arid and semiarid rangelands ", 15},
        {window->rbOta, "Curve number for other agricultural lands ", 22},
        {window->rbAu, "Curve number for urban areas ", 25},
    };
    for (const auto &c : cases) {
        c.landUse->click();
        SeenDialog seen;
        int rows = 0;
        AnswerNextSelection(seen, [&rows](TSeleccionForm &form) {
            rows = form.DS->rowCount();
            Cancel(form);
        });
        QTest::mouseClick(window->BitBtn2, Qt::LeftButton);
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(rows, c.rows) << c.caption;
    }
}

TEST_F(WindowTest, CancellingATableChangesNothing)
{
    ShowWindow();
    const QString curveNumber = window->euNc->text();
    const QString abstraction = window->euAi->text();
    const int group = window->cbGh->currentIndex();
    const std::pair<QToolButton *, QWidget *> buttons[] = {{window->bbSTC1, window->Suelo},
                                                           {window->BitBtn6, window->Suelo},
                                                           {window->BitBtn2, window->Condicionantes}};
    for (const auto &[button, sheet] : buttons) {
        ShowTab(sheet);
        SeenDialog seen;
        AnswerNextSelection(seen, Cancel);
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(seen.shown);
    }
    EXPECT_EQ(window->euNc->text(), curveNumber);
    EXPECT_EQ(window->euAi->text(), abstraction);
    EXPECT_EQ(window->cbGh->currentIndex(), group);
    EXPECT_EQ(model.CurveNumber, 85);
    EXPECT_TRUE(presenter.messages.empty());
}

} // namespace
} // namespace velmaro
