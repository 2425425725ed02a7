#pragma once

namespace forms {

// Handles the messages waiting now (one pass) and returns the number of loaded forms. Code that
// calls it while its own object may be unloaded checks its liveness afterwards.
int DoEvents();

// Under Wine what a window paints reaches the screen when its thread next finds no message waiting,
// not at the paint itself. A look for a message that nobody posts hands what is painted to the screen
// now; elsewhere the look costs nothing.
void showWhatIsPainted();

} // namespace forms
