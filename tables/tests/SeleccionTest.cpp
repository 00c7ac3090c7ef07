#include "tables/DataGrid.h"
#include "tables/Seleccion.h"
#include "tables/TableModel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>
#include <numeric>

// Readable failures for geometry.
void PrintTo(const QRect &r, std::ostream *os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}
void PrintTo(const QSize &s, std::ostream *os)
{
    *os << "QSize(" << s.width() << ", " << s.height() << ")";
}

using namespace velmaro;

namespace {

std::unique_ptr<TSeleccionForm> Loaded(const char *id)
{
    auto form = std::make_unique<TSeleccionForm>();
    form->LoadTable(id);
    return form;
}

int ColumnTitled(const TSeleccionForm &form, const QString &title)
{
    for (int c = 0; c < form.DS->columnCount(); ++c)
        if (form.DS->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == title)
            return c;
    ADD_FAILURE() << "no column " << title.toStdString();
    return -1;
}

int RowWithText(const TSeleccionForm &form, int column, const QString &text)
{
    for (int r = 0; r < form.DS->rowCount(); ++r)
        if (form.DS->index(r, column).data().toString() == text)
            return r;
    ADD_FAILURE() << "no row " << text.toStdString();
    return -1;
}

void MoveTo(TSeleccionForm &form, int row, const QString &title)
{
    form.Grid->setCurrentIndex(form.DS->index(row, ColumnTitled(form, title)));
}

// Runs the modal loop and does `action` inside it; a loop the action did not end is ended with
// -1, so that a disabled OK shows as a wrong result instead of a hang.
int ExecDoing(TSeleccionForm &form, std::function<void()> action)
{
    QTimer::singleShot(0, &form, [&form, action] {
        action();
        if (form.isVisible())
            form.done(-1);
    });
    return form.exec();
}

int ExecPressingOk(TSeleccionForm &form)
{
    return ExecDoing(form, [&form] { QTest::mouseClick(form.BitBtn1, Qt::LeftButton); });
}

QColor PixelBelowText(TSeleccionForm &form, const QImage &shot, int row, int column)
{
    const QRect cell = form.Grid->visualRect(form.DS->index(row, column));
    return shot.pixelColor(cell.center().x(), cell.bottom());
}

const QColor Green(192, 220, 192);
const QColor White(Qt::white);

} // namespace

TEST(SeleccionFormTest, CreatedWithItsCaptionSizeAndButtons)
{
    TSeleccionForm form;
    form.show();
    EXPECT_EQ(form.windowTitle(), "Seleccionar Dato");
    EXPECT_EQ(form.size(), QSize(522, 285));
    EXPECT_EQ(form.minimumWidth(), 522);
    EXPECT_EQ(form.BitBtn1->text(), "OK");
    EXPECT_TRUE(form.BitBtn1->isDefault());
    EXPECT_EQ(form.BitBtn2->text(), "Cancelar");
    EXPECT_FALSE(form.BitBtn2->isDefault());
    EXPECT_EQ(form.Grid->geometry(), QRect(8, 7, 507, 250));
    EXPECT_EQ(form.BitBtn1->geometry(), QRect(337, 258, 87, 25));
    EXPECT_EQ(form.BitBtn2->geometry(), QRect(432, 258, 85, 25));
}

TEST(SeleccionFormTest, ControlsFollowTheOuterSizeWithinTheMinimumWidth)
{
    TSeleccionForm form;
    form.LoadTable("EC3");
    form.SetOuterSize(740, 455);  // not shown yet: the nominal frame
    EXPECT_EQ(form.size(), QSize(740 - 8, 455 - 34));
    form.show();
    EXPECT_EQ(form.Grid->geometry(), QRect(8, 7, 717, 386));
    EXPECT_EQ(form.BitBtn1->geometry(), QRect(547, 394, 87, 25));
    EXPECT_EQ(form.BitBtn2->geometry(), QRect(642, 394, 85, 25));

    const QSize frame = form.frameGeometry().size() - form.size();  // shown: the real frame
    form.SetOuterWidth(632);
    EXPECT_EQ(form.size() + frame, QSize(632, 421 + frame.height()));
    form.SetOuterSize(645, 400);
    EXPECT_EQ(form.size() + frame, QSize(645, 400));
    form.SetOuterWidth(300);
    EXPECT_EQ(form.width(), 522);  // the minimum outer width of 530
}

TEST(SeleccionFormTest, PicksTheRowInSoilGroupTables)
{
    const struct {
        const char *id;
        int downKeys;
        int position;
    } cases[] = {{"ES1", 0, 0}, {"ES1", 3, 3}, {"ES1", 9, 3}, {"ES2", 1, 1}, {"ES2", 2, 2}};
    for (const auto &c : cases) {
        auto form = Loaded(c.id);
        EXPECT_TRUE(form->BitBtn1->isEnabled()) << c.id;  // enabled at once, whatever the cell
        form->SetOuterWidth(632);  // the height as created
        form->show();
        const QRect lastRow = form->Grid->visualRect(form->DS->index(3, form->DS->columnCount() - 1));
        EXPECT_TRUE(form->Grid->viewport()->rect().contains(lastRow)) << c.id << ": all four rows in view";
        for (int k = 0; k < c.downKeys; ++k)
            QTest::keyClick(form->Grid, Qt::Key_Down);
        QTest::keyClick(form->Grid, Qt::Key_Right);
        EXPECT_TRUE(form->BitBtn1->isEnabled());
        EXPECT_EQ(ExecPressingOk(*form), TSeleccionForm::ModalResultOk) << c.id;
        EXPECT_EQ(form->CurrentRowPosition(), c.position) << c.id << " after " << c.downKeys;
    }
}

TEST(SeleccionFormTest, LoadedTableStartsOnItsFirstCellFromTheTop)
{
    for (const char *id : {"ES1", "ES2", "ES3", "EC1", "EC2", "EC3", "EC4"}) {
        auto form = Loaded(id);
        form->SetOuterSize(740, 455);
        form->show();
        EXPECT_EQ(form->Grid->currentIndex(), form->DS->index(0, 0)) << id;
        EXPECT_EQ(form->CurrentRowPosition(), 0) << id;
        EXPECT_EQ(form->Grid->verticalScrollBar()->value(), 0) << id;
        EXPECT_EQ(form->Grid->horizontalScrollBar()->maximum(), 0) << id << ": no column cut";
        const bool pickedByCell = QString(id).startsWith("EC") || QString(id) == "ES3";
        EXPECT_EQ(form->BitBtn1->isEnabled(), !pickedByCell) << id << ": the first column is text";
    }
}

TEST(SeleccionFormTest, OkOnlyOnFloatCellsThatHoldAValue)
{
    for (const char *id : {"ES3", "EC1", "EC2", "EC3", "EC4"}) {
        auto form = Loaded(id);
        for (int r = 0; r < form->DS->rowCount(); ++r) {
            for (int c = 0; c < form->DS->columnCount(); ++c) {
                form->Grid->setCurrentIndex(form->DS->index(r, c));
                const int field = form->DS->FieldOf(c);
                const bool pickable = form->MD.Field(field).type == FieldType::Float && !IsNull(form->MD.Cell(r, field));
                ASSERT_EQ(form->BitBtn1->isEnabled(), pickable) << id << " row " << r << " column " << c;
                const bool heading = form->MD.Cell(r, 1) == CellValue(0) && QString(id) != "EC4" && QString(id) != "ES3";
                EXPECT_FALSE(heading && form->BitBtn1->isEnabled()) << id << " heading row " << r;
            }
        }
    }
}

TEST(SeleccionFormTest, HeadingRowsOfCurveNumberTablesNeverEnableOk)
{
    auto form = Loaded("EC1");
    const int description = ColumnTitled(*form, "Cover type and hydrologic condition");
    const int heading = RowWithText(*form, description, "Impervious areas:");
    for (const char *soil : {"Soil A", "Soil B", "Soil C", "Soil D"}) {
        MoveTo(*form, heading + 1, soil);
        ASSERT_TRUE(form->BitBtn1->isEnabled());
        MoveTo(*form, heading, soil);
        EXPECT_FALSE(form->BitBtn1->isEnabled()) << soil;
    }
    EXPECT_THROW(form->CurrentCellValue(), TableError);
}

TEST(SeleccionFormTest, EmptySoilACellsOfRangelandsCannotBePicked)
{
    auto form = Loaded("EC4");
    for (int r = 0; r < 12; ++r) {
        MoveTo(*form, r, "Soil A");
        EXPECT_FALSE(form->BitBtn1->isEnabled()) << "row " << r;
        EXPECT_EQ(form->DS->index(r, ColumnTitled(*form, "Soil A")).data().toString(), "");
    }
    const double desertBrush[] = {63, 55, 49};
    for (int r = 12; r < 15; ++r) {
        MoveTo(*form, r, "Soil A");
        EXPECT_TRUE(form->BitBtn1->isEnabled()) << "row " << r;
        EXPECT_EQ(form->CurrentCellValue(), desertBrush[r - 12]);
    }
}

TEST(SeleccionFormTest, OkGivesTheValueOfTheCurrentCell)
{
    const struct {
        const char *id;
        const char *rowText;  // in the first shown column; null: take `row`
        int row;
        const char *column;
        double value;
    } cases[] = {
        {"ES3", nullptr, 0, "Initial Abstraction", 1.25},
        {"ES3", nullptr, 1, "Initial Abstraction", 1.6},
        {"ES3", nullptr, 6, "Initial Abstraction", 5},
        {"EC1", "Paved parking lots, roofs, driveways", 0, "Soil B", 98},
        {"EC1", "Streets and roads: Gravel", 0, "Soil D", 91},
        {"EC2", nullptr, 19, "Soil C", 83},
        {"EC3", nullptr, 6, "Soil A", 30},
        {"EC3", nullptr, 21, "Soil D", 86},
        {"EC4", nullptr, 14, "Soil A", 49},
        {"EC4", nullptr, 0, "Soil D", 93},
    };
    for (const auto &c : cases) {
        auto form = Loaded(c.id);
        const int row = c.rowText ? RowWithText(*form, 0, c.rowText) : c.row;
        MoveTo(*form, row, c.column);
        EXPECT_EQ(ExecPressingOk(*form), TSeleccionForm::ModalResultOk) << c.id << " row " << row;
        EXPECT_EQ(form->CurrentCellValue(), c.value) << c.id << " row " << row << " " << c.column;
        EXPECT_EQ(form->CurrentRowPosition(), row);
    }
}

TEST(SeleccionFormTest, TabMovesAcrossColumnsToThePickableOne)
{
    auto form = Loaded("ES3");
    form->show();
    QTest::keyClick(form->Grid, Qt::Key_Down);
    QTest::keyClick(form->Grid, Qt::Key_Tab);
    EXPECT_FALSE(form->BitBtn1->isEnabled());
    QTest::keyClick(form->Grid, Qt::Key_Tab);
    EXPECT_TRUE(form->BitBtn1->isEnabled());
    EXPECT_EQ(form->Grid->currentIndex().column(), 2);
    EXPECT_EQ(ExecDoing(*form, [&] { QTest::keyClick(form->Grid, Qt::Key_Return); }), TSeleccionForm::ModalResultOk);
    EXPECT_EQ(form->CurrentCellValue(), 1.6);
}

TEST(SeleccionFormTest, CancelCloseAndEscapeEndWithCancel)
{
    const std::function<void(TSeleccionForm &)> ways[] = {
        [](TSeleccionForm &f) { QTest::mouseClick(f.BitBtn2, Qt::LeftButton); },
        [](TSeleccionForm &f) { f.close(); },
        [](TSeleccionForm &f) { QTest::keyClick(f.Grid, Qt::Key_Escape); },
        [](TSeleccionForm &f) {  // Return on the focused "Cancelar" presses it, not the default OK
            f.BitBtn2->setFocus();
            QTest::keyClick(f.BitBtn2, Qt::Key_Return);
        },
    };
    for (const auto &way : ways) {
        auto form = Loaded("EC1");
        MoveTo(*form, 1, "Soil A");  // OK enabled, yet not pressed
        EXPECT_EQ(ExecDoing(*form, [&] { way(*form); }), TSeleccionForm::ModalResultCancel);
    }
}

TEST(SeleccionFormTest, ReturnInTheGridPressesOkAgainOnceCancelarLostTheFocus)
{
    auto form = Loaded("ES1");
    EXPECT_EQ(ExecDoing(*form,
                        [&] {
                            form->BitBtn2->setFocus();
                            form->Grid->setFocus();
                            QTest::keyClick(form->Grid, Qt::Key_Return);
                        }),
              TSeleccionForm::ModalResultOk);
}

TEST(SeleccionFormTest, DisabledOkDoesNotEndTheDialog)
{
    auto form = Loaded("EC1");
    EXPECT_EQ(ExecDoing(*form,
                        [&] {
                            QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
                            QTest::keyClick(form->Grid, Qt::Key_Return);
                        }),
              -1);
}

TEST(SeleccionFormTest, UnknownIdFailsBeforeAnythingIsShown)
{
    for (const char *id : {"XYZ", "ES4", "ES0", "EC5", "EC0", "es1", "ES1 ", "E", ""}) {
        TSeleccionForm form;
        EXPECT_THROW(form.LoadTable(id), TableClosedError) << '"' << id << '"';
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.DS->rowCount(), 0);
    }
    TSeleccionForm reused;
    reused.LoadTable("ES1");
    EXPECT_THROW(reused.LoadTable("ES9"), std::exception);  // no stale table answers
}

TEST(SeleccionFormTest, ColumnWidthsAreTheLongestOfTitleAndValues)
{
    const struct {
        const char *id;
        std::vector<int> widths;
    } cases[] = {
        {"ES1", {11, 9, 16, 20, 36}},
        {"ES2", {11, 9, 16, 58}},
        {"ES3", {11, 9, 35, 35, 19}},
        {"EC1", {11, 9, 53, 6, 6, 6, 6}},
        {"EC2", {11, 9, 26, 20, 6, 6, 6, 6}},
        {"EC3", {11, 9, 57, 6, 6, 6, 6}},
        {"EC4", {11, 9, 14, 20, 6, 6, 6, 6}},
    };
    for (const auto &c : cases) {
        auto form = Loaded(c.id);
        EXPECT_EQ(form->ColumnWidths(), c.widths) << c.id;
        const auto &shown = form->DS->Columns();
        ASSERT_EQ(shown.size() + 2, c.widths.size()) << c.id;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].widthChars, c.widths[i + 2]) << c.id;
            EXPECT_EQ(shown[i].title, shown[i].fieldName);
        }
    }
}

TEST(SeleccionFormTest, ShownNumbersUseTheirShortestForm)
{
    auto form = Loaded("ES3");
    const char *texts[] = {"1.25", "1.6", "2", "10", "8", "2", "5", "5"};
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(form->DS->index(r, 2).data().toString(), texts[r]);
}

TEST(SeleccionFormTest, ColumnsShareTheGridWidthAndKeepProportionsOnResize)
{
    auto form = Loaded("EC3");
    form->SetOuterSize(740, 455);
    form->show();
    const auto widths = [&] {
        std::vector<int> w;
        for (int c = 0; c < form->DS->columnCount(); ++c)
            w.push_back(form->Grid->columnWidth(c));
        return w;
    };
    const auto total = [](const std::vector<int> &w) { return std::accumulate(w.begin(), w.end(), 0); };
    const std::vector<int> wide = widths();
    EXPECT_EQ(total(wide), form->Grid->viewport()->width());
    EXPECT_GT(wide[0], 8 * wide[1]);  // 57 characters against 6

    form->SetOuterWidth(530);
    const std::vector<int> narrow = widths();
    EXPECT_EQ(total(narrow), form->Grid->viewport()->width());
    const double ratio = double(total(narrow)) / total(wide);
    for (std::size_t i = 0; i < wide.size(); ++i)
        EXPECT_LE(std::abs(narrow[i] - wide[i] * ratio), 1.0) << "column " << i;

    // A width the user drags stays as dragged, then keeps its proportion through a resize.
    form->Grid->horizontalHeader()->resizeSection(0, 2 * narrow[0]);
    QCoreApplication::processEvents();  // the grid lays out its scroll bars later
    const std::vector<int> dragged = widths();
    EXPECT_EQ(dragged[0], 2 * narrow[0]);
    EXPECT_GT(form->Grid->horizontalScrollBar()->maximum(), 0);
    form->SetOuterWidth(740);
    const std::vector<int> regrown = widths();
    const double back = double(total(regrown)) / total(dragged);
    for (std::size_t i = 0; i < wide.size(); ++i)
        EXPECT_LE(std::abs(regrown[i] - dragged[i] * back), 1.0) << "column " << i;
}

TEST(SeleccionFormTest, TitleRowIsTwoBoldLinesAndCellsAreBold)
{
    auto form = Loaded("ES1");
    const QHeaderView *titles = form->Grid->horizontalHeader();
    EXPECT_TRUE(titles->font().bold());
    EXPECT_EQ(titles->font().pointSize(), 9);
    EXPECT_GE(titles->height(), 2 * QFontMetrics(titles->font()).lineSpacing());
    EXPECT_TRUE(titles->defaultAlignment().toInt() & Qt::TextWordWrap);
    EXPECT_TRUE(form->Grid->font().bold());
    EXPECT_EQ(form->Grid->font().pointSize(), 8);
    EXPECT_TRUE(form->Grid->verticalHeader()->isVisibleTo(form->Grid));
    EXPECT_FALSE(form->Grid->showGrid());
}

TEST(SeleccionFormTest, RowColoursFollowFlagColorAndTheCurrentCellIsHighlighted)
{
    const struct {
        const char *id;
        std::vector<QColor> rows;
    } cases[] = {
        {"ES1", {Green, White, Green, White}},
        {"EC1", {Green, White, White, White, Green, White, White, White, White, White, Green, White, White,
                 Green, White, White, Green, White}},
    };
    for (const auto &c : cases) {
        auto form = Loaded(c.id);
        form->SetOuterSize(740, 455);
        form->show();
        const QImage shot = form->Grid->viewport()->grab().toImage();
        std::size_t seen = 0;
        for (; seen < c.rows.size(); ++seen) {
            if (form->Grid->visualRect(form->DS->index(int(seen), 1)).bottom() >= shot.height())
                break;
            EXPECT_EQ(PixelBelowText(*form, shot, int(seen), 1), c.rows[seen]) << c.id << " row " << seen;
        }
        EXPECT_GE(seen, std::min<std::size_t>(c.rows.size(), 15)) << c.id << ": rows in view";
        EXPECT_EQ(PixelBelowText(*form, shot, 0, 0), form->Grid->palette().color(QPalette::Active, QPalette::Highlight));
    }
}

TEST(SeleccionFormTest, FloatCellsOfAHiddenRowAreDrawnWithoutText)
{
    TSeleccionForm form;
    form.DefineFields({"FlagMostrar", "FlagColor", "Name", "Value"}, {3, 3, 1, 6}, 10);
    form.AppendRow({1, 1, QString("shown"), 88});
    form.AppendRow({0, 1, QString("hidden"), 88});
    form.SetGridColumns({"FlagMostrar", "FlagColor", "Name", "Value"});

    const auto inkOf = [&](int row, int column) {
        QImage image(60, 20, QImage::Format_RGB32);
        QPainter painter(&image);
        form.GridDrawDataCell(painter, image.rect(), form.DS->index(row, column), false);
        painter.end();
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ink += image.pixelColor(x, y) != White;
        return ink;
    };
    EXPECT_GT(inkOf(0, 1), 0);
    EXPECT_EQ(inkOf(1, 1), 0);
    EXPECT_GT(inkOf(1, 0), 0);  // the text field of the same row still shows
}

TEST(SeleccionFormTest, BuildStepsRefuseInconsistentInput)
{
    TSeleccionForm form;
    EXPECT_THROW(form.DefineFields({"FlagMostrar", "FlagColor"}, {3}, 10), TableError);
    EXPECT_THROW(form.DefineFields({"FlagMostrar", "FlagColor", "X"}, {3, 3, 2}, 10), TableError);
    form.DefineFields({"FlagMostrar", "FlagColor", "X"}, {3, 3, 1}, 3);
    EXPECT_THROW(form.AppendRow({1, 1}), TableError);
    EXPECT_THROW(form.AppendRow({1, 1, QString("four")}), TableError);
    form.AppendRow({1, 0, QString("abc")});
    EXPECT_THROW(form.SetGridColumns({"FlagMostrar", "FlagColor", "Y"}), TableError);
    EXPECT_EQ(form.DS->rowCount(), 1);  // the refused row was not kept

    form.DefineFields({"Color", "FlagMostrar", "X"}, {3, 3, 1}, 3);
    EXPECT_THROW(form.SetGridColumns({"Color", "FlagMostrar", "X"}), TableError);
}
