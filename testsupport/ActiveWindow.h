#pragma once

class QWidget;

namespace velmaro::test {

// Shows `window` and waits until it is the active window, so that focus moves and typed keys
// reach its fields. A window that never becomes active fails the test.
void ShowActive(QWidget &window);

} // namespace velmaro::test
