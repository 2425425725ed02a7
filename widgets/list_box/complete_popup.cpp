#include "widgets/list_box/complete_popup.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/forms/app.h"

namespace widgets {

namespace {

constexpr const wchar_t* ClassName = L"VexaListCompletePopup";

void registerClass(WNDPROC windowProc) {
    static const bool registered = [windowProc] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = ClassName;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

CompletePopup::CompletePopup(HWND owner) {
    registerClass(&CompletePopup::windowProc);
    // Info-tip colours: readable whatever the list's own colours are.
    surface_.setBackColor(core::sysColor::InfoBackground);
    surface_.setForeColor(core::sysColor::InfoText);
    // The window finds its object from its first message on.
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, ClassName, L"",
                            WS_POPUP | WS_BORDER, 0, 0, 10, 10, owner, nullptr, GetModuleHandleW(nullptr),
                            static_cast<forms::WindowObject*>(this));
    if (!hwnd_) return;
    surface_.onChanged = [this] {
        if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
    };
}

CompletePopup::~CompletePopup() {
    if (!hwnd_) return;
    forms::windowObject::detach(hwnd_);
    DestroyWindow(hwnd_);
}

void CompletePopup::Move(int left, int top, int width, int height) {
    if (!hwnd_) return;
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc;
    GetClientRect(hwnd_, &rc);
    surface_.resize(rc.right, rc.bottom);
}

void CompletePopup::show() {
    if (!hwnd_) return;
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CompletePopup::hide() {
    if (hwnd_ && IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

LRESULT CALLBACK CompletePopup::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    forms::windowObject::DetachOnDestroy gone{hwnd, msg};
    core::HandlingMessage handling;
    try {
        forms::windowObject::attachOnCreate(hwnd, msg, lParam);
        auto* self = forms::windowObject::as<CompletePopup>(hwnd);
        switch (msg) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc && self) self->surface_.paint(dc, &ps.rcPaint);
            EndPaint(hwnd, &ps);
            return 0;
        }
        default:
            break;
        }
    } catch (...) {
        // A paint that failed is not asked for again.
        if (msg == WM_PAINT) ValidateRect(hwnd, nullptr);
        core::reportUnexpectedError(L"list pop-up window procedure");
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace widgets
