// The main of the benchmarks that build the program's windows: offscreen unless a display is
// asked for, with the number format and the look the program starts with, so that what they
// time is what a user's window does.

#include "text/FieldText.h"
#include "ui/ApplicationLook.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    velmaro::SetNumberFormat({'.', ','});
    QApplication application(argc, argv);
    velmaro::ApplyApplicationLook();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
