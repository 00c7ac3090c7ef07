#include "controls/SciEdit.h"
#include "controls/tests/ControlsTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

#include <functional>
#include <stdexcept>
#include <vector>

namespace velmaro {
namespace {

using test::WindowTest;

class FloatEdit : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        before = new QLineEdit(window.get());
        edit = new TSciFloatEdit(window.get());
        after = new QLineEdit(window.get());
        before->setGeometry(10, 10, 80, 21);
        edit->setGeometry(100, 10, 121, 21);
        after->setGeometry(230, 10, 80, 21);
        edit->SetDecimalPlaces(3);
        edit->SetSciRange(true);
        edit->SetSciMax(10000.0L);
        edit->SetTrimTrailingZeroes(true);
        edit->OnChange = [this](TSciCustomEdit *sender) {
            EXPECT_EQ(sender, edit);
            ++changes;
            values.push_back(edit->AsFloat());
        };
        ShowWindow();
    }

    // Focuses the field with its text selected, types, and returns the messages shown.
    void TypeInto(const QString &text)
    {
        Focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void LeaveByTab() { QTest::keyClick(edit, Qt::Key_Tab); }

    QLineEdit *before = nullptr;
    TSciFloatEdit *edit = nullptr;
    QLineEdit *after = nullptr;
    int changes = 0;
    std::vector<long double> values;
};

TEST_F(FloatEdit, AWrittenValueIsRenderedAndReadBack)
{
    edit->SetAsFloat(1.23456L);
    EXPECT_EQ(edit->text(), "1.235");
    EXPECT_EQ(edit->AsFloat(), 1.235L);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(values, std::vector<long double>{1.235L});
    edit->SetAsFloat(1.23456L);   // the same text again: no change to notify
    EXPECT_EQ(changes, 1);
    edit->SetAsFloat(1.235L);
    EXPECT_EQ(changes, 1);
    edit->SetAsFloat(21790.0L);
    EXPECT_EQ(edit->text(), "2.179E+4");
    EXPECT_EQ(changes, 2);
}

TEST_F(FloatEdit, AnErrorInOnChangeReachesTheWriter)
{
    edit->OnChange = [](TSciCustomEdit *) { throw std::runtime_error("handler failed"); };
    EXPECT_THROW(edit->SetAsFloat(5.0L), std::runtime_error);
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_THROW(edit->SetText("7"), std::runtime_error);
}

TEST_F(FloatEdit, ProgramTextIsReadAtOnceAndErrorsReachTheCaller)
{
    edit->setText("12.5");
    EXPECT_EQ(edit->AsFloat(), 12.5L);
    EXPECT_EQ(changes, 1);
    try {
        edit->SetText("abc");
        ADD_FAILURE() << "abc was read";
    } catch (const ConversionError &error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(presenter.messages.empty());
}

// QLineEdit's setText and clear are not virtual: a write through them must still be read.
TEST_F(FloatEdit, AWriteThroughTheLineEditIsReadAndRendered)
{
    QLineEdit *line = edit;
    line->setText("12.500");   // read, re-rendered and read again, as SetText does
    EXPECT_EQ(edit->text(), "12.5");
    EXPECT_EQ(values, (std::vector<long double>{12.5L, 12.5L}));
    line->clear();
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(values.back(), 0.0L);
    EXPECT_TRUE(presenter.messages.empty());
    line->setText("abc");
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "'abc' is not a valid floating point value");
}

TEST_F(FloatEdit, TypingAnUnfinishedNumberReadsItsPrefixAndLeavingRendersIt)
{
    TypeInto("1e");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(values, (std::vector<long double>{1.0L, 1.0L}));
    EXPECT_EQ(edit->text(), "1e");
    LeaveByTab();
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(edit->text(), "1");
    EXPECT_EQ(edit->AsFloat(), 1.0L);
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(FloatEdit, AnUnreadableKeystrokeRaisesTheErrorAndEveryReadAgain)
{
    TypeInto("1-");
    ASSERT_EQ(changes, 2);
    QTest::keyClick(edit, Qt::Key_2);
    EXPECT_EQ(changes, 2);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, QCoreApplication::applicationName());
    EXPECT_EQ(presenter.messages[0].text, "'1-2' is not a valid floating point value");
    EXPECT_EQ(edit->text(), "1-2");
    EXPECT_THROW(edit->AsFloat(), ConversionError);
    EXPECT_THROW(edit->AsFloat(), ConversionError);

    // Leaving stops at the read: the text stays as typed, the error is shown again.
    LeaveByTab();
    EXPECT_EQ(edit->text(), "1-2");
    EXPECT_EQ(presenter.messages.size(), 2u);
    QTest::keyClick(after, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(edit->hasFocus());
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->AsFloat(), 1.0L);
    EXPECT_EQ(changes, 3);
}

struct BoundsCase {
    const char *typed;
    TBoundsValidationType kind;
    const char *shown;
};

TEST_F(FloatEdit, BoundsAreCheckedOnlyOnLeaving)
{
    edit->SetBoundLower(0.0L);
    edit->SetBoundUpper(100.0L);
    edit->SetBoundsEnabled(true);
    std::vector<TBoundsValidationType> reported;
    QStringList reportedTexts;
    edit->OnBoundsError = [&](TSciCustomEdit *, const QString &value, TBoundsValidationType kind) {
        reported.push_back(kind);
        reportedTexts.push_back(value);
    };
    const BoundsCase cases[] = {
        {"100", bvtNone, "100"},
        {"100.001", bvtAboveUpper, "100.001"},
        {"-1", bvtBelowLower, "-1"},
        {"100.0004", bvtNone, "100"},
        {"0", bvtNone, "0"},
    };
    for (const BoundsCase &c : cases) {
        reported.clear();
        reportedTexts.clear();
        TypeInto(c.typed);
        EXPECT_TRUE(reported.empty()) << c.typed;
        LeaveByTab();
        EXPECT_EQ(edit->text(), c.shown);
        EXPECT_EQ(edit->BoundsError(), c.kind) << c.typed;
        if (c.kind == bvtNone) {
            EXPECT_TRUE(reported.empty()) << c.typed;
        } else {
            EXPECT_EQ(reported, std::vector<TBoundsValidationType>{c.kind}) << c.typed;
            EXPECT_EQ(reportedTexts, QStringList{c.shown});
        }
    }
    EXPECT_TRUE(presenter.messages.empty());
}

TEST_F(FloatEdit, WithoutAHandlerTheBuiltInMessagesNameTheBoundAndKeepTheFocus)
{
    edit->SetBoundLower(-2.5L);
    edit->SetBoundUpper(100.0L);
    edit->SetBoundsEnabled(true);
    TypeInto("101");
    LeaveByTab();
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].caption, "Error");
    EXPECT_EQ(presenter.messages[0].text,
              "Your entered Value is above the acceptable limit of 100.000");
    EXPECT_TRUE(edit->hasFocus());
    // The value out of range is stored and used all the same.
    EXPECT_EQ(edit->AsFloat(), 101.0L);

    edit->selectAll();
    QTest::keyClicks(edit, "-3");
    LeaveByTab();
    ASSERT_EQ(presenter.messages.size(), 2u);
    EXPECT_EQ(presenter.messages[1].text,
              "Your entered Value is below the acceptable limit of -2.500");
    EXPECT_TRUE(edit->hasFocus());

    edit->SetBoundsEnabled(false);
    LeaveByTab();
    EXPECT_EQ(presenter.messages.size(), 2u);
    EXPECT_TRUE(after->hasFocus());
}

TEST_F(FloatEdit, OnExitStartMayRewriteTheTextAndSkipTheCheck)
{
    edit->SetBoundUpper(10.0L);
    edit->SetBoundsEnabled(true);
    edit->OnExitStart = [](TSciCustomEdit *, QString &text, bool &furtherChecking) {
        text = "50";
        furtherChecking = false;
    };
    TypeInto("7");
    LeaveByTab();
    EXPECT_EQ(edit->text(), "50");
    EXPECT_EQ(edit->AsFloat(), 50.0L);
    EXPECT_TRUE(presenter.messages.empty());
}

// A dialog or another window taking the focus is not leaving the field.
TEST_F(FloatEdit, ActivatingAnotherWindowDoesNotRunTheExitSequence)
{
    edit->SetBoundUpper(10.0L);
    edit->SetBoundsEnabled(true);
    int exits = 0;
    edit->OnExit = [&](TSciCustomEdit *) { ++exits; };
    TypeInto("50");
    QWidget other;
    ASSERT_NO_FATAL_FAILURE(test::ShowActive(other));
    EXPECT_FALSE(edit->hasFocus());
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(presenter.messages.empty());
    EXPECT_EQ(edit->text(), "50");

    ASSERT_NO_FATAL_FAILURE(test::ShowActive(*window));
    ASSERT_TRUE(edit->hasFocus());
    LeaveByTab();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(presenter.messages.size(), 1u);
}

// The bounds message of one field, shown as a window that takes the focus, must not make the
// field the focus was going to validate in turn (which would message back and forth).
TEST_F(FloatEdit, ABoundsMessageDoesNotMakeTheNextFieldCheckItself)
{
    auto *next = new TSciFloatEdit(window.get());
    next->setGeometry(230, 40, 80, 21);
    next->show();
    QWidget::setTabOrder(edit, next);
    next->SetBoundUpper(1.0L);
    next->SetBoundsEnabled(true);
    next->SetAsFloat(5.0L);   // out of range, written by the program
    edit->SetBoundUpper(10.0L);
    edit->SetBoundsEnabled(true);
    QWidget dialog;
    presenter.whileShown = [&] {
        if (presenter.messages.size() > 3)
            return;   // messages bouncing between the fields: the count below fails
        ASSERT_NO_FATAL_FAILURE(test::ShowActive(dialog));
        dialog.hide();
        ASSERT_NO_FATAL_FAILURE(test::ShowActive(*window));
    };
    TypeInto("50");
    LeaveByTab();
    presenter.whileShown = nullptr;
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_TRUE(presenter.messages[0].text.contains("10.000"));
    EXPECT_TRUE(edit->hasFocus());
    // The user leaves again: the field reports again, the other never.
    LeaveByTab();
    EXPECT_EQ(presenter.messages.size(), 2u);
    EXPECT_TRUE(edit->hasFocus());
}

// Clicking another tab hides the field's page with the field: a value out of range is reported
// over the field's own tab and the focus goes back to the field there; a value in range lets the
// other tab open.
TEST_F(WindowTest, LeavingByAnotherTabReportsAndReturnsOnTheFieldsOwnTab)
{
    auto *tabs = new QTabWidget(window.get());
    tabs->setGeometry(0, 0, 400, 150);
    auto *own = new QWidget;
    auto *field = new TSciFloatEdit(own);
    field->setGeometry(10, 10, 100, 21);
    auto *ownNext = new QLineEdit(own);
    ownNext->setGeometry(10, 40, 100, 21);
    auto *other = new QWidget;
    auto *otherField = new QLineEdit(other);
    otherField->setGeometry(10, 10, 100, 21);
    tabs->addTab(own, "Own");
    tabs->addTab(other, "Other");
    field->SetBoundUpper(100.0L);
    field->SetBoundsEnabled(true);
    field->OnBoundsError = [&](TSciCustomEdit *sender, const QString &, TBoundsValidationType) {
        Messages().ShowMessage(sender, "Error", "out of range");
        sender->setFocus(Qt::OtherFocusReason);
    };
    ShowWindow();
    bool fieldInViewUnderMessage = false;
    presenter.whileShown = [&] {
        fieldInViewUnderMessage = field->isVisible() && tabs->currentWidget() == own;
    };

    const struct {
        const char *typed;
        long double value;
        int messages;
        QWidget *page;
        QWidget *focus;
    } cases[] = {{"101", 101.0L, 1, own, field}, {"50", 50.0L, 0, other, otherField}};
    for (const auto &c : cases) {
        presenter.messages.clear();
        tabs->setCurrentWidget(own);
        Focus(field);
        field->selectAll();
        QTest::keyClicks(field, c.typed);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
        QApplication::processEvents();
        EXPECT_EQ(presenter.messages.size(), static_cast<std::size_t>(c.messages)) << c.typed;
        if (c.messages > 0) {
            EXPECT_TRUE(fieldInViewUnderMessage);
        }
        EXPECT_EQ(tabs->currentWidget(), c.page) << c.typed;
        EXPECT_EQ(QApplication::focusWidget(), c.focus) << c.typed;
        EXPECT_EQ(field->AsFloat(), c.value) << c.typed;
    }
}

TEST_F(FloatEdit, CtrlNEmptiesTheFieldThenADigitStartsAfresh)
{
    edit->SetBlankWhenNull(true);
    edit->SetAsFloat(42.0L);
    QStringList events;
    edit->OnChange = [&](TSciCustomEdit *) { events.push_back("change:" + edit->text()); };
    edit->OnNull = [&](TSciCustomEdit *) { events.push_back("null"); };
    Focus(edit);
    QTest::keyClick(edit, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(events, (QStringList{"change:", "null"}));
    EXPECT_TRUE(edit->Null());
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(edit->AsFloat(), 0.0L);
    QTest::keyClick(edit, Qt::Key_7);
    EXPECT_FALSE(edit->Null());
    EXPECT_EQ(edit->text(), "7");
    EXPECT_EQ(edit->AsFloat(), 7.0L);
}

// A handler that stores what the user entered must tell the user's changes from the program's.
TEST_F(FloatEdit, ChangedByUserTellsTheUsersEditsFromTheProgramsWrites)
{
    std::vector<bool> byUser;
    edit->OnChange = [&](TSciCustomEdit *) { byUser.push_back(edit->ChangedByUser()); };
    const auto paste = [this] {
        QApplication::clipboard()->setText("8.5");
        Focus(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    };
    const struct {
        const char *action;
        std::function<void()> act;
        bool user;
    } cases[] = {
        {"typing", [this] { TypeInto("1.23456"); }, true},
        {"leaving, which renders the text again", [this] { LeaveByTab(); }, false},
        {"a value written", [this] { edit->SetAsFloat(2.5L); }, false},
        {"pasting", paste, true},
        {"the null key", [this] { QTest::keyClick(edit, Qt::Key_N, Qt::ControlModifier); }, true},
        {"a text written", [this] { edit->SetText("3"); }, false},
        {"deleting", [this] {
             Focus(edit);
             edit->end(false);
             QTest::keyClick(edit, Qt::Key_Backspace);
         }, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action);
        byUser.clear();
        c.act();
        ASSERT_FALSE(byUser.empty()) << "no change";
        EXPECT_EQ(byUser, std::vector<bool>(byUser.size(), c.user));
    }
    EXPECT_FALSE(edit->ChangedByUser()) << "outside any change";
}

TEST_F(FloatEdit, TheNullTextIsClearedByTheFirstTypedCharacter)
{
    edit->SetNullStr("n/a");
    edit->SetNull(true);
    EXPECT_EQ(edit->text(), "n/a");
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(edit->AsFloat(), 0.0L);
    Focus(edit);
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_3);
    EXPECT_EQ(edit->text(), "3");
    EXPECT_FALSE(edit->Null());
    edit->SetNull(true);
    edit->SetAsFloat(0.0L);   // a write always ends the null state
    EXPECT_FALSE(edit->Null());
    EXPECT_EQ(edit->text(), "0");

    edit->SetAllowKbdNull(false);
    QTest::keyClick(edit, Qt::Key_N, Qt::ControlModifier);
    EXPECT_FALSE(edit->Null());
}

TEST_F(FloatEdit, TheFilterAdmitsOnlyNumberCharacters)
{
    TypeInto("1a,5x");
    EXPECT_EQ(edit->text(), "1,5");
    EXPECT_EQ(presenter.beeps, 2);
    EXPECT_EQ(edit->AsFloat(), 15.0L);
    edit->selectAll();
    QTest::keyClicks(edit, "+2.5E-1");
    EXPECT_EQ(edit->AsFloat(), 0.25L);
    EXPECT_EQ(presenter.beeps, 2);
    QTest::keyClick(edit, Qt::Key_Backspace);   // control characters pass
    EXPECT_EQ(edit->text(), "+2.5E-");
    // A letter typed with Alt (or AltGr as Ctrl+Alt) is still a typed letter.
    QTest::keyClick(edit, Qt::Key_A, Qt::AltModifier);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(edit->text(), "+2.5E-");
    EXPECT_EQ(presenter.beeps, 4);

    // The keypad's decimal key types the decimal separator whatever the keyboard sends.
    edit->SetNumPadDecimal(true);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_1);
    QTest::keyClick(edit, Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClick(edit, Qt::Key_5);
    EXPECT_EQ(edit->text(), "1.5");
}

TEST_F(FloatEdit, OnKeyPressSeesCharactersFirst)
{
    edit->OnKeyPress = [](TSciCustomEdit *, QChar &key) {
        if (key == '9')
            key = QChar();
        else if (key == 'x')
            key = '5';
        else if (key == 'b')
            key = '\b';
    };
    TypeInto("19x");
    EXPECT_EQ(edit->text(), "15");
    // A character turned into a backspace erases instead of going in.
    QTest::keyClick(edit, Qt::Key_B);
    EXPECT_EQ(edit->text(), "1");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(presenter.beeps, 0);
    EXPECT_TRUE(presenter.messages.empty());
}

// The key-down handler may swallow a key or turn it into another before the field's own rules.
TEST_F(FloatEdit, OnCNKeyDownSeesKeysFirst)
{
    edit->OnCNKeyDown = [](TSciCustomEdit *, int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_5)
            key = 0;
        else if (key == Qt::Key_F2)
            key = Qt::Key_Down;
    };
    TypeInto("152");
    EXPECT_EQ(edit->text(), "12");
    QTest::keyClick(edit, Qt::Key_F2);
    EXPECT_TRUE(after->hasFocus());
}

TEST_F(FloatEdit, EnterAndArrowsMoveTheFocusEscUndoes)
{
    TypeInto("12");
    QTest::keyClick(edit, Qt::Key_Escape);   // the typing is undone as one edit
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(values.back(), 0.0L);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(after->hasFocus());
    Focus(edit);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_TRUE(before->hasFocus());
    Focus(edit);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_TRUE(after->hasFocus());
    Focus(edit);
    edit->deselect();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(edit->selectedText(), "0");
}

TEST_F(FloatEdit, ReadOnlyIgnoresEveryEditingKey)
{
    edit->SetAsFloat(12.0L);
    edit->setReadOnlyMode(true);
    EXPECT_TRUE(edit->ReadOnly());
    EXPECT_EQ(edit->BackgroundColor(), QColor(181, 189, 204));
    QApplication::clipboard()->setText("9");
    Focus(edit);
    edit->home(false);
    QTest::keyClicks(edit, "34");
    EXPECT_EQ(presenter.beeps, 2);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(changes, 1);

    // Tab skips it.
    Focus(before);
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());

    edit->setReadOnlyMode(false);
    QTest::keyClick(before, Qt::Key_Tab);
    Focus(edit);
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_3);
    EXPECT_EQ(edit->text(), "123");
}

TEST_F(FloatEdit, PasteEndsTheNullState)
{
    edit->SetBlankWhenNull(true);
    edit->SetNull(true);
    QApplication::clipboard()->setText("8.5");
    Focus(edit);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(edit->Null());
    EXPECT_EQ(edit->AsFloat(), 8.5L);
}

TEST_F(FloatEdit, TheFontColourFollowsTheSignShown)
{
    edit->SetColorFontNeg(Qt::red);
    edit->SetColorFontPos(Qt::darkGreen);
    EXPECT_FALSE(edit->Color_Defaults());
    edit->SetAsFloat(-3.5L);
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red));
    edit->SetAsFloat(-0.0004L);   // shown as 0
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::darkGreen));
    edit->SetAsFloat(-2.0L);
    edit->SetAsFloat(-0.0001L);   // shown as -1E-4
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(Qt::red));
    edit->SetColor_Defaults(true);
    EXPECT_EQ(edit->ColorFontNeg(), edit->ColorFontPos());
}

TEST_F(FloatEdit, BackgroundFollowsTheState)
{
    edit->SetColorRW(Qt::white);
    edit->SetColorFocus(Qt::yellow);
    edit->SetColorDisabled(Qt::gray);
    Focus(before);
    EXPECT_EQ(edit->BackgroundColor(), QColor(Qt::white));
    Focus(edit);
    EXPECT_EQ(edit->BackgroundColor(), QColor(Qt::yellow));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->BackgroundColor(), QColor(Qt::white));
    edit->setEnabled(false);
    EXPECT_EQ(edit->BackgroundColor(), QColor(Qt::gray));
    edit->SetColorDisabled(QColor());   // no colour: back to ColorRW
    EXPECT_EQ(edit->BackgroundColor(), QColor(Qt::white));
}

TEST_F(FloatEdit, DefaultsOfANewField)
{
    TSciFloatEdit fresh;
    EXPECT_EQ(fresh.text(), "0.0000E+0");
    EXPECT_EQ(fresh.DecimalPlaces(), 4);
    EXPECT_FALSE(fresh.SciRange());
    EXPECT_EQ(fresh.SciMin(), 0.0001L);
    EXPECT_EQ(fresh.SciMax(), 1000000.0L);
    EXPECT_EQ(fresh.Scale(), 1.0L);
    EXPECT_EQ(fresh.width(), 81);
    EXPECT_TRUE(fresh.AllowKbdNull());
    EXPECT_TRUE(fresh.Color_Defaults());
    EXPECT_EQ(fresh.ColorRO(), QColor(181, 189, 204));
    EXPECT_EQ(fresh.ColorRW(), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(fresh.ColorDisabled(), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(fresh.Version(), "2.3");
    EXPECT_EQ(fresh.FlatBorder(), 2);
    fresh.SetFlatBorder(7);
    EXPECT_EQ(fresh.FlatBorder(), 2);
    fresh.SetFlatBorder(0);
    EXPECT_EQ(fresh.FlatBorder(), 1);
}

// The value held is only shown rounded: a text the field rendered from it reads back as the
// value; a text typed over it is read as typed.
TEST_F(FloatEdit, FullAccuracyKeepsAValueItsTextStandsFor)
{
    edit->SetFullAccuracy(true);
    edit->SetAsFloat(21790.4L);
    EXPECT_EQ(edit->text(), "2.179E+4");
    EXPECT_EQ(edit->AsFloat(), 21790.4L);
    edit->SetAsFloat(21795.0L);
    EXPECT_EQ(edit->text(), "2.18E+4");
    EXPECT_EQ(edit->AsFloat(), 21795.0L);
    edit->SetAsFloat(0.3737L);
    EXPECT_EQ(edit->text(), "0.374");
    EXPECT_EQ(edit->AsFloat(), 0.3737L);
    edit->SetText("0.375");
    EXPECT_EQ(edit->AsFloat(), 0.375L);
    edit->SetAsFloat(21790.4L);
    edit->SetFullAccuracy(false);
    EXPECT_EQ(edit->AsFloat(), 21790.0L);
}

TEST_F(FloatEdit, ScaleDividesTheValueShown)
{
    edit->SetScale(-1000.0L);
    EXPECT_EQ(edit->Scale(), 1000.0L);
    edit->SetAsFloat(2500.0L);
    EXPECT_EQ(edit->text(), "2.5");
    EXPECT_EQ(edit->AsScaledFloat(), 2.5L);
    edit->SetText("4");
    EXPECT_EQ(edit->AsFloat(), 4000.0L);
    edit->SetAsScaledFloat(1.5L);
    EXPECT_EQ(edit->AsFloat(), 1500.0L);
    edit->SetScale(0.0L);
    EXPECT_EQ(edit->Scale(), 1.0L);
    EXPECT_EQ(edit->text(), "1500");
}

TEST_F(FloatEdit, RenderingSettingsReRenderTheValue)
{
    edit->SetAsFloat(1234.5L);
    edit->SetShowThousandSeparators(true);
    EXPECT_EQ(edit->text(), "1,234.5");
    edit->SetDecimalPlaces(0);
    EXPECT_EQ(edit->text(), "1,235");
    EXPECT_EQ(edit->AsFloat(), 1235.0L);
    edit->SetSciMax(1000.0L);
    EXPECT_EQ(edit->text(), "1.2E+3");
    edit->SetBlankWhenZero(true);
    edit->SetAsFloat(0.0L);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(edit->AsFloat(), 0.0L);
}

TEST_F(FloatEdit, ANonFiniteValueCannotBeShownAndSaysSo)
{
    EXPECT_THROW(edit->SetAsFloat(std::numeric_limits<long double>::infinity()), ConversionError);
    EXPECT_EQ(edit->text(), "INF");
    EXPECT_THROW(edit->AsFloat(), ConversionError);
}

// The limit holds for what the user types; a value the program writes is shown whole (a cut
// text would read back as another number, and re-rendering it would cut it again).
TEST_F(FloatEdit, MaxLengthLimitsTypingNotTheValueShown)
{
    edit->SetMaxLength(4);
    edit->SetTrimTrailingZeroes(false);
    changes = 0;
    edit->SetAsFloat(12.5L);
    EXPECT_EQ(edit->text(), "12.500");
    EXPECT_EQ(edit->AsFloat(), 12.5L);
    EXPECT_EQ(changes, 1);

    edit->SetTrimTrailingZeroes(true);
    TypeInto("123456");
    EXPECT_EQ(edit->text(), "1234");
    EXPECT_EQ(edit->AsFloat(), 1234.0L);
    edit->SetMaxLength(0);
    QTest::keyClick(edit, Qt::Key_5);
    EXPECT_EQ(edit->text(), "12345");
}

TEST_F(FloatEdit, WhileLoadingTextChangesDoNotNotify)
{
    edit->BeginLoading();
    edit->SetAsFloat(3.0L);
    EXPECT_EQ(edit->text(), "3");
    EXPECT_EQ(changes, 0);
    edit->EndLoading();
    edit->SetAsFloat(4.0L);
    EXPECT_EQ(changes, 1);
}

TEST_F(FloatEdit, TheFlatFrameIsDrawnInTheBorderColour)
{
    edit->SetColorBorderUnfocus(Qt::red);
    edit->SetColorRW(Qt::white);
    edit->SetFlat(true);
    QImage flat = edit->grab().toImage();
    EXPECT_EQ(flat.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(flat.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(flat.pixelColor(2, 2), QColor(Qt::white));
    edit->SetFlatBorder(1);
    flat = edit->grab().toImage();
    EXPECT_EQ(flat.pixelColor(1, 1), QColor(Qt::white));
    edit->SetLineEdit(true);
    flat = edit->grab().toImage();
    EXPECT_EQ(flat.pixelColor(5, edit->height() - 1), QColor(Qt::red));
    EXPECT_EQ(flat.pixelColor(0, 0), QColor(Qt::white));
    edit->SetFlat(false);
    EXPECT_FALSE(edit->LineEdit());
}

TEST_F(FloatEdit, ANonNumericFieldReportsWithItsOwnMessage)
{
    auto *plain = new TSciBaseEdit(window.get());
    plain->setGeometry(100, 40, 80, 21);
    plain->show();
    plain->SetBoundsEnabled(true);
    Focus(plain);
    QTest::keyClick(plain, Qt::Key_Tab);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "Your entered Value is not acceptable!");
    // Every character may be typed into it.
    Focus(plain);
    QTest::keyClicks(plain, "ab c");
    EXPECT_EQ(plain->text(), "ab c");
    EXPECT_EQ(presenter.beeps, 0);
}

TEST(MessageSeam, CaptionsAndTheGuard)
{
    test::RecordingPresenter presenter;
    ShowErrorMessage("bad input");
    ShowApplicationError("it failed");
    GuardEntryPoint(nullptr, [] { throw ConversionError("'x' is not a valid floating point value"); });
    GuardEntryPoint(nullptr, [] {});
    ASSERT_EQ(presenter.messages.size(), 3u);
    EXPECT_EQ(presenter.messages[0].caption, "Error");
    EXPECT_EQ(presenter.messages[1].caption, QCoreApplication::applicationName());
    EXPECT_EQ(presenter.messages[1].text, "it failed");
    EXPECT_EQ(presenter.messages[2].caption, QCoreApplication::applicationName());
    EXPECT_EQ(presenter.messages[2].text, "'x' is not a valid floating point value");
    EXPECT_FALSE(QCoreApplication::applicationName().isEmpty());
}

} // namespace
} // namespace velmaro
