#pragma once

// Help > Notes...: the help notes PDF beside the executable, opened in the desktop's viewer.

#include <QString>

#include <functional>

class QUrl;
class QWidget;

namespace velmaro {

// Hands a document to the desktop without waiting for its viewer; calls failed, then or later,
// when the desktop cannot show it.
using DocumentOpener = std::function<void(const QUrl &, std::function<void()> failed)>;

// Hands the document's path to the program launcher (the desktop's opener, "xdg-open") and
// watches its exit status from the event loop: a launcher that cannot start, or that ends with
// an error (no application for the file, for one), is a failure.
DocumentOpener LauncherOpener(const QString &launcher);

// The data folder followed by "Ayuda" (the folder, not the file).
QString HelpNotesFolder(const QString &dataFolder);
// "<data folder>/Ayuda/Ayuda Sorvane y Velmaro.pdf".
QString HelpNotesFile(const QString &dataFolder);

// Opens the help notes of the running executable (beside it or in its installed data folder)
// with the process's document opener; when the file is missing or the desktop cannot open it,
// shows the help error message over owner.
void OpenHelpNotes(QWidget *owner);
// The same for the data folder dataFolder and the opener open.
void OpenHelpNotes(QWidget *owner, const QString &dataFolder, const DocumentOpener &open);

// Replaces the process's document opener (LauncherOpener("xdg-open")), so that tests of the
// window can follow Help > Notes... without starting a viewer. An empty one restores it.
void SetDocumentOpener(DocumentOpener open);

} // namespace velmaro
