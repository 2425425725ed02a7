#pragma once
// vexa.exe started as a user starts it, by the tests of a real start and by the benchmarks that drive
// one: copied into a folder of the caller's and started there.
#include "child_process.h"
#include "program_window.h"
#include "temp_folder.h"

#include <windows.h>

#include <string>

namespace testsupport {

// vexa.exe copied (from the folder of the test programs, unless another is named) into the folder
// under the name, and started there; ended with the object.
class Program {
public:
    explicit Program(const TempFolder& folder, const std::wstring& name = L"vexa.exe",
                     const std::wstring& from = programsFolder())
        : copied_(CopyFileW((from + L"\\vexa.exe").c_str(), folder.file(name).c_str(), FALSE)),
          process_(copied_ ? folder.file(name) : std::wstring(), L"", {}, folder.path()) {}
    bool started() const { return copied_ && process_.started(); }
    bool ended(DWORD ms) const { return process_.ended(ms); }

    // The program's visible top-level window of that class (the main window: its form's class; a
    // message box: "#32770"), waited for up to about ten seconds.
    HWND window(const wchar_t* windowClass, const wchar_t* title = nullptr) const {
        for (int i = 0; i < 1000; ++i) {
            for (HWND h = FindWindowExW(nullptr, nullptr, windowClass, title); h;
                 h = FindWindowExW(nullptr, h, windowClass, title)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                if (pid == process_.id() && IsWindowVisible(h)) return h;
            }
            Sleep(10);
        }
        return nullptr;
    }
    // A message box, once it is on the screen.
    HWND messageBox() const {
        const HWND box = window(L"#32770");
        return box && onScreen(box) ? box : nullptr;
    }

private:
    bool copied_ = false;
    ChildProcess process_;
};

} // namespace testsupport
