#pragma once

namespace velmaro {

// The look the window's layout is drawn for, set on the application before any window exists:
// the classic Windows style (group box captions sit in the frame line, above the controls
// placed at 16 pixels and more) and an 11-pixel Liberation Sans, whose widths are those of the
// 8-point dialog font the positions were made for, so that every caption fits its place.
void ApplyApplicationLook();

} // namespace velmaro
