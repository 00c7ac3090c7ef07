#pragma once

// The mouse wheel changes a list only while the user works in it: over a list without the focus
// it does nothing, so that scrolling past a list never changes a value or recomputes.

#include <QObject>

class QComboBox;

namespace velmaro {

class WheelGuard final : public QObject {
public:
    using QObject::QObject;

    // The list no longer takes the focus from the wheel, and ignores the wheel until it has it.
    void Guard(QComboBox *list);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace velmaro
