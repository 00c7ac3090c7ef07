#include "ui/AboutDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using velmaro::ShowAboutDialog;
using velmaro::TfrmIntroVelmaro;

namespace {

struct LabelPlace {
    const char *name;
    QRect place; // in GroupBox1
    int pixelSize;
    bool bold;
    bool centred;
    const char *text; // nullptr: the line is ours to write, checked by its prefix
    const char *prefix;
};

const LabelPlace kLabelPlaces[] = {
    {"Label1", {20, 16, 32, 20}, 16, false, true, "NURA", nullptr},
    {"Label2", {228, 16, 300, 20}, 16, false, true, "ORVIK Computational Information System", nullptr},
    {"Label3", {202, 56, 124, 29}, 24, true, true, "VELMARO", nullptr},
    {"Label4", {99, 92, 330, 20}, 16, false, true, "Model for Precipitation - Runoff Transformation",
     nullptr},
    {"Label5", {238, 128, 53, 13}, 11, false, true, "Version 1.1", nullptr},
    {"Label6", {240, 148, 49, 13}, 11, false, true, "Year 2006", nullptr},
    {"Label7", {183, 172, 163, 13}, 8, false, true, nullptr, "Development: "},
    {"Label8", {123, 188, 283, 13}, 8, false, true, nullptr, "Programming: "},
    {"Label9", {56, 232, 411, 26}, 11, false, true,
     "ORVIK S.A. is a company specialised in the execution of projects and works of erosion "
     "control and the care of the environment",
     nullptr},
    {"Label10", {58, 280, 413, 13}, 11, false, false, nullptr, ""},
    {"Label11", {168, 296, 192, 13}, 11, false, false, nullptr, ""},
};

TEST(AboutDialogTest, HasItsCaptionFixedSizeAndNoBorderIcons)
{
    TfrmIntroVelmaro dialog;
    EXPECT_EQ(dialog.windowTitle(), "NURA - VELMARO - ORVIK S.A.");
    EXPECT_EQ(dialog.minimumSize(), QSize(577, 391));
    EXPECT_EQ(dialog.maximumSize(), QSize(577, 391));
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    for (Qt::WindowType icon : {Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint,
                                Qt::WindowContextHelpButtonHint})
        EXPECT_FALSE(flags.testFlag(icon)) << icon;
    EXPECT_EQ(dialog.palette().color(QPalette::Window), dialog.palette().color(QPalette::Button));

    EXPECT_EQ(dialog.GroupBox1->geometry(), QRect(13, 7, 551, 372));
    EXPECT_TRUE(dialog.GroupBox1->title().isEmpty());
    EXPECT_EQ(dialog.font().pixelSize(), 11);
}

TEST(AboutDialogTest, LabelsSitAtTheirPlacesAndShowTheirWholeText)
{
    TfrmIntroVelmaro dialog;
    for (const LabelPlace &row : kLabelPlaces) {
        SCOPED_TRACE(row.name);
        auto *label = dialog.GroupBox1->findChild<QLabel *>(QString::fromLatin1(row.name));
        ASSERT_NE(label, nullptr);
        if (row.text)
            EXPECT_EQ(label->text(), QString::fromUtf8(row.text));
        else
            EXPECT_TRUE(label->text().startsWith(QString::fromLatin1(row.prefix)));
        EXPECT_GT(label->text().size(), int(std::strlen(row.prefix ? row.prefix : "")));
        EXPECT_EQ(label->font().pixelSize(), row.pixelSize);
        EXPECT_EQ(label->font().bold(), row.bold);

        // A label may only grow about its alignment point, and only to show its whole text.
        const QRect shown = label->geometry();
        EXPECT_EQ(shown.top(), row.place.top());
        EXPECT_GE(shown.width(), row.place.width());
        EXPECT_GE(shown.height(), row.place.height());
        if (row.centred) {
            EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
            EXPECT_NEAR(shown.center().x(), row.place.center().x(), 1);
        } else {
            EXPECT_TRUE(label->alignment() & Qt::AlignLeft);
            EXPECT_EQ(shown.left(), row.place.left());
        }
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(shown.width()), shown.height());
        } else {
            const QFontMetrics metrics(label->font());
            EXPECT_LE(metrics.horizontalAdvance(label->text()), shown.width());
            EXPECT_LE(metrics.height(), shown.height());
        }
        EXPECT_TRUE(dialog.GroupBox1->rect().contains(shown));
    }
    EXPECT_TRUE(dialog.Label9->wordWrap());
    EXPECT_EQ(dialog.Label9->alignment(), Qt::AlignCenter);
}

TEST(AboutDialogTest, OkIsTheDefaultButtonWithTheOkGlyph)
{
    TfrmIntroVelmaro dialog;
    EXPECT_EQ(dialog.BitBtn1->parentWidget(), dialog.GroupBox1);
    EXPECT_EQ(dialog.BitBtn1->geometry(), QRect(227, 328, 75, 25));
    EXPECT_EQ(dialog.BitBtn1->text(), "OK");
    EXPECT_FALSE(dialog.BitBtn1->icon().isNull());
    EXPECT_TRUE(dialog.BitBtn1->isDefault());
}

TEST(AboutDialogTest, OkAndEnterCloseTheDialog)
{
    const std::function<void(TfrmIntroVelmaro &)> closers[] = {
        [](TfrmIntroVelmaro &d) { QTest::keyClick(&d, Qt::Key_Return); },
        [](TfrmIntroVelmaro &d) { QTest::keyClick(&d, Qt::Key_Enter, Qt::KeypadModifier); },
        [](TfrmIntroVelmaro &d) { QTest::mouseClick(d.BitBtn1, Qt::LeftButton); },
    };
    for (const auto &close : closers) {
        TfrmIntroVelmaro dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        close(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST(AboutDialogTest, EscapeDoesNotCloseButTheProgramStillCan)
{
    TfrmIntroVelmaro dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QTest::keyClick(dialog.BitBtn1, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
}

TEST(AboutDialogTest, OpensCentredOnTheScreenOverAHiddenOwner)
{
    QWidget owner; // never shown, as the main window at start-up
    owner.setGeometry(0, 0, 200, 100);
    TfrmIntroVelmaro dialog(&owner);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QPoint screenCentre = dialog.screen()->availableGeometry().center();
    EXPECT_NEAR(dialog.frameGeometry().center().x(), screenCentre.x(), 2);
    EXPECT_NEAR(dialog.frameGeometry().center().y(), screenCentre.y(), 2);
}

// Runs check on the About dialog shown by ShowAboutDialog, from inside its modal loop.
void WhenShown(QWidget *owner, std::function<void(TfrmIntroVelmaro *)> check)
{
    QTimer::singleShot(0, owner, [owner, check] {
        check(owner->findChild<TfrmIntroVelmaro *>());
    });
}

TEST(AboutDialogTest, ShowAboutDialogShowsAModalDialogOwnedByTheWindowAndFreesIt)
{
    QWidget owner;
    for (int opening = 0; opening < 2; ++opening) {
        QPointer<TfrmIntroVelmaro> seen;
        bool modal = false;
        WhenShown(&owner, [&](TfrmIntroVelmaro *dialog) {
            ASSERT_NE(dialog, nullptr);
            seen = dialog;
            modal = dialog->isModal() && dialog->isVisible();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        ShowAboutDialog(&owner);
        EXPECT_TRUE(modal);
        EXPECT_TRUE(seen.isNull()) << "the dialog must be freed once closed";
        EXPECT_TRUE(owner.findChildren<TfrmIntroVelmaro *>().isEmpty());
    }
}

TEST(AboutDialogTest, ShowAboutDialogSurvivesTheOwnerFreeingTheDialog)
{
    auto *owner = new QWidget;
    QTimer::singleShot(0, [owner] {
        ASSERT_NE(owner->findChild<TfrmIntroVelmaro *>(), nullptr);
        delete owner; // takes the dialog with it while its modal loop runs
    });
    ShowAboutDialog(owner); // must neither free the dialog twice nor hang
}

} // namespace
