#pragma once

// The one seam every modal message of the program goes through, so that tests can answer the
// messages and read their texts.

#include <QMessageBox>
#include <QString>

#include <exception>
#include <utility>

class QWidget;

namespace velmaro {

// A modal question with the question icon: its buttons, the one Enter presses and the one
// Escape or the close box presses.
struct Question {
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Modal message with the critical icon and one OK button.
    virtual void ShowMessage(QWidget *parent, const QString &caption, const QString &text) = 0;
    // Modal message with the information icon and one OK button.
    virtual void ShowNote(QWidget *parent, const QString &caption, const QString &text) = 0;
    // The button the user pressed.
    virtual QMessageBox::StandardButton Ask(QWidget *parent, const Question &question) = 0;
    virtual void Beep() = 0;
};

// The presenter in use: QMessageBox and QApplication::beep unless a test set its own.
MessagePresenter &Messages();
// nullptr restores the default presenter. The caller keeps ownership.
void SetMessagePresenter(MessagePresenter *presenter);

// Caption "Error"; the mouse cursor is the arrow while the message is shown.
void ShowErrorMessage(const QString &text, QWidget *parent = nullptr);
// Caption = the application's name: the box for failures that reach an entry point.
void ShowApplicationError(const QString &text, QWidget *parent = nullptr);
// The text of an exception's message (UTF-8).
QString ErrorText(const std::exception &error);

// Runs f; a std::exception from it is shown with ShowApplicationError and ends there. Every
// entry point that Qt calls (slot, event override) runs its work through this.
template <class F>
void GuardEntryPoint(QWidget *parent, F &&f)
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception &error) {
        ShowApplicationError(ErrorText(error), parent);
    } catch (...) {
        ShowApplicationError(QStringLiteral("Unexpected error"), parent);
    }
}

} // namespace velmaro
