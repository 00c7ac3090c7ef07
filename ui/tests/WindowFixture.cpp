#include "WindowFixture.h"

#include "ResultGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace velmaro {

void WindowTest::SetUp()
{
    SetMessagePresenter(&presenter);
    window = std::make_unique<TMainFormVelmaro>(model);
}

void WindowTest::TearDown()
{
    window.reset();
    SetMessagePresenter(nullptr);
}

QTimer *CloseNextModalDialog(QString *seen, bool *ownerWasOnScreen, const QWidget *owner)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (seen)
            *seen = modal->windowTitle();
        if (ownerWasOnScreen)
            *ownerWasOnScreen = owner->windowHandle() && owner->windowHandle()->isVisible();
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->accept();
        else
            modal->close();
        poll->stop();
        poll->deleteLater();
    });
    poll->start();
    return poll;
}

void WindowTest::ShowWindow()
{
    CloseNextModalDialog();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
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
