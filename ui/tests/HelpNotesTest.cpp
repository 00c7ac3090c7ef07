#include "ui/HelpNotes.h"

#include "testsupport/RecordingPresenter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using velmaro::HelpNotesFile;
using velmaro::HelpNotesFolder;
using velmaro::OpenHelpNotes;

namespace {

const QString kHelpError = QStringLiteral(
    "Error on trying to open the help file. This problem can be due to the following thing: "
    "The file does not exist, or the Acrobat Reader program is not installed.");

class HelpNotesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(exeDir.isValid());
    }
    void TearDown() override
    {
        velmaro::SetDocumentOpener({});
    }

    static void MakeHelpFolder(const QString &exeDir) { QDir(exeDir).mkdir(QStringLiteral("Ayuda")); }
    void MakeHelpFile()
    {
        MakeHelpFolder(exeDir.path());
        QFile file(HelpNotesFile(exeDir.path()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    }
    // An opener that records what it was given and fails at once unless accepted.
    velmaro::DocumentOpener Opener(bool accepted)
    {
        return [this, accepted](const QUrl &url, const std::function<void()> &failed) {
            opened.push_back(url);
            if (!accepted)
                failed();
        };
    }
    void ExpectOneHelpError()
    {
        ASSERT_EQ(presenter.messages.size(), 1u);
        EXPECT_EQ(presenter.messages[0].caption, "Error");
        EXPECT_EQ(presenter.messages[0].text, kHelpError);
        EXPECT_EQ(presenter.messages[0].parent, &owner);
    }

    QTemporaryDir exeDir;
    velmaro::test::RecordingPresenter presenter;
    QWidget owner;
    std::vector<QUrl> opened;
};

TEST(HelpNotesPathTest, IsTheExecutableFolderFollowedByAyuda)
{
    EXPECT_EQ(HelpNotesFolder("/opt/velmaro"), "/opt/velmaro/Ayuda");
    EXPECT_EQ(HelpNotesFolder("/opt/velmaro/"), "/opt/velmaro/Ayuda");
    EXPECT_EQ(HelpNotesFile("/opt/velmaro"), "/opt/velmaro/Ayuda/Ayuda Sorvane y Velmaro.pdf");
}

TEST_F(HelpNotesTest, NoReadableFileShowsTheHelpErrorAndOpensNothing)
{
    const struct {
        const char *situation;
        void (*prepare)(const QString &exeDir);
    } cases[] = {
        {"no help folder", [](const QString &) {}},
        {"an empty help folder", [](const QString &exeDir) { MakeHelpFolder(exeDir); }},
        {"a folder in place of the file",
         [](const QString &exeDir) {
             MakeHelpFolder(exeDir);
             QDir().mkdir(HelpNotesFile(exeDir));
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.situation);
        QTemporaryDir otherExeDir;
        ASSERT_TRUE(otherExeDir.isValid());
        c.prepare(otherExeDir.path());
        presenter.messages.clear();
        OpenHelpNotes(&owner, otherExeDir.path(), Opener(true));
        ExpectOneHelpError();
        EXPECT_TRUE(opened.empty());
    }
}

TEST_F(HelpNotesTest, TheDesktopRefusingTheFileShowsTheHelpError)
{
    MakeHelpFile();
    OpenHelpNotes(&owner, exeDir.path(), Opener(false));
    ASSERT_EQ(opened.size(), 1u);
    ExpectOneHelpError();
}

// The desktop's launcher answers through its exit status, after the command has returned: with
// xdg-utils but no PDF viewer, "xdg-open" says "no method available" and ends with an error.
TEST_F(HelpNotesTest, ALauncherThatFailsLaterShowsTheHelpError)
{
    MakeHelpFile();
    const struct {
        const char *launcher;
        bool fails;
    } cases[] = {
        {"false", true},
        {"/nonexistent/xdg-open", true},
        {"true", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.launcher);
        presenter.messages.clear();
        OpenHelpNotes(&owner, exeDir.path(), velmaro::LauncherOpener(c.launcher));
        // A launcher that succeeds shows nothing: the wait runs out and the check below holds.
        (void)QTest::qWaitFor([this] { return !presenter.messages.empty(); }, c.fails ? 5000 : 500);
        if (c.fails)
            ExpectOneHelpError();
        else
            EXPECT_TRUE(presenter.messages.empty());
    }
}

TEST_F(HelpNotesTest, AnOpenedFileShowsNoMessage)
{
    MakeHelpFile();
    OpenHelpNotes(&owner, exeDir.path(), Opener(true));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_EQ(opened[0].toLocalFile(), HelpNotesFile(exeDir.path()));
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(HelpNotesTest, TheMenuOpensTheNotesStagedBesideTheExecutable)
{
    velmaro::SetDocumentOpener(Opener(true));
    OpenHelpNotes(&owner);
    EXPECT_TRUE(presenter.messages.empty());
    ASSERT_EQ(opened.size(), 1u);
    const QString staged = HelpNotesFile(QCoreApplication::applicationDirPath());
    EXPECT_EQ(opened[0].toLocalFile(), staged);

    QFile pdf(staged);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_GT(pdf.size(), 10000);
}

} // namespace
