#include "testsupport/RecordingPresenter.h"

namespace velmaro::test {

RecordingPresenter::RecordingPresenter()
{
    SetMessagePresenter(this);
}

RecordingPresenter::~RecordingPresenter()
{
    SetMessagePresenter(nullptr);
}

void RecordingPresenter::ShowMessage(QWidget *parent, const QString &caption, const QString &text)
{
    messages.push_back({parent, caption, text});
    if (whileShown)
        whileShown();
}

void RecordingPresenter::Beep()
{
    ++beeps;
}

QStringList RecordingPresenter::Texts() const
{
    QStringList texts;
    for (const Message &message : messages)
        texts.push_back(message.text);
    return texts;
}

} // namespace velmaro::test
