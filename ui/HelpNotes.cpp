#include "ui/HelpNotes.h"

#include "controls/MessagePresenter.h"
#include "ui/DataFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QUrl>
#include <QWidget>

namespace velmaro {
namespace {

const QString kHelpNotesError = QStringLiteral(
    "Error on trying to open the help file. This problem can be due to the following thing: "
    "The file does not exist, or the Acrobat Reader program is not installed.");

DocumentOpener &ProcessOpener()
{
    static DocumentOpener open;
    return open;
}

} // namespace

DocumentOpener LauncherOpener(const QString &launcher)
{
    return [launcher](const QUrl &document, std::function<void()> failed) {
        // Owned by the application: it outlives the menu command and goes with the program.
        auto *process = new QProcess(QCoreApplication::instance());
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, failed](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return;
                             failed();
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::finished, process,
                         [process, failed](int exitCode, QProcess::ExitStatus status) {
                             if (status != QProcess::NormalExit || exitCode != 0)
                                 failed();
                             process->deleteLater();
                         });
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        process->start(launcher, {document.toLocalFile()});
    };
}

QString HelpNotesFolder(const QString &dataFolder)
{
    const QString folder = dataFolder.endsWith(QLatin1Char('/')) ? dataFolder : dataFolder + QLatin1Char('/');
    return folder + QStringLiteral("Ayuda");
}

QString HelpNotesFile(const QString &dataFolder)
{
    return HelpNotesFolder(dataFolder) + QStringLiteral("/Ayuda Sorvane y Velmaro.pdf");
}

void OpenHelpNotes(QWidget *owner, const QString &dataFolder, const DocumentOpener &open)
{
    // The desktop may accept a path that is not there and fail later, out of our sight: only a
    // readable file is handed over, so that a missing one gets the message.
    const QFileInfo notes(HelpNotesFile(dataFolder));
    if (!notes.isFile() || !notes.isReadable()) {
        ShowErrorMessage(kHelpNotesError, owner);
        return;
    }
    // The failure may come after this command has ended: the window may be gone by then.
    open(QUrl::fromLocalFile(notes.absoluteFilePath()),
         [shownOver = QPointer<QWidget>(owner)] { ShowErrorMessage(kHelpNotesError, shownOver); });
}

void OpenHelpNotes(QWidget *owner)
{
    const DocumentOpener &open = ProcessOpener();
    OpenHelpNotes(owner, ProgramDataFolder(HelpNotesFile),
                  open ? open : LauncherOpener(QStringLiteral("xdg-open")));
}

void SetDocumentOpener(DocumentOpener open)
{
    ProcessOpener() = std::move(open);
}

} // namespace velmaro
