#include "ui/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

namespace velmaro {
namespace {

// Off unless asked for (QT_LOGGING_RULES="velmaro.data.debug=true"): says which folder each
// data file was taken from, for checking an installation.
Q_LOGGING_CATEGORY(lcDataFiles, "velmaro.data", QtInfoMsg)

// The installed data folder seen from the installed executable's folder, set by the install
// rules ("../share/velmaro" in the usual layout).
const QString kInstalledFromBin = QStringLiteral(VELMARO_DATA_FROM_BIN);

} // namespace

QString ProgramDataFolder(const QString &exeDir, DataFileIn fileIn)
{
    const QString installed = QDir::cleanPath(QDir(exeDir).filePath(kInstalledFromBin));
    for (const QString &folder : {exeDir, installed}) {
        if (QFileInfo::exists(fileIn(folder))) {
            qCDebug(lcDataFiles, "using %s", qPrintable(fileIn(folder)));
            return folder;
        }
    }
    qCDebug(lcDataFiles, "not found: %s", qPrintable(fileIn(exeDir)));
    return exeDir;
}

QString ProgramDataFolder(DataFileIn fileIn)
{
    return ProgramDataFolder(QCoreApplication::applicationDirPath(), fileIn);
}

} // namespace velmaro
