#include "ui/DataFiles.h"

#include "ui/HelpNotes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using velmaro::HelpNotesFile;
using velmaro::ProgramDataFolder;

namespace {

void PutFile(const QString &path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// A build folder keeps the data beside the executable; an installation keeps the executable in
// <prefix>/bin and the data in <prefix>/share/velmaro.
TEST(ProgramDataFolderTest, FindsTheDataBesideTheExecutableThenInTheInstalledFolder)
{
    const struct {
        const char *layout;
        bool beside, installed;
        const char *expected; // relative to the prefix
    } cases[] = {
        {"build folder", true, false, "bin"},
        {"installation", false, true, "share/velmaro"},
        {"both: the copy beside the executable wins", true, true, "bin"},
        {"neither: the place beside the executable is named", false, false, "bin"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        QTemporaryDir prefix;
        ASSERT_TRUE(prefix.isValid());
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        ASSERT_TRUE(QDir().mkpath(bin));
        if (c.beside)
            PutFile(HelpNotesFile(bin));
        if (c.installed)
            PutFile(HelpNotesFile(prefix.filePath(QStringLiteral("share/velmaro"))));
        EXPECT_EQ(ProgramDataFolder(bin, HelpNotesFile), prefix.filePath(QString::fromUtf8(c.expected)));
    }
}

} // namespace
