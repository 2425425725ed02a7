#include "platform/forms/window_object.h"

namespace forms::windowObject {

namespace {
const wchar_t* const kProperty = L"Vexa.Object";
}

void attach(HWND hwnd, WindowObject* object) noexcept {
    if (hwnd) SetPropW(hwnd, kProperty, object);
}

void detach(HWND hwnd) noexcept {
    if (hwnd) RemovePropW(hwnd, kProperty);
}

WindowObject* of(HWND hwnd) noexcept {
    return hwnd ? static_cast<WindowObject*>(GetPropW(hwnd, kProperty)) : nullptr;
}

WindowObject* attachOnCreate(HWND hwnd, UINT msg, LPARAM lParam) noexcept {
    if (msg != WM_NCCREATE || !lParam) return nullptr;
    auto* object = static_cast<WindowObject*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (object) attach(hwnd, object);
    return object;
}

} // namespace forms::windowObject
