#pragma once

#include <QFont>

namespace velmaro {

// The window's font: an 11-pixel sans serif with the widths of the design's 8-point dialog font,
// so that every caption fits the place the layout gives it.
QFont ApplicationFont();

} // namespace velmaro
