#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QWheelEvent>

namespace velmaro {
namespace {

// One notch down over the middle of the list.
void WheelNotch(QComboBox *list)
{
    const QPointF at(list->rect().center());
    QWheelEvent notch(at, list->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &notch);
}

TEST_F(WindowTest, TheWheelOverAListWithoutTheFocusChangesNothing)
{
    ShowWindow();
    const struct {
        QWidget *sheet;
        QComboBox *list;
    } cases[] = {
        {window->Forzantes, window->cbSall},
        {window->Forzantes, window->cbLluvia},
        {window->Forzantes, window->euPtsd->UnitBox()},
        {window->Forzantes, window->cbUnidadesHietograma},
        {window->Suelo, window->cbGh},
        {window->Escorrentia, window->cbUnidadHidrograma},
        {window->Geometria, window->euAc->UnitBox()},
    };
    for (const auto &c : cases) {
        ASSERT_NE(c.list, nullptr);
        SCOPED_TRACE(c.list->objectName().toStdString());
        ShowTab(c.sheet);
        window->PageControl1->tabBar()->setFocus();
        const int entry = c.list->currentIndex();
        const ModelState before = model;
        WheelNotch(c.list);
        EXPECT_EQ(c.list->currentIndex(), entry);
        EXPECT_FALSE(c.list->hasFocus());
        EXPECT_EQ(model.StepCount, before.StepCount);
        EXPECT_EQ(model.TimeStep, before.TimeStep);
    }
}

TEST_F(WindowTest, TheWheelStillTurnsTheListTheUserWorksIn)
{
    ShowWindow();
    ShowTab(window->Forzantes);
    window->cbSall->setFocus();
    ASSERT_TRUE(window->cbSall->hasFocus());
    const int entry = window->cbSall->currentIndex();
    WheelNotch(window->cbSall);
    EXPECT_EQ(window->cbSall->currentIndex(), entry + 1);
}

} // namespace
} // namespace velmaro
