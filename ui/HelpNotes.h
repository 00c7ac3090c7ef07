#pragma once

// Help > Notes...: the help notes PDF beside the executable, opened in the desktop's viewer.

#include <QString>

#include <functional>

class QUrl;
class QWidget;

namespace velmaro {

// Hands a document to the desktop; true when the desktop took it.
using DocumentOpener = std::function<bool(const QUrl &)>;

// The executable's folder followed by "Ayuda" (the folder, not the file).
QString HelpNotesFolder(const QString &exeDir);
// "<exe dir>/Ayuda/Ayuda Sorvane y Velmaro.pdf".
QString HelpNotesFile(const QString &exeDir);

// Opens the help notes of the running executable (beside it or in its installed data folder) with the process's document opener; when the
// file is missing or the desktop cannot open it, shows the help error message over owner.
void OpenHelpNotes(QWidget *owner);
// The same for the executable folder exeDir and the opener open.
void OpenHelpNotes(QWidget *owner, const QString &exeDir, const DocumentOpener &open);

// Replaces the process's document opener (QDesktopServices::openUrl), so that tests of the
// window can follow Help > Notes... without starting a viewer. An empty one restores it.
void SetDocumentOpener(DocumentOpener open);

} // namespace velmaro
