#pragma once

namespace forms {

// Registers the common controls' window classes (the tooltip's among them), as must be done before
// the first such window is made; without the library nothing is registered and making the window
// fails, which the callers take as having no tooltip.
void initCommonControls();

} // namespace forms
