#include "platform/forms/window_object.h"

namespace forms::windowObject {

namespace {
const wchar_t* const kProperty = L"Vexa.Object";
}

void attach(HWND hwnd, ControlHost* object) noexcept {
    if (hwnd) SetPropW(hwnd, kProperty, object);
}

void detach(HWND hwnd) noexcept {
    if (hwnd) RemovePropW(hwnd, kProperty);
}

ControlHost* of(HWND hwnd) noexcept {
    return hwnd ? static_cast<ControlHost*>(GetPropW(hwnd, kProperty)) : nullptr;
}

ControlHost* attachOnCreate(HWND hwnd, UINT msg, LPARAM lParam) noexcept {
    if (msg != WM_NCCREATE || !lParam) return nullptr;
    auto* object = static_cast<ControlHost*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (object) attach(hwnd, object);
    return object;
}

} // namespace forms::windowObject
