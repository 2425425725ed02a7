#pragma once

#include <windows.h>

#include <functional>

namespace forms {

class Form;

namespace MessageLoop {
// Gives a message the dialog-key handling (Tab order, Enter to the default button, Escape to the
// cancel button, Alt + access key), then translates and dispatches it. A key or a button first has
// every form finish what waits for its first paint (Forms::finishDeferred).
void process(MSG& msg);
// The dialog-key part alone: true when the key was used up.
bool dialogKey(const MSG& msg);
// Runs until done() is true or WM_QUIT arrives; WM_QUIT is posted again for the outer loop.
// Returns false when it ended on WM_QUIT.
bool runUntil(const std::function<bool()>& done);
// Shows the start-up form and runs until every form is unloaded or the program quits.
int runProgram(Form& startForm);
} // namespace MessageLoop

} // namespace forms
