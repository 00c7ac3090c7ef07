#pragma once

// The picture of the Geometry tab: an elongated watershed with its drainage network, the
// distance from its farthest point to the outlet and the level difference between the two.

class QPixmap;

namespace velmaro {

// Drawn afresh from the picture built into the program, at its own size; needs a
// QGuiApplication.
QPixmap GeometryIllustration();

} // namespace velmaro
