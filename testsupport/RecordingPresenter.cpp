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

void RecordingPresenter::ShowNote(QWidget *parent, const QString &caption, const QString &text)
{
    messages.push_back({parent, caption, text, QMessageBox::Information});
    if (whileShown)
        whileShown();
}

QMessageBox::StandardButton RecordingPresenter::Ask(QWidget *parent, const Question &question)
{
    messages.push_back({parent, question.caption, question.text, QMessageBox::Question});
    if (whileShown)
        whileShown();
    if (answers.empty())
        return question.escapeButton;
    const QMessageBox::StandardButton answer = answers.front();
    answers.pop_front();
    return answer;
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
