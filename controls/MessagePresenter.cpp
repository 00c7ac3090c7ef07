#include "controls/MessagePresenter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace velmaro {

namespace {

class BoxPresenter : public MessagePresenter {
public:
    void ShowMessage(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }
    void ShowNote(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }
    QMessageBox::StandardButton Ask(QWidget *parent, const Question &question) override
    {
        QMessageBox box(QMessageBox::Question, question.caption, question.text, question.buttons, parent);
        box.setDefaultButton(question.defaultButton);
        box.setEscapeButton(question.escapeButton);
        box.exec();
        const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
        return pressed == QMessageBox::NoButton ? question.escapeButton : pressed;
    }
    void Beep() override { QApplication::beep(); }
};

BoxPresenter &DefaultPresenter()
{
    static BoxPresenter presenter;
    return presenter;
}

MessagePresenter *current = nullptr;

// Whatever cursor an operation set, the user answers the message with the arrow.
class ArrowCursorScope {
public:
    ArrowCursorScope() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ArrowCursorScope() { QGuiApplication::restoreOverrideCursor(); }
    ArrowCursorScope(const ArrowCursorScope &) = delete;
    ArrowCursorScope &operator=(const ArrowCursorScope &) = delete;
};

} // namespace

MessagePresenter &Messages()
{
    return current ? *current : DefaultPresenter();
}

void SetMessagePresenter(MessagePresenter *presenter)
{
    current = presenter;
}

void ShowErrorMessage(const QString &text, QWidget *parent)
{
    ArrowCursorScope arrow;
    Messages().ShowMessage(parent, QStringLiteral("Error"), text);
}

void ShowApplicationError(const QString &text, QWidget *parent)
{
    Messages().ShowMessage(parent, QCoreApplication::applicationName(), text);
}

QString ErrorText(const std::exception &error)
{
    return QString::fromUtf8(error.what());
}

} // namespace velmaro
