#include "SciEdit.h"

#include "MessagePresenter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QValidator>

#include <cmath>
#include <string>

namespace velmaro {

namespace {

// The platform colours behind the field's defaults.
QColor SystemColor(QPalette::ColorRole role)
{
    return QApplication::palette().color(QPalette::Active, role);
}

QColor WindowBackground() { return SystemColor(QPalette::Base); }
QColor WindowFrame() { return SystemColor(QPalette::Shadow); }
QColor ButtonFace() { return SystemColor(QPalette::Button); }
QColor WindowText() { return SystemColor(QPalette::Text); }

constexpr char kControlA = 1;
constexpr char kBackspace = 8;
constexpr char kControlN = 14;
constexpr char kEnter = 13;
constexpr char kEscape = 27;

bool NoModifiers(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Whether QLineEdit would type the key's text: it takes Ctrl and Ctrl+Shift combinations as
// commands (copy, paste, undo) but types the text of every other key, Alt combinations included.
bool TypesText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    return text.at(0).category() == QChar::Other_Format ||
           (modifiers != Qt::ControlModifier && modifiers != (Qt::ControlModifier | Qt::ShiftModifier));
}

// The control character a key stands for in the character filter (0 for none).
char FilterCode(const QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return kEnter;
    if (key == Qt::Key_Escape)
        return kEscape;
    if (modifiers & Qt::ControlModifier) {
        if (key == Qt::Key_N)
            return kControlN;
        if (key == Qt::Key_A)
            return kControlA;
    }
    return 0;
}

// A leave with one of these reasons moves the focus inside the window; the others
// (a window or pop-up taking the focus) leave the field entered.
bool IsFocusMoveReason(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
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

// Set while one field runs its exit sequence: a message it shows moves the focus through
// other fields, which must not validate (and so message) in turn.
bool exitInProgress = false;

class ExitScope {
public:
    ExitScope() { exitInProgress = true; }
    ~ExitScope() { exitInProgress = false; }
    ExitScope(const ExitScope &) = delete;
    ExitScope &operator=(const ExitScope &) = delete;
};

// Makes every tab or stacked page that holds the widget the current one.
void ShowPagesHolding(QWidget *widget)
{
    for (QWidget *page = widget; page->parentWidget(); page = page->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
        if (!stack)
            continue;
        if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
            tabs->setCurrentWidget(page);
        else
            stack->setCurrentWidget(page);
    }
}

} // namespace

// ---- TSciCustomEdit ----------------------------------------------------------------------------

TSciCustomEdit::TSciCustomEdit(QWidget *parent)
    : QLineEdit(parent)
{
    for (int code = 32; code < 256; ++code)
        allowed_.set(static_cast<std::size_t>(code));
    savedAllowed_ = allowed_;
    connect(this, &QLineEdit::textEdited, this, &TSciCustomEdit::UserEdited);
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
    if (null_ && text != NullText())
        null_ = false;
    {
        QSignalBlocker blocker(this);
        QLineEdit::setText(text);
    }
    TextChanged();
    TextToValue();
    DisplayText();
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
    GuardEntryPoint(this, [&] {
        if (null_ && text != NullText())
            null_ = false;
        TextChanged();
    });
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
        allowed_.reset();
    else
        allowed_ = savedAllowed_;
    setFocusPolicy(on ? Qt::ClickFocus : Qt::StrongFocus);
    UpdateColors();
}

void TSciCustomEdit::SetAllowedCharacters(std::string_view characters)
{
    allowed_.reset();
    for (char c : characters)
        allowed_.set(static_cast<unsigned char>(c));
    savedAllowed_ = allowed_;
    if (readOnly_)
        allowed_.reset();
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

// ---- flat frame ----

void TSciCustomEdit::SetFlat(bool on)
{
    if (on == flat_)
        return;
    flat_ = on;
    if (!on)
        lineEdit_ = false;
    setFrame(!on);
    const int margin = on ? flatBorder_ + 1 : 0;
    setTextMargins(margin, margin, margin, margin);
    UpdateColors();
    if (!on)
        RecreateWnd();
}

void TSciCustomEdit::SetLineEdit(bool on)
{
    if (on == lineEdit_)
        return;
    lineEdit_ = on;
    if (on)
        SetFlat(true);
    update();
}

void TSciCustomEdit::SetFlatBorder(int width)
{
    flatBorder_ = std::clamp(width, 1, 2);
    update();
}

void TSciCustomEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (flat_)
        PaintFlatBorder();
}

void TSciCustomEdit::PaintFlatBorder()
{
    const bool active = focused_ || hover_;
    QColor frame = active ? colorBorderFocus_ : colorBorderUnfocus_;
    if (!frame.isValid())
        frame = active ? colorBorderUnfocus_ : colorBorderFocus_;
    if (!frame.isValid())
        frame = colorRW_;
    if (!frame.isValid())
        frame = palette().color(QPalette::Base);
    QColor background = StateBackground(active);
    if (!background.isValid())
        background = palette().color(QPalette::Base);

    QPainter painter(this);
    QRect r = rect().adjusted(0, 0, -1, -1);
    auto drawFrame = [&](const QColor &colour) {
        painter.setPen(colour);
        painter.drawRect(r);
        r.adjust(1, 1, -1, -1);
    };
    if (lineEdit_) {
        drawFrame(background);
        drawFrame(background);
        painter.fillRect(QRect(0, height() - flatBorder_, width(), flatBorder_), frame);
        return;
    }
    drawFrame(frame);
    if (flatBorder_ == 2)
        drawFrame(frame);
    drawFrame(background);
}

// ---- colours ----

void TSciCustomEdit::SetDefaultColors()
{
    colorRW_ = WindowBackground();
    colorFocus_ = WindowBackground();
    colorRO_ = kReadOnlyBackground;
    colorDisabled_ = ButtonFace();
    colorBorderFocus_ = WindowFrame();
    colorBorderUnfocus_ = WindowBackground();
}

void TSciCustomEdit::SetColor_Defaults(bool on)
{
    colorDefaults_ = on;
    if (on) {
        SetDefaultColors();
        UpdateColors();
    }
}

void TSciCustomEdit::SetColor(QColor &member, const QColor &colour)
{
    if (colour == member)
        return;
    member = colour;
    colorDefaults_ = false;
    UpdateColors();
}

void TSciCustomEdit::SetColorRW(const QColor &colour) { SetColor(colorRW_, colour); }
void TSciCustomEdit::SetColorFocus(const QColor &colour) { SetColor(colorFocus_, colour); }
void TSciCustomEdit::SetColorRO(const QColor &colour) { SetColor(colorRO_, colour); }
void TSciCustomEdit::SetColorBorderFocus(const QColor &colour) { SetColor(colorBorderFocus_, colour); }
void TSciCustomEdit::SetColorBorderUnfocus(const QColor &colour) { SetColor(colorBorderUnfocus_, colour); }

void TSciCustomEdit::SetColorDisabled(const QColor &colour)
{
    if (colour == colorDisabled_)
        return;
    colorDisabled_ = colour;
    colorDefaults_ = false;
    if (!isEnabled())
        UpdateColors();
}

QColor TSciCustomEdit::StateBackground(bool active) const
{
    QColor chosen = !isEnabled() ? colorDisabled_ : readOnly_ ? colorRO_ : active ? colorFocus_ : colorRW_;
    return chosen.isValid() ? chosen : colorRW_;
}

QColor TSciCustomEdit::BackgroundColor() const
{
    return palette().color(QPalette::Base);
}

void TSciCustomEdit::UpdateColors()
{
    QPalette colours = palette();
    if (!colorRW_.isValid() && parentWidget())
        colours.setColor(QPalette::Base, parentWidget()->palette().color(parentWidget()->backgroundRole()));
    const QColor background = StateBackground(flat_ ? (focused_ || hover_) : focused_);
    if (background.isValid())
        colours.setColor(QPalette::Base, background);
    setPalette(colours);
    update();
}

void TSciCustomEdit::SetFontColor(const QColor &colour)
{
    if (palette().color(QPalette::Text) == colour)
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::Text, colour);
    setPalette(colours);
    update();
}

void TSciCustomEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        UpdateColors();
}

void TSciCustomEdit::enterEvent(QEnterEvent *event)
{
    QLineEdit::enterEvent(event);
    HoverChanged(true, OnMouseEnter);
}

void TSciCustomEdit::leaveEvent(QEvent *event)
{
    QLineEdit::leaveEvent(event);
    HoverChanged(false, OnMouseExit);
}

void TSciCustomEdit::HoverChanged(bool hover, const std::function<void(TSciCustomEdit *)> &handler)
{
    hover_ = hover;
    GuardEntryPoint(this, [&] {
        UpdateColors();
        if (handler)
            handler(this);
    });
}

void TSciCustomEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) {
        focused_ = false;
        hover_ = false;
        UpdateColors();
    }
}

void TSciCustomEdit::showEvent(QShowEvent *event)
{
    QLineEdit::showEvent(event);
    if (nativeCreated_)
        return;
    nativeCreated_ = true;
    GuardEntryPoint(this, [&] { CreateWnd(); });
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
    if (entered_ || exitInProgress)
        return;
    GuardEntryPoint(this, [&] { Enter(); });
}

void TSciCustomEdit::EnterFocusedField()
{
    auto *field = qobject_cast<TSciCustomEdit *>(QApplication::focusWidget());
    if (field && !field->entered_)
        GuardEntryPoint(field, [&] { field->Enter(); });
}

bool TSciCustomEdit::FocusStaysInWindow(QFocusEvent *event) const
{
    if (!IsFocusMoveReason(event->reason()))
        return false;
    const QWidget *next = QApplication::focusWidget();
    return next && next != this && next->window() == window();
}

void TSciCustomEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!entered_ || !IsFocusMoveReason(event->reason()))
        return;
    entered_ = false;
    if (exitInProgress || !FocusStaysInWindow(event)) {
        GuardEntryPoint(this, [&] { FinishExit(); });
        return;
    }
    {
        ExitScope scope;
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
    int key = event->key();
    if (OnCNKeyDown) {
        OnCNKeyDown(this, key, event->modifiers());
        if (key == 0)
            return;
    }
    if (KeyDownHandled(event, key) || CharacterHandled(event))
        return;
    if (event->matches(QKeySequence::Paste))
        EndNullBeforeInput();
    QLineEdit::keyPressEvent(event);
}

bool TSciCustomEdit::KeyDownHandled(QKeyEvent *event, int key)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shiftOnly = (modifiers & ~Qt::KeypadModifier) == Qt::ShiftModifier;
    if (readOnly_ && ((key == Qt::Key_Delete && NoModifiers(modifiers)) ||
                      (key == Qt::Key_Insert && shiftOnly) || event->matches(QKeySequence::Cut) ||
                      event->matches(QKeySequence::Paste)))
        return true;
    if (key == Qt::Key_Up && NoModifiers(modifiers)) {
        focusPreviousChild();
        return true;
    }
    if (key == Qt::Key_Down && NoModifiers(modifiers)) {
        focusNextChild();
        return true;
    }
    return false;
}

// The character filter. Returns true when the event was handled here (swallowed or typed).
bool TSciCustomEdit::CharacterHandled(QKeyEvent *event)
{
    QChar character(FilterCode(event));
    QString text = event->text();
    if (character.isNull()) {
        if (!TypesText(event))
            return false;
        if (numPadDecimal_ && (event->modifiers() & Qt::KeypadModifier) &&
            (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma))
            text = QString(QChar(GetNumberFormat().decimal));
        character = text.at(0);
    }
    const QChar typed = character;
    if (OnKeyPress) {
        OnKeyPress(this, character);
        if (character.isNull())
            return true;
    }
    switch (character.unicode()) {
    case kEnter:
        focusNextChild();
        return true;
    case kEscape:
        undo();
        return true;
    case kControlN:
        if (!allowKbdNull_)
            break;
        SetNull(true);
        if (OnNull)
            OnNull(this);
        return true;
    case kControlA:
        selectAll();
        return true;
    default:
        break;
    }
    if (character.unicode() < 32) {
        if (character == typed)
            return false;
        // OnKeyPress turned the key into a control character: that, not the key, goes in.
        if (character.unicode() == kBackspace)
            backspace();
        return true;
    }
    if (TypedCharacterRefused(character))
        return true;
    if (character == typed && text == event->text())
        return false;
    insert(QString(character));
    return true;
}

bool TSciCustomEdit::TypedCharacterRefused(QChar &character)
{
    const char16_t code = character.unicode();
    if (code > 255 || !allowed_.test(code)) {
        Messages().Beep();
        return true;
    }
    EndNullBeforeInput();
    return false;
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
    QLineEdit::resize(81, height());
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
        ExitScope scope;
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
    if (fullAccuracy_ &&
        text == QString::fromStdString(RenderScientific(ScaledValue(), settings_.DecimalPlaces)))
        return;
    value_ = ParseEditText(text.toStdString()) * scale_;
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
