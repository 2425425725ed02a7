#pragma once

namespace forms {

// Handles the messages waiting now (one pass) and returns the number of loaded forms. Code that
// calls it while its own object may be unloaded checks its liveness afterwards.
int DoEvents();

} // namespace forms
