#include "ui/tests/WindowFixture.h"

#include "testsupport/ActiveWindow.h"
#include "ui/ApplicationLook.h"
#include "ui/ResultGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace velmaro {
namespace {

// The window tests see the program's style and palette, as a user does.
class ApplicationLookEnvironment final : public ::testing::Environment {
public:
    void SetUp() override { ApplyApplicationLook(); }
};
const auto *const applicationLook = ::testing::AddGlobalTestEnvironment(new ApplicationLookEnvironment);

} // namespace

void WindowTest::SetUp()
{
    window = std::make_unique<TMainFormVelmaro>(model);
}

void WindowTest::TearDown()
{
    window.reset();
}

void WindowTest::ShowWindow()
{
    CloseNextModalDialog();
    test::ShowActive(*window);
}

void WindowTest::ShowTab(QWidget *sheet)
{
    window->PageControl1->setCurrentWidget(sheet);
}

void WindowTest::Type(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
}

void WindowTest::Pick(QComboBox *list, int entry)
{
    list->setCurrentIndex(entry);
    emit list->activated(entry);
}

QStringList WindowTest::Column(const ResultGrid *grid, int column)
{
    QStringList cells;
    for (int row = 1; row < grid->RowCount(); ++row)
        cells.append(grid->Cell(column, row));
    return cells;
}

} // namespace velmaro
