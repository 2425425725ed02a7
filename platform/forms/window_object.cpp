#include "platform/forms/window_object.h"

#include <unordered_map>

namespace forms::windowObject {

namespace {

// Under Wine a window property lives in the server: reading one on every message cost a round trip
// to it each time (about 70 microseconds on a busy machine), so the table is the process's own.
struct Table {
    SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<HWND, WindowObject*> objects;
};

Table& table() {
    static Table t;
    return t;
}

} // namespace

void attach(HWND hwnd, WindowObject* object) noexcept {
    if (!hwnd) return;
    Table& t = table();
    AcquireSRWLockExclusive(&t.lock);
    try {
        if (object)
            t.objects[hwnd] = object;
        else
            t.objects.erase(hwnd);
    } catch (...) {
        // Out of memory: the window is not found again, as a window that has no object.
    }
    ReleaseSRWLockExclusive(&t.lock);
}

void detach(HWND hwnd) noexcept {
    if (!hwnd) return;
    Table& t = table();
    AcquireSRWLockExclusive(&t.lock);
    t.objects.erase(hwnd);
    ReleaseSRWLockExclusive(&t.lock);
}

WindowObject* of(HWND hwnd) noexcept {
    if (!hwnd) return nullptr;
    Table& t = table();
    AcquireSRWLockShared(&t.lock);
    const auto it = t.objects.find(hwnd);
    WindowObject* object = it == t.objects.end() ? nullptr : it->second;
    ReleaseSRWLockShared(&t.lock);
    return object;
}

WindowObject* attachOnCreate(HWND hwnd, UINT msg, LPARAM lParam) noexcept {
    // The system sends WM_NCCREATE from the creating thread; one sent from another thread or program
    // would hand an existing window an object of its choosing.
    if (msg != WM_NCCREATE || !lParam || InSendMessage()) return nullptr;
    auto* object = static_cast<WindowObject*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (object) attach(hwnd, object);
    return object;
}

} // namespace forms::windowObject
