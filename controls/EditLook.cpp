#include "controls/EditLook.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

namespace velmaro {

namespace {

QColor SystemColor(QPalette::ColorRole role)
{
    return QApplication::palette().color(QPalette::Active, role);
}

} // namespace

EditColors EditColors::Defaults()
{
    const QColor windowBackground = SystemColor(QPalette::Base);
    return {windowBackground,           windowBackground,
            kReadOnlyBackground,        SystemColor(QPalette::Button),
            SystemColor(QPalette::Shadow), windowBackground};
}

QColor EditColors::Background(bool enabled, bool readOnly, bool active) const
{
    const QColor chosen = !enabled ? disabled : readOnly ? ro : active ? focus : rw;
    return chosen.isValid() ? chosen : rw;
}

QColor EditColors::Border(bool active) const
{
    QColor border = active ? borderFocus : borderUnfocus;
    if (!border.isValid())
        border = active ? borderUnfocus : borderFocus;
    if (!border.isValid())
        border = rw;
    return border;
}

void PaintFlatFrame(QPainter &painter, QRect area, int width, bool lineEdit, const QColor &border,
                    const QColor &background)
{
    QRect r = area.adjusted(0, 0, -1, -1);
    auto drawFrame = [&](const QColor &colour) {
        painter.setPen(colour);
        painter.drawRect(r);
        r.adjust(1, 1, -1, -1);
    };
    if (lineEdit) {
        drawFrame(background);
        drawFrame(background);
        painter.fillRect(QRect(area.left(), area.bottom() + 1 - width, area.width(), width), border);
        return;
    }
    drawFrame(border);
    if (width == 2)
        drawFrame(border);
    drawFrame(background);
}

} // namespace velmaro
