#pragma once

#include "platform/core/event_log.h"

#include <windows.h>

#include <functional>
#include <string>

namespace forms {

namespace App {
// The folder of the program file, without a trailing separator.
std::wstring Path();
HINSTANCE hInstance();
// The program's title: set by the program, else the program file's name without extension.
std::wstring Title();
void setTitle(std::wstring title);

// Writes to the application event log (stderr unless a test replaced it).
inline void LogEvent(const std::wstring& text, int eventType = core::LogInformation) {
    core::logEvent(text, eventType);
}

// Ends the program at once: no unload or terminate handler runs afterwards.
[[noreturn]] void End();
using EndHandler = std::function<void()>;
// A test seam: the handler runs instead of leaving the process, and End then throws EndRequested.
EndHandler setEndHandler(EndHandler handler);
} // namespace App

} // namespace forms
