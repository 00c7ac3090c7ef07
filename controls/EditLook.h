#pragma once

// The look of the numeric edit: its state colours and the flat frame it draws itself.

#include <QColor>
#include <QRect>

class QPainter;

namespace velmaro {

// The grey behind values the user cannot type into: read-only fields and result grids.
inline const QColor kReadOnlyBackground(181, 189, 204);

// The field's colours; an invalid QColor is "no colour".
struct EditColors {
    QColor rw, focus, ro, disabled, borderFocus, borderUnfocus;

    // From the platform palette, with the read-only grey.
    static EditColors Defaults();
    // The background for the field's state; the read-write colour where the state has none.
    QColor Background(bool enabled, bool readOnly, bool active) const;
    // The border while the field is active (focused or hovered) or not, with the other border,
    // then the read-write colour, standing in for a missing one.
    QColor Border(bool active) const;
};

// The flat frame inside `area`: one or two lines of `border` then one of `background`; as a line
// edit, only a `width`-thick line of `border` along the bottom.
void PaintFlatFrame(QPainter &painter, QRect area, int width, bool lineEdit, const QColor &border,
                    const QColor &background);

} // namespace velmaro
