#include "ui/tests/WindowFixture.h"

#include "controls/Unidades.h"
#include "ui/BoundsMessage.h"
#include "ui/ResultGrid.h"

#include <QLocale>
#include <QTabWidget>

#include <clocale>

namespace velmaro {
namespace {

// Every text the window shows after visiting each computing tab.
QStringList WindowTexts(TMainFormVelmaro &window)
{
    QStringList texts;
    for (QWidget *sheet : {window.Geometria, window.Suelo, window.Forzantes, window.Condicionantes,
                           window.Escorrentia})
        window.PageControl1->setCurrentWidget(sheet);
    for (const TUnidades *field : window.findChildren<TUnidades *>())
        texts.append(field->objectName() + "=" + field->text());
    for (const ResultGrid *grid : window.findChildren<ResultGrid *>())
        for (int row = 0; row < grid->RowCount(); ++row)
            for (int column = 0; column < grid->Cells().columnCount(); ++column)
                texts.append(grid->Cell(column, row));
    texts.append(window.cbSall->itemText(99));
    return texts;
}

class CommaLocaleTest : public WindowTest {
protected:
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
        WindowTest::TearDown();
    }
};

TEST_F(CommaLocaleTest, WindowShowsTheSameTextsWithACommaDecimalLocale)
{
    const QStringList pointTexts = WindowTexts(*window);
    window.reset();

    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/install-deps makes it)";
    QLocale::setDefault(QLocale(QLocale::German));

    ModelState commaModel;
    TMainFormVelmaro commaWindow(commaModel);
    const QStringList commaTexts = WindowTexts(commaWindow);
    EXPECT_EQ(commaTexts, pointTexts);
    EXPECT_TRUE(commaTexts.contains("euDdpmrhls=21.79"));
    EXPECT_TRUE(commaTexts.contains("627.68326"));

    Type(commaWindow.euNc, "85.9");
    EXPECT_EQ(commaModel.CurveNumber, 85);
    EXPECT_EQ(BoundsErrorText(0, 1.1E4900L),
              "The input value is outside the allowed range (0 - 1.1E4900)");
}

} // namespace
} // namespace velmaro
