#include "controls/SciEdit.h"

#include "controls/ExitSequence.h"
#include "controls/MessagePresenter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTimer>
#include <QValidator>

#include <cmath>
#include <string>
#include <utility>

namespace velmaro {

namespace {

QColor WindowText()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Text);
}

// The shortcut look-ups are dear and run on every key: Cut matters only to a read-only field.
KeyPress PressOf(const QKeyEvent *event, bool readOnly)
{
    return {event->key(), event->modifiers(), event->text(),
            readOnly && event->matches(QKeySequence::Cut), event->matches(QKeySequence::Paste)};
}

// The field's length limit. Unlike QLineEdit's own limit it does not cut a text the program
// writes: that is shown whole, as a native edit does, since a cut text would read back as
// another number and its re-rendering would be cut again without end.
class LengthLimit : public QValidator {
public:
    LengthLimit(int maximum, QObject *parent)
        : QValidator(parent)
        , maximum_(maximum)
    {
    }
    State validate(QString &text, int &) const override
    {
        return text.size() > maximum_ ? Invalid : Acceptable;
    }

private:
    int maximum_;
};

} // namespace

// ---- TSciCustomEdit ----------------------------------------------------------------------------

TSciCustomEdit::TSciCustomEdit(QWidget *parent)
    : QLineEdit(parent)
{
    for (int code = 32; code < 256; ++code)
        filter_.allowed.set(static_cast<std::size_t>(code));
    savedAllowed_ = filter_.allowed;
    connect(this, &QLineEdit::textEdited, this, &TSciCustomEdit::UserEdited);
    connect(this, &QLineEdit::textChanged, this, &TSciCustomEdit::LineEditWrote);
    SetDefaultColors();
    UpdateColors();
}

QString TSciCustomEdit::GetText() const
{
    return null_ ? QString() : QLineEdit::text();
}

void TSciCustomEdit::SetText(const QString &text)
{
    if (text == QLineEdit::text())
        return;
    LeaveNullFor(text);
    {
        QSignalBlocker blocker(this);
        QLineEdit::setText(text);
    }
    ReadWrittenText();
}

void TSciCustomEdit::TextChanged()
{
    if (loading_)
        return;
    TextToValue();
    if (OnChange)
        OnChange(this);
}

void TSciCustomEdit::UserEdited(const QString &text)
{
    userEditing_ = true;
    const QScopedValueRollback byUser(changedByUser_, true);
    GuardEntryPoint(this, [&] {
        LeaveNullFor(text);
        TextChanged();
    });
}

// QLineEdit reports a user's edit with textEdited, then textChanged; a textChanged alone is a
// write through QLineEdit's own setText or clear, which no caller of ours waits on.
void TSciCustomEdit::LineEditWrote()
{
    if (std::exchange(userEditing_, false))
        return;
    GuardEntryPoint(this, [&] {
        LeaveNullFor(QLineEdit::text());
        ReadWrittenText();
    });
}

// Any text other than the null text ends the null state.
void TSciCustomEdit::LeaveNullFor(const QString &text)
{
    if (null_ && text != NullText())
        null_ = false;
}

// After a write: the change notification, the value read again, and the text shown for it.
void TSciCustomEdit::ReadWrittenText()
{
    TextChanged();
    TextToValue();
    DisplayText();
}

void TSciCustomEdit::DisplayText()
{
    if (null_)
        SetText(NullText());
}

void TSciCustomEdit::SetNull(bool on)
{
    if (on == null_)
        return;
    null_ = on;
    DisplayText();
}

void TSciCustomEdit::SetNullStr(const QString &text)
{
    if (text == nullStr_)
        return;
    nullStr_ = text;
    DisplayText();
}

void TSciCustomEdit::SetBlankWhenNull(bool on)
{
    if (on == blankWhenNull_)
        return;
    blankWhenNull_ = on;
    DisplayText();
}

void TSciCustomEdit::setReadOnlyMode(bool on)
{
    if (on == readOnly_)
        return;
    readOnly_ = on;
    QLineEdit::setReadOnly(on);
    if (on)
        filter_.allowed.reset();
    else
        filter_.allowed = savedAllowed_;
    setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
    UpdateColors();
}

void TSciCustomEdit::SetAllowedCharacters(std::string_view characters)
{
    filter_.allowed.reset();
    for (char c : characters)
        filter_.allowed.set(static_cast<unsigned char>(c));
    savedAllowed_ = filter_.allowed;
    if (readOnly_)
        filter_.allowed.reset();
}

void TSciCustomEdit::SetAlignment(Qt::Alignment alignment)
{
    QLineEdit::setAlignment(alignment);
    RecreateWnd();
}

void TSciCustomEdit::RecreateWnd()
{
    update();
    CreateWnd();
}

void TSciCustomEdit::EndLoading()
{
    loading_ = false;
    Loaded();
}

void TSciCustomEdit::showEvent(QShowEvent *event)
{
    QLineEdit::showEvent(event);
    GuardEntryPoint(this, [&] { CreateNativeOnce(); });
}

void TSciCustomEdit::CreateNativeOnce()
{
    if (std::exchange(nativeCreated_, true))
        return;
    CreateWnd();
}

// ---- focus ----

void TSciCustomEdit::Enter()
{
    entered_ = true;
    focused_ = true;
    UpdateColors();
    if (autoSelect_)
        selectAll();
    if (OnEnter)
        OnEnter(this);
}

void TSciCustomEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // During an exit sequence the focus may pass through here; the field that holds it at the
    // end is entered then.
    if (entered_ || ExitInProgress::In(this))
        return;
    GuardEntryPoint(this, [&] { Enter(); });
}

void TSciCustomEdit::EnterFocusedField()
{
    auto *field = qobject_cast<TSciCustomEdit *>(QApplication::focusWidget());
    if (field && !field->entered_)
        GuardEntryPoint(field, [&] { field->Enter(); });
}

// Whether the focus went to another widget of this window; asked only after a focus move.
bool TSciCustomEdit::FocusStaysInWindow() const
{
    const QWidget *next = QApplication::focusWidget();
    return next && next != this && next->window() == window();
}

void TSciCustomEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!entered_ || !IsFocusMoveReason(event->reason()))
        return;
    entered_ = false;
    if (ExitInProgress::In(this) || !FocusStaysInWindow()) {
        GuardEntryPoint(this, [&] { FinishExit(); });
        return;
    }
    {
        ExitInProgress exit(this);
        GuardEntryPoint(this, [&] { ExitField(); });
    }
    EnterFocusedField();
}

void TSciCustomEdit::ExitField()
{
    FinishExit();
}

void TSciCustomEdit::FinishExit()
{
    focused_ = false;
    UpdateColors();
    if (OnExit)
        OnExit(this);
}

// ---- keyboard ----

void TSciCustomEdit::keyPressEvent(QKeyEvent *event)
{
    GuardEntryPoint(this, [&] { HandleKey(event); });
}

void TSciCustomEdit::HandleKey(QKeyEvent *event)
{
    // The key-down rules see the key as OnCNKeyDown left it; the character filter, the key typed.
    int key = event->key();
    if (OnCNKeyDown) {
        OnCNKeyDown(this, key, event->modifiers());
        if (key == 0)
            return;
    }
    // Read after OnCNKeyDown, which may have made the field read-only.
    const KeyPress press = PressOf(event, readOnly_);
    KeyPress keyDown = press;
    keyDown.key = key;
    if (KeyDownHandled(keyDown) || CharacterHandled(press))
        return;
    if (press.paste)
        EndNullBeforeInput();
    QLineEdit::keyPressEvent(event);
}

bool TSciCustomEdit::KeyDownHandled(const KeyPress &press)
{
    switch (KeyDownRule(press, readOnly_)) {
    case KeyRule::Swallow:
        return true;
    case KeyRule::FocusPrevious:
        focusPreviousChild();
        return true;
    case KeyRule::FocusNext:
        focusNextChild();
        return true;
    default:
        return false;
    }
}

bool TSciCustomEdit::CharacterHandled(const KeyPress &press)
{
    const QChar typed = FilterCharacter(press, numPadDecimal_, GetNumberFormat().decimal);
    if (typed.isNull())
        return false;
    QChar character = typed;
    if (OnKeyPress) {
        OnKeyPress(this, character);
        if (character.isNull())
            return true;
    }
    switch (CharacterRule(character, typed, press.text, filter_)) {
    case KeyRule::PassOn:
        return false;
    case KeyRule::FocusNext:
        focusNextChild();
        return true;
    case KeyRule::Undo:
        undo();
        return true;
    case KeyRule::MakeNull:
        NullByUser();
        return true;
    case KeyRule::SelectAll:
        selectAll();
        return true;
    case KeyRule::Backspace:
        backspace();
        return true;
    case KeyRule::Refuse:
        Messages().Beep();
        return true;
    case KeyRule::TypeAsIs:
        EndNullBeforeInput();
        return false;
    case KeyRule::TypeCharacter:
        EndNullBeforeInput();
        insert(QString(character));
        return true;
    default:
        return true;
    }
}

// The null key empties the field: a change the user made.
void TSciCustomEdit::NullByUser()
{
    const QScopedValueRollback byUser(changedByUser_, true);
    SetNull(true);
    if (OnNull)
        OnNull(this);
}

// Typing or pasting into a null field starts from an empty text.
void TSciCustomEdit::EndNullBeforeInput()
{
    if (!null_)
        return;
    null_ = false;
    QSignalBlocker blocker(this);
    QLineEdit::clear();
}

// ---- TSciBaseEdit ------------------------------------------------------------------------------

TSciBaseEdit::TSciBaseEdit(QWidget *parent)
    : TSciCustomEdit(parent)
{
    resize(81, height());
    SetDefaultColors();
    UpdateColors();
}

void TSciBaseEdit::SetDefaultColors()
{
    TSciCustomEdit::SetDefaultColors();
    colorFontPos_ = WindowText();
    colorFontNeg_ = WindowText();
    DisplayText();
}

void TSciBaseEdit::DisplayText()
{
    TSciCustomEdit::DisplayText();
    SetFontColor(colorFontPos_);
}

void TSciBaseEdit::SetMaxLength(int length)
{
    if (length == maxLength_)
        return;
    maxLength_ = std::max(0, length);
    delete validator();
    if (maxLength_ > 0)
        setValidator(new LengthLimit(maxLength_, this));
    DisplayText();
}

void TSciBaseEdit::SetColorFontPos(const QColor &colour)
{
    if (colour == colorFontPos_)
        return;
    colorFontPos_ = colour;
    SetColor_Defaults(false);
    DisplayText();
}

void TSciBaseEdit::SetColorFontNeg(const QColor &colour)
{
    if (colour == colorFontNeg_)
        return;
    colorFontNeg_ = colour;
    SetColor_Defaults(false);
    DisplayText();
}

void TSciBaseEdit::ExitField()
{
    bool furtherChecking = true;
    if (OnExitStart) {
        QString text = QLineEdit::text();
        OnExitStart(this, text, furtherChecking);
        SetText(text);
    }
    TextToValue();
    DisplayText();
    if (BoundsEnabled() && furtherChecking) {
        // The page is still on its way out: the check waits until the other page is shown.
        if (HiddenWithItsPage())
            QTimer::singleShot(0, this, [this] { GuardEntryPoint(this, [this] { CheckBoundsOnItsPage(); }); });
        else
            CheckBounds();
    }
    FinishExit();
}

bool TSciBaseEdit::HiddenWithItsPage() const
{
    return !isVisible() && !isHidden() && window()->isVisible();
}

// A value out of range brings the field's page back, so that the message and the focus return
// to the field where the user sees it; a value in range lets the other page stay.
void TSciBaseEdit::CheckBoundsOnItsPage()
{
    if (!WithinBounds()) {
        ExitInProgress exit(this);
        ShowPagesHolding(this);
        setFocus(Qt::OtherFocusReason);
    }
    CheckBounds();
    EnterFocusedField();
}

void TSciBaseEdit::CheckBounds()
{
    if (!boundsEnabled_)
        return;
    if (OnBoundsError)
        OnBoundsError(this, GetText(), boundsError_);
    else
        ShowErrorMessage(QStringLiteral("Your entered Value is not acceptable!"), this);
}

// ---- TSciFloatEdit -----------------------------------------------------------------------------

TSciFloatEdit::TSciFloatEdit(QWidget *parent)
    : TSciBaseEdit(parent)
{
    const NumberFormat &format = GetNumberFormat();
    SetAllowedCharacters(std::string("+-0123456789Ee") + format.thousands + format.decimal);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    DisplayText();
}

long double TSciFloatEdit::AsFloat()
{
    TextToValue();
    return value_;
}

void TSciFloatEdit::SetAsFloat(long double x)
{
    if (!(x != value_ || Null()))
        return;
    value_ = x;
    LeaveNull();
    DisplayText();
}

long double TSciFloatEdit::ScaledValue() const
{
    return FloatIsZero(scale_) ? 0.0L : value_ / scale_;
}

long double TSciFloatEdit::AsScaledFloat()
{
    TextToValue();
    return ScaledValue();
}

void TSciFloatEdit::SetAsScaledFloat(long double x)
{
    SetAsFloat(x * scale_);
}

void TSciFloatEdit::SetScale(long double scale)
{
    scale = std::fabs(scale);
    if (FloatIsZero(scale))
        scale = 1.0L;
    if (scale == scale_)
        return;
    scale_ = scale;
    DisplayText();
}

template <class T>
void TSciFloatEdit::SetRendering(T &setting, T value)
{
    if (setting == value)
        return;
    setting = value;
    DisplayText();
}

void TSciFloatEdit::SetDecimalPlaces(int places) { SetRendering(settings_.DecimalPlaces, std::clamp(places, 0, 255)); }
void TSciFloatEdit::SetTrimTrailingZeroes(bool on) { SetRendering(settings_.TrimTrailingZeroes, on); }
void TSciFloatEdit::SetShowThousandSeparators(bool on) { SetRendering(settings_.ShowThousandSeparators, on); }
void TSciFloatEdit::SetSciRange(bool on) { SetRendering(settings_.SciRange, on); }
void TSciFloatEdit::SetBlankWhenZero(bool on) { SetRendering(settings_.BlankWhenZero, on); }

void TSciFloatEdit::SetSciMin(long double value)
{
    if (!SameFloat(value, settings_.SciMin))
        SetRendering(settings_.SciMin, value);
}

void TSciFloatEdit::SetSciMax(long double value)
{
    if (!SameFloat(value, settings_.SciMax))
        SetRendering(settings_.SciMax, value);
}

void TSciFloatEdit::SetFullAccuracy(bool on)
{
    fullAccuracy_ = on;
    if (!on)
        TextToValue();
}

void TSciFloatEdit::TextToValue()
{
    if (Null()) {
        value_ = 0.0L;
        return;
    }
    const QString text = QLineEdit::text();
    if (fullAccuracy_ && ShowsTheValueHeld(text))
        return;
    value_ = ParseEditText(text.toStdString()) * scale_;
}

// The field's own rendering of its value, or the value's untrimmed scientific form: a text the
// field wrote, or one that stands for the value as it is, so reading it back loses nothing.
bool TSciFloatEdit::ShowsTheValueHeld(const QString &text) const
{
    const std::string shown = text.toStdString();
    return shown == RenderEditValue(ScaledValue(), settings_) ||
           shown == RenderScientific(ScaledValue(), settings_.DecimalPlaces);
}

void TSciFloatEdit::DisplayText()
{
    if (Null()) {
        TSciBaseEdit::DisplayText();
        return;
    }
    const std::string shown = RenderEditValue(ScaledValue(), settings_);
    SetText(QString::fromStdString(shown));
    // The colour follows the number as shown: a value rendered as 0 is not negative.
    SetFontColor(!shown.empty() && shown.front() == '-' ? ColorFontNeg() : ColorFontPos());
}

TBoundsValidationType TSciFloatEdit::BoundsKind() const
{
    return value_ < boundLower_ ? bvtBelowLower : value_ > boundUpper_ ? bvtAboveUpper : bvtNone;
}

bool TSciFloatEdit::WithinBounds() const
{
    return BoundsKind() == bvtNone;
}

void TSciFloatEdit::CheckBounds()
{
    if (!BoundsEnabled())
        return;
    const TBoundsValidationType kind = BoundsKind();
    SetBoundsError(kind);
    if (kind == bvtNone)
        return;
    if (OnBoundsError) {
        OnBoundsError(this, GetText(), kind);
        return;
    }
    const QString bound = QString::fromStdString(
        RenderFixed(kind == bvtBelowLower ? boundLower_ : boundUpper_, settings_.DecimalPlaces));
    ShowErrorMessage((kind == bvtBelowLower
                          ? QStringLiteral("Your entered Value is below the acceptable limit of ")
                          : QStringLiteral("Your entered Value is above the acceptable limit of ")) +
                         bound,
                     this);
    setFocus(Qt::OtherFocusReason);
}

} // namespace velmaro
