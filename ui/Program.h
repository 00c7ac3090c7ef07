#pragma once

// The process as the program starts it: the number format first, before any window, then the
// application object with the window's look, the one model and the main window.

#include "engine/ModelState.h"

#include <QApplication>
#include <QStringList>

#include <memory>

namespace velmaro {

class TMainFormVelmaro;

// Shows the window, whose show event opens the About dialog first, then opens the study that the
// command line names after the program: `velmaro FILE`.
void ShowWithStudyOf(TMainFormVelmaro &window, const QStringList &arguments);

// Every entry point of ours already catches; this is only the last net, so that an error
// slipping past one is shown in the error box instead of ending the program.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;
};

class Program {
public:
    Program(int &argc, char **argv);
    ~Program();

    TMainFormVelmaro &Window() { return *window_; }
    // Shows the window with the study the command line names, and runs the message loop until
    // the window is closed.
    int Run();

private:
    struct NumberFormatFirst {
        NumberFormatFirst();
    };

    NumberFormatFirst numberFormat_;
    GuardedApplication application_;
    ModelState model_;
    std::unique_ptr<TMainFormVelmaro> window_;
};

} // namespace velmaro
