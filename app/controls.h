#pragma once

namespace app {

// Registers every control type the program's forms name in their layouts (the main window's and
// each satellite form's), so any form finds its controls. Done once before the first form loads:
// by the program's start and by every test or benchmark that loads a form; a second call changes
// nothing.
void registerControlTypes();

} // namespace app
