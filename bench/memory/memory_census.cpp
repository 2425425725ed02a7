// memory_census: where the main window's memory goes, control by control. Loads and shows the main
// window on the dictionary of this program's folder, then prints the drawing surface of the form
// and of every control (a 32-bit DIB section: 4 bytes a pixel), what the process's Win32 heaps hold,
// and the process's private bytes before and after the window (as memory_probe reads them).
#include "app/controls.h"
#include "app/esas.h"
#include "platform/forms/do_events.h"
#include "platform/forms/surface.h"
#include "platform/forms/user_control.h"

#include <windows.h>
#include <psapi.h>

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <typeinfo>

namespace {

double privateMiB() {
    PROCESS_MEMORY_COUNTERS_EX c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&c), sizeof c);
    return static_cast<double>(c.PrivateUsage ? c.PrivateUsage : c.PagefileUsage) / 1048576.0;
}

double surfaceKiB(const forms::Surface& s) {
    return s.widthPixels() * s.heightPixels() * 4 / 1024.0;
}

void printHeaps() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY e{};
        size_t used = 0, blocks = 0;
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                used += e.cbData;
                ++blocks;
            }
        HeapUnlock(heaps[i]);
        std::printf("heap %p%s: %.0f KiB in %zu blocks\n", heaps[i],
                    heaps[i] == GetProcessHeap() ? " (process heap)" : "", used / 1024.0, blocks);
    }
}

std::string narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

std::string typeName(const forms::UserControl& c) {
    int status = 0;
    char* name = abi::__cxa_demangle(typeid(c).name(), nullptr, nullptr, &status);
    std::string out = status == 0 && name ? name : typeid(c).name();
    std::free(name);
    return out;
}

} // namespace

int main() {
    std::printf("private bytes before the window: %.1f MiB\n", privateMiB());
    app::registerControlTypes();
    auto& form = forms::instance<app::esas>();
    form.Show();
    for (int i = 0; i < 20; ++i) {
        forms::DoEvents();
        Sleep(25);
    }
    std::printf("private bytes with the window shown: %.1f MiB\n", privateMiB());

    double total = surfaceKiB(form.surface());
    std::printf("%-26s %-14s %9s %9s\n", "control", "name", "surface", "KiB");
    std::printf("%-26s %-14s %4dx%-4d %9.0f\n", "form", narrow(form.Name()).c_str(),
                form.surface().widthPixels(), form.surface().heightPixels(), total);
    for (forms::UserControl* c : form.allControls()) {
        const forms::Surface& s = c->surface();
        total += surfaceKiB(s);
        std::printf("%-26s %-14s %4dx%-4d %9.0f\n", typeName(*c).c_str(), narrow(c->Name()).c_str(),
                    s.widthPixels(), s.heightPixels(), surfaceKiB(s));
    }
    std::printf("surfaces: %.0f KiB\n", total);
    printHeaps();
    forms::unload<app::esas>();
    return 0;
}
