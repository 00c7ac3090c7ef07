#include "ui/Program.h"

#include "controls/MessagePresenter.h"
#include "text/FieldText.h"
#include "ui/ApplicationLook.h"
#include "ui/MainFormVelmaro.h"
#include "ui/StudyActions.h"

namespace velmaro {

Program::NumberFormatFirst::NumberFormatFirst()
{
    // Every number the program writes or reads uses these, whatever the regional settings say.
    SetNumberFormat({'.', ','});
}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    GuardEntryPoint(nullptr, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

Program::Program(int &argc, char **argv) : application_(argc, argv)
{
    ApplyApplicationLook();
    window_ = std::make_unique<TMainFormVelmaro>(model_);
}

Program::~Program() = default;

void ShowWithStudyOf(TMainFormVelmaro &window, const QStringList &arguments)
{
    window.show();
    if (arguments.size() > 1)
        GuardEntryPoint(&window, [&] { window.Studies->OpenStudy(arguments.at(1)); });
}

int Program::Run()
{
    // Qt has taken its own options out of the arguments by now.
    ShowWithStudyOf(*window_, QCoreApplication::arguments());
    return QApplication::exec();
}

} // namespace velmaro
