// The program's start-up, ending as soon as the About dialog is on screen: the benchmark times
// this process, and the process writes its own peak memory (VmHWM, in KiB) on standard output
// before it ends. Not part of the program, which takes no options.

#include "ui/MainFormVelmaro.h"
#include "ui/Program.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// The "VmHWM:" line of /proc/self/status: the most this process has held in memory, in KiB.
long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    velmaro::Program program(argc, argv);
    // Runs inside the About dialog's own event loop, once the dialog has been shown.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        QWidget *about = QApplication::activeModalWidget();
        if (about && about->isVisible()) {
            std::printf("%ld\n", PeakResidentKiB());
            std::fflush(stdout);
            std::_Exit(0);
        }
    });
    watch.start(0);
    program.Window().show();
    return 1;
}
