// Velmaro: a design rainfall over one small watershed turned into its surface-runoff hydrograph.

#include "ApplicationLook.h"
#include "MainFormVelmaro.h"
#include "ModelState.h"
#include "NumberText.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Every number the program writes or reads uses these, whatever the regional settings say.
    velmaro::SetNumberFormat({'.', ','});
    QApplication application(argc, argv);
    velmaro::ApplyApplicationLook();
    velmaro::ModelState model;
    velmaro::TMainFormVelmaro window(model);
    window.show();
    return QApplication::exec();
}
