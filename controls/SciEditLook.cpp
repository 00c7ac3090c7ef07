// The look of the numeric edit: flat frame, state colours, hover.

#include "controls/SciEdit.h"

#include "controls/MessagePresenter.h"

#include <QMouseEvent>
#include <QPainter>

namespace velmaro {

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
    if (!flat_)
        return;
    const bool active = focused_ || hover_;
    QColor border = colors_.Border(active);
    if (!border.isValid())
        border = palette().color(QPalette::Base);
    QColor background = StateBackground(active);
    if (!background.isValid())
        background = palette().color(QPalette::Base);
    QPainter painter(this);
    PaintFlatFrame(painter, rect(), flatBorder_, lineEdit_, border, background);
}

// ---- colours ----

void TSciCustomEdit::SetDefaultColors()
{
    colors_ = EditColors::Defaults();
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

void TSciCustomEdit::SetColorRW(const QColor &colour) { SetColor(colors_.rw, colour); }
void TSciCustomEdit::SetColorFocus(const QColor &colour) { SetColor(colors_.focus, colour); }
void TSciCustomEdit::SetColorRO(const QColor &colour) { SetColor(colors_.ro, colour); }
void TSciCustomEdit::SetColorBorderFocus(const QColor &colour) { SetColor(colors_.borderFocus, colour); }
void TSciCustomEdit::SetColorBorderUnfocus(const QColor &colour) { SetColor(colors_.borderUnfocus, colour); }

void TSciCustomEdit::SetColorDisabled(const QColor &colour)
{
    if (colour == colors_.disabled)
        return;
    colors_.disabled = colour;
    colorDefaults_ = false;
    if (!isEnabled())
        UpdateColors();
}

QColor TSciCustomEdit::StateBackground(bool active) const
{
    return colors_.Background(isEnabled(), readOnly_, active);
}

QColor TSciCustomEdit::BackgroundColor() const
{
    return palette().color(QPalette::Base);
}

void TSciCustomEdit::UpdateColors()
{
    QPalette colours = palette();
    if (!colors_.rw.isValid() && parentWidget())
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

} // namespace velmaro
