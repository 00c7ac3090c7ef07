// The program's start-up, ending as soon as the About dialog is on screen: the benchmark times
// this process and reads its peak memory. Not part of the program.

#include "ui/MainFormVelmaro.h"
#include "ui/Program.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>

int main(int argc, char *argv[])
{
    velmaro::Program program(argc, argv);
    // Runs inside the About dialog's own event loop, once the dialog has been shown.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        QWidget *about = QApplication::activeModalWidget();
        if (about && about->isVisible())
            std::_Exit(0);
    });
    watch.start(0);
    program.Window().show();
    return 1;
}
