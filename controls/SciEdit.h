#pragma once

// The scientific numeric edit in three layers on QLineEdit:
//   TSciCustomEdit: null state, state colours, keyboard conveniences, the typed-character filter;
//   TSciBaseEdit:   the exit sequence (re-read, re-render, bounds check) when the user leaves;
//   TSciFloatEdit:  the stored value, rendered to text and read back from it.
// The text is authoritative: every change of it re-reads the value, every value written is
// rendered and re-read at once. User edits arrive through QLineEdit::textEdited (an entry point
// that shows errors in the application box); program writes run the change notification in our
// own frames, so an exception from OnChange reaches the caller of the write.

#include "controls/EditKeys.h"
#include "controls/EditLook.h"
#include "text/FieldText.h"

#include <QColor>
#include <QLineEdit>
#include <QString>

#include <bitset>
#include <functional>
#include <string_view>

class QKeyEvent;

namespace velmaro {

enum TBoundsValidationType { bvtNone = 0, bvtBelowLower = 1, bvtAboveUpper = 2 };

class TSciCustomEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TSciCustomEdit(QWidget *parent = nullptr);

    // Text and AsString. A write through SetText reaches its caller with the errors of reading
    // it; one through QLineEdit's own setText or clear is read as well, its errors shown in the
    // application box.
    virtual QString GetText() const;
    virtual void SetText(const QString &text);
    QString AsString() const { return GetText(); }
    void SetAsString(const QString &text) { SetText(text); }

    bool Null() const { return null_; }
    void SetNull(bool on);
    const QString &NullStr() const { return nullStr_; }
    void SetNullStr(const QString &text);
    bool BlankWhenNull() const { return blankWhenNull_; }
    void SetBlankWhenNull(bool on);
    bool AllowKbdNull() const { return filter_.allowKbdNull; }
    void SetAllowKbdNull(bool on) { filter_.allowKbdNull = on; }

    // Read-only mode: no typing (a beep for printable keys), no Delete, cut or paste, skipped
    // by Tab, ColorRO background.
    bool ReadOnly() const { return readOnly_; }
    void setReadOnlyMode(bool on);

    bool StoreValue() const { return storeValue_; }
    void SetStoreValue(bool on) { storeValue_ = on; }
    bool NumPadDecimal() const { return numPadDecimal_; }
    void SetNumPadDecimal(bool on) { numPadDecimal_ = on; }
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }
    Qt::Alignment Alignment() const { return alignment(); }
    // Re-creates the native control: descendants return to their set-up state (CreateWnd).
    void SetAlignment(Qt::Alignment alignment);
    QString Version() const { return QStringLiteral("2.3"); }

    // Flat frame drawn by the field itself; LineEdit draws a line below the text instead.
    bool Flat() const { return flat_; }
    void SetFlat(bool on);
    bool LineEdit() const { return lineEdit_; }
    void SetLineEdit(bool on);
    int FlatBorder() const { return flatBorder_; }
    void SetFlatBorder(int width);

    // Colours; an invalid QColor is "no colour". Any change turns Color_Defaults off.
    bool Color_Defaults() const { return colorDefaults_; }
    void SetColor_Defaults(bool on);
    QColor ColorRW() const { return colors_.rw; }
    void SetColorRW(const QColor &colour);
    QColor ColorFocus() const { return colors_.focus; }
    void SetColorFocus(const QColor &colour);
    QColor ColorRO() const { return colors_.ro; }
    void SetColorRO(const QColor &colour);
    QColor ColorDisabled() const { return colors_.disabled; }
    void SetColorDisabled(const QColor &colour);
    QColor ColorBorderFocus() const { return colors_.borderFocus; }
    void SetColorBorderFocus(const QColor &colour);
    QColor ColorBorderUnfocus() const { return colors_.borderUnfocus; }
    void SetColorBorderUnfocus(const QColor &colour);
    // The background the field shows now (for its state: disabled, read-only, focused).
    QColor BackgroundColor() const;

    // The native control is made at the field's first showing, which runs the set-up of its
    // creation (CreateWnd) once. A program that writes into a field the user has not seen yet
    // makes it first, so that this set-up does not undo what was written.
    void CreateNativeOnce();

    // While the window's configuration is being applied, text changes neither re-read the
    // value nor fire OnChange; EndLoading runs the end-of-loading set-up.
    void BeginLoading() { loading_ = true; }
    void EndLoading();
    bool Loading() const { return loading_; }

    // Events. They may throw: from program writes the error reaches the caller, from user
    // actions the application box shows it.
    std::function<void(TSciCustomEdit *)> OnChange;
    std::function<void(TSciCustomEdit *)> OnNull;
    std::function<void(TSciCustomEdit *)> OnEnter;
    std::function<void(TSciCustomEdit *)> OnExit;
    std::function<void(TSciCustomEdit *)> OnMouseEnter;
    std::function<void(TSciCustomEdit *)> OnMouseExit;
    // Every typed character, before the filter; setting it to QChar() swallows it.
    std::function<void(TSciCustomEdit *, QChar &key)> OnKeyPress;
    // Every key-down, before the field's own key rules; setting key to 0 swallows it.
    std::function<void(TSciCustomEdit *, int &key, Qt::KeyboardModifiers)> OnCNKeyDown;

    // While OnChange runs: whether the user changed the text (typing, pasting, deleting, undoing,
    // the null key), not the program (a value written, a unit picked, the text rendered again on
    // leaving). A handler that stores what the user entered stores only then.
    bool ChangedByUser() const { return changedByUser_; }

protected:
    virtual void TextToValue() {}
    virtual void DisplayText();
    virtual void SetDefaultColors();
    // The end of configuration loading, and the creation of the native control.
    virtual void Loaded() {}
    virtual void CreateWnd() {}
    // Leaving the field by a focus move inside the window.
    virtual void ExitField();

    void UpdateColors();
    void SetFontColor(const QColor &colour);
    void SetAllowedCharacters(std::string_view characters);
    QString NullText() const { return blankWhenNull_ ? QString() : nullStr_; }
    // The change notification: re-read the value, then OnChange (skipped while loading).
    void TextChanged();
    void FinishExit();
    void Enter();
    static void EnterFocusedField();
    void LeaveNull() { null_ = false; }

    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Text and null state.
    void UserEdited(const QString &text);
    void LineEditWrote();
    void LeaveNullFor(const QString &text);
    void ReadWrittenText();
    void EndNullBeforeInput();
    void NullByUser();

    // Keys: the rules of EditKeys applied to the field.
    void HandleKey(QKeyEvent *event);
    // True when the key was dealt with here: refused, typed or acted on.
    bool KeyDownHandled(const KeyPress &press);
    bool CharacterHandled(const KeyPress &press);

    // Focus.
    bool FocusStaysInWindow() const;

    // Look.
    void HoverChanged(bool hover, const std::function<void(TSciCustomEdit *)> &handler);
    void RecreateWnd();
    QColor StateBackground(bool active) const;
    void SetColor(QColor &member, const QColor &colour);

    // Text and null state.
    bool null_ = false;
    QString nullStr_;
    bool blankWhenNull_ = false;
    bool storeValue_ = true;
    bool loading_ = false;
    bool userEditing_ = false;   // between textEdited and the textChanged that follows it
    bool changedByUser_ = false; // while a change the user made is being notified

    // Keys and typed characters.
    bool readOnly_ = false;
    bool numPadDecimal_ = false;
    CharacterFilter filter_;
    std::bitset<256> savedAllowed_;   // the characters admitted once read-only mode ends

    // Focus.
    bool autoSelect_ = true;
    bool focused_ = false;   // steers the colours
    bool entered_ = false;   // the enter sequence ran and the exit sequence has not

    // Look.
    bool flat_ = false;
    bool lineEdit_ = false;
    int flatBorder_ = 2;
    bool colorDefaults_ = true;
    EditColors colors_;
    bool hover_ = false;
    bool nativeCreated_ = false;
};

class TSciBaseEdit : public TSciCustomEdit {
    Q_OBJECT
public:
    explicit TSciBaseEdit(QWidget *parent = nullptr);

    bool BoundsEnabled() const { return boundsEnabled_; }
    virtual void SetBoundsEnabled(bool on) { boundsEnabled_ = on; }
    // 0 means no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    QColor ColorFontPos() const { return colorFontPos_; }
    void SetColorFontPos(const QColor &colour);
    QColor ColorFontNeg() const { return colorFontNeg_; }
    void SetColorFontNeg(const QColor &colour);
    // The error kind of the last bounds check.
    TBoundsValidationType BoundsError() const { return boundsError_; }

    // Value: the field's text. Without a handler the built-in messages are shown.
    std::function<void(TSciCustomEdit *, const QString &value, TBoundsValidationType)> OnBoundsError;
    // First step of leaving: may change the text and switch the bounds check off.
    std::function<void(TSciCustomEdit *, QString &text, bool &furtherChecking)> OnExitStart;

protected:
    virtual void CheckBounds();
    void DisplayText() override;
    void SetDefaultColors() override;
    void ExitField() override;
    void SetBoundsError(TBoundsValidationType kind) { boundsError_ = kind; }
    // The plain field has no value to compare: its check always complains.
    virtual bool WithinBounds() const { return false; }

private:
    // Left because the page holding it was hidden (another tab clicked), not hidden itself.
    bool HiddenWithItsPage() const;
    void CheckBoundsOnItsPage();

    bool boundsEnabled_ = false;
    int maxLength_ = 0;
    QColor colorFontPos_, colorFontNeg_;
    TBoundsValidationType boundsError_ = bvtNone;
};

class TSciFloatEdit : public TSciBaseEdit {
    Q_OBJECT
public:
    explicit TSciFloatEdit(QWidget *parent = nullptr);

    // Re-reads the text first: throws ConversionError while the text is not a number.
    long double AsFloat();
    // Stores x (when it differs or the field is null), renders it and re-reads the text.
    void SetAsFloat(long double x);
    long double AsScaledFloat();
    void SetAsScaledFloat(long double x);
    // The shown value is the stored value divided by Scale (absolute, never 0).
    long double Scale() const { return scale_; }
    void SetScale(long double scale);

    int DecimalPlaces() const { return settings_.DecimalPlaces; }
    void SetDecimalPlaces(int places);
    bool TrimTrailingZeroes() const { return settings_.TrimTrailingZeroes; }
    void SetTrimTrailingZeroes(bool on);
    bool ShowThousandSeparators() const { return settings_.ShowThousandSeparators; }
    void SetShowThousandSeparators(bool on);
    bool SciRange() const { return settings_.SciRange; }
    void SetSciRange(bool on);
    long double SciMin() const { return settings_.SciMin; }
    void SetSciMin(long double value);
    long double SciMax() const { return settings_.SciMax; }
    void SetSciMax(long double value);
    bool BlankWhenZero() const { return settings_.BlankWhenZero; }
    void SetBlankWhenZero(bool on);
    // A text that is the field's rendering of its value, or the value's untrimmed scientific
    // rendering, keeps the value unrounded: what the user entered is only shown rounded.
    bool FullAccuracy() const { return fullAccuracy_; }
    void SetFullAccuracy(bool on);

    long double BoundLower() const { return boundLower_; }
    void SetBoundLower(long double bound) { boundLower_ = bound; }
    long double BoundUpper() const { return boundUpper_; }
    void SetBoundUpper(long double bound) { boundUpper_ = bound; }

protected:
    void TextToValue() override;
    bool ShowsTheValueHeld(const QString &text) const;
    void DisplayText() override;
    void CheckBounds() override;
    bool WithinBounds() const override;

private:
    TBoundsValidationType BoundsKind() const;
    template <class T> void SetRendering(T &setting, T value);
    long double ScaledValue() const;

    long double value_ = 0.0L;
    long double scale_ = 1.0L;
    bool fullAccuracy_ = false;
    long double boundLower_ = 0.0L;
    long double boundUpper_ = 0.0L;
    RenderSettings settings_;
};

} // namespace velmaro
