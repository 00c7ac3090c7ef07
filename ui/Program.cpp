#include "ui/Program.h"

#include "controls/MessagePresenter.h"
#include "text/FieldText.h"
#include "ui/ApplicationLook.h"
#include "ui/MainFormVelmaro.h"

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

int Program::Run()
{
    window_->show();
    return QApplication::exec();
}

} // namespace velmaro
