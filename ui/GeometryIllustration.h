#pragma once

// The picture of the Geometry tab: an elongated watershed with its drainage network, the
// distance from its farthest point to the outlet and the level difference between the two.

class QPixmap;

namespace velmaro {

inline constexpr int kIllustrationWidth = 663;
inline constexpr int kIllustrationHeight = 368;

// Painted afresh on each call; needs a QGuiApplication.
QPixmap GeometryIllustration();

} // namespace velmaro
