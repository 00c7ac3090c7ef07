#pragma once

// The pieces of the numeric edit's exit sequence (re-read, re-render, bounds check when the user
// leaves a field) that concern the window around the field.

#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace velmaro {

// A leave with one of these reasons moves the focus inside the window; the others (a window or
// pop-up taking the focus) leave the field entered.
bool IsFocusMoveReason(Qt::FocusReason reason);

// Marks the field's window while one of its fields runs its exit sequence: a message shown then
// moves the focus through other fields, which must not check (and so message) in turn.
class ExitInProgress {
public:
    explicit ExitInProgress(QWidget *field);
    ~ExitInProgress();
    ExitInProgress(const ExitInProgress &) = delete;
    ExitInProgress &operator=(const ExitInProgress &) = delete;

    static bool In(const QWidget *field);

private:
    QPointer<QWidget> window_;
    QVariant before_;
};

// Makes every tab or stacked page that holds the widget the current one.
void ShowPagesHolding(QWidget *widget);

} // namespace velmaro
