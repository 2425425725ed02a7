#pragma once

namespace forms {

// Registers the run time's own controls under their layout type names ("Label", "Image", "TextBox",
// "PictureBox", "VScrollBar", "Timer", "Shape", "CommandButton"). Runs once, on first use of the
// control types.
void registerIntrinsicControls();

} // namespace forms
