#include "HelpNotes.h"

#include "DataFiles.h"
#include "MessagePresenter.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

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

bool OpenWithDesktop(const QUrl &document)
{
    return QDesktopServices::openUrl(document);
}

} // namespace

QString HelpNotesFolder(const QString &exeDir)
{
    const QString folder = exeDir.endsWith(QLatin1Char('/')) ? exeDir : exeDir + QLatin1Char('/');
    return folder + QStringLiteral("Ayuda");
}

QString HelpNotesFile(const QString &exeDir)
{
    return HelpNotesFolder(exeDir) + QStringLiteral("/Ayuda Sorvane y Velmaro.pdf");
}

void OpenHelpNotes(QWidget *owner, const QString &exeDir, const DocumentOpener &open)
{
    // The desktop may accept a path that is not there and fail later, out of our sight: only a
    // readable file is handed over, so that a missing one gets the message.
    const QFileInfo notes(HelpNotesFile(exeDir));
    const bool opened = notes.isFile() && notes.isReadable() &&
                        open(QUrl::fromLocalFile(notes.absoluteFilePath()));
    if (!opened)
        ShowErrorMessage(kHelpNotesError, owner);
}

void OpenHelpNotes(QWidget *owner)
{
    const DocumentOpener &open = ProcessOpener();
    OpenHelpNotes(owner, ProgramDataFolder(HelpNotesFile),
                  open ? open : DocumentOpener(OpenWithDesktop));
}

void SetDocumentOpener(DocumentOpener open)
{
    ProcessOpener() = std::move(open);
}

} // namespace velmaro
