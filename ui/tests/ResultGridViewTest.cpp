#include "ui/tests/WindowFixture.h"

#include "ui/ApplicationLook.h"
#include "ui/ResultGrid.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <string>

namespace velmaro {
namespace {

// Long series: the grids then need their vertical scroll bar.
class ResultGridViewTest : public WindowTest {
protected:
    void ShowLongSeries(int steps)
    {
        ShowWindow();
        ShowTab(window->Forzantes);
        Pick(window->cbSall, steps - 1);
    }

    static void ExpectEveryColumnWhole(const ResultGrid *grid)
    {
        const int visibleWidth = grid->viewport()->width();
        for (int column = 0; column < grid->model()->columnCount(); ++column) {
            SCOPED_TRACE(column);
            EXPECT_GE(grid->columnViewportPosition(column), 0);
            EXPECT_LE(grid->columnViewportPosition(column) + grid->columnWidth(column), visibleWidth);
        }
        EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    }
};

TEST_F(ResultGridViewTest, ClickingALastColumnCellKeepsEveryColumnInView)
{
    const struct {
        int steps;
        ResultGrid *TMainFormVelmaro::*grid;
    } cases[] = {
        {30, &TMainFormVelmaro::sgHeResultado},
        {14, &TMainFormVelmaro::sgSvaeuaResultados},
        {100, &TMainFormVelmaro::sgLlResultado},
    };
    ShowLongSeries(30);
    for (const auto &c : cases) {
        ResultGrid *grid = window.get()->*c.grid;
        SCOPED_TRACE(grid->objectName().toStdString());
        Pick(window->cbSall, c.steps - 1);
        ShowTab(grid->parentWidget()->parentWidget());
        QApplication::processEvents();
        ASSERT_TRUE(grid->verticalScrollBar()->isVisible());
        const int last = grid->model()->columnCount() - 1;
        const QModelIndex cell = grid->model()->index(5, last);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        EXPECT_EQ(grid->currentIndex(), cell);
        ExpectEveryColumnWhole(grid);
        EXPECT_EQ(grid->columnViewportPosition(0), 0);
    }
}

// Some desktop styles scroll item views by pixels unless the view says otherwise.
class PixelScrollingStyle final : public QProxyStyle {
public:
    PixelScrollingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        if (hint == SH_ItemView_ScrollMode)
            return QAbstractItemView::ScrollPerPixel;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

class ResultGridOnPixelScrollingDesktop : public ResultGridViewTest {
protected:
    void SetUp() override
    {
        QApplication::setStyle(new PixelScrollingStyle);
        ResultGridViewTest::SetUp();
    }
    void TearDown() override
    {
        ResultGridViewTest::TearDown();
        ApplyApplicationLook();
    }
};

TEST_F(ResultGridOnPixelScrollingDesktop, ScrollingShowsWholeRowsAtTheTop)
{
    ShowLongSeries(100);
    ShowTab(window->Escorrentia);
    QApplication::processEvents();
    ResultGrid *grid = window->sgHeResultado;
    QScrollBar *bar = grid->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 10);
    for (int value = bar->minimum(); value <= bar->maximum(); value += std::max(1, bar->maximum() / 97)) {
        bar->setValue(value);
        EXPECT_EQ(grid->rowViewportPosition(grid->rowAt(0)), 0) << "scrolled to " << value;
    }
    // The keyboard past the bottom edge and a wheel notch move by whole rows as well.
    bar->setValue(0);
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    for (int row = 0; row < 20; ++row)
        QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_GT(grid->rowAt(0), 0);
    EXPECT_EQ(grid->rowViewportPosition(grid->rowAt(0)), 0);
    bar->setValue(0);
    QWheelEvent notch(QPointF(20, 20), grid->viewport()->mapToGlobal(QPointF(20, 20)), {}, {0, -120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &notch);
    EXPECT_GT(grid->rowAt(0), 0);
    EXPECT_EQ(grid->rowViewportPosition(grid->rowAt(0)), 0);
}

// What a screen reader is told when a popup menu opens: the bus bridge announces the menu's
// accessible interface and reads its items from it. An item left over from an earlier menu
// belongs to no menu on screen, so the bridge cannot reach it and it goes unannounced.
std::string AnnouncedItems(QWidget *menu)
{
    QAccessibleInterface *announced = QAccessible::queryAccessibleInterface(menu);
    QStringList items;
    for (int i = 0; i < announced->childCount(); ++i) {
        QAccessibleInterface *item = announced->child(i);
        if (item && item->isValid() && item->parent() && item->parent()->object() == menu)
            items.append(item->text(QAccessible::Name));
    }
    return items.join(QStringLiteral(" | ")).toStdString();
}

// A right click in the grid; the menu it opens is read as the bus announces it, then closed.
std::string ShowContextMenu(ResultGrid *grid)
{
    std::string announced = "no menu";
    bool read = false;
    QTimer::singleShot(0, [&] {
        if (QWidget *menu = QApplication::activePopupWidget()) {
            announced = AnnouncedItems(menu);
            menu->close();
        }
        read = true;
    });
    const QPoint at = grid->viewport()->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &click);
    EXPECT_TRUE(QTest::qWaitFor([&read] { return read; })) << "the menu was never read";
    return announced;
}

TEST_F(ResultGridViewTest, TheContextMenuAnnouncesItsItemsAtEveryShowing)
{
    ShowWindow();
    ShowTab(window->Escorrentia);
    const std::string items = "Copy table | Save as CSV...";
    for (int showing = 1; showing <= 3; ++showing)
        EXPECT_EQ(ShowContextMenu(window->sgHeResultado), items) << "showing " << showing;
    ShowTab(window->Forzantes);
    EXPECT_EQ(ShowContextMenu(window->sgLlResultado), items);
    EXPECT_EQ(ShowContextMenu(window->sgLlResultado), items);
}

} // namespace
} // namespace velmaro
