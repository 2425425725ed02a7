#pragma once

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
void LogEvent(const std::wstring& text, int eventType = 4);
using LogHandler = std::function<void(const std::wstring& text, int eventType)>;
LogHandler setLogHandler(LogHandler handler);

// Ends the program at once: no unload or terminate handler runs afterwards.
[[noreturn]] void End();
using EndHandler = std::function<void()>;
// A test seam: the handler runs instead of leaving the process, and End then throws EndRequested.
EndHandler setEndHandler(EndHandler handler);
struct EndRequested {};
} // namespace App

// Inside a catch block of a window procedure, timer callback or hook trampoline: reports the
// exception being handled (stderr and the message box) so the program can go on.
void reportUnexpectedError(const wchar_t* where) noexcept;

} // namespace forms
