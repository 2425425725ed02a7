#pragma once

#include "platform/core/event_log.h"
#include "platform/core/message_frame.h"
#include "platform/forms/app.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/user_control.h"
#include "platform/forms/window_object.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace forms {

class StdFont;

// Shared pieces of the intrinsic controls.
namespace controls {

// Copies the container's image behind the control into the control's surface, so a control with a
// transparent background shows what lies under it.
void paintBehind(UserControl& control);

// Points a child window's messages at a procedure of ours, keeping the old one for CallWindowProcW.
// The child is attached to the owning control (windowObject), as the control's own window is.
WNDPROC subclassChild(HWND child, WNDPROC proc, UserControl* owner);
// Gives a subclassed child its own procedure back, so no message reaches the control once it is
// gone; nothing when the child is gone or was given back already.
void releaseChild(HWND child, WNDPROC previous) noexcept;

// Any program can send a window a paint or print message whose wParam is a number and no device
// context, and a system window draws through that number as through one (the edit window is left
// broken and crashes at the next character). A paint goes on as the window's own paint; a print is
// answered, with nothing drawn.
void keepToDeviceContexts(core::MessageFrame& m) noexcept;

// The procedure subclassChild installs for a system window inside a control: the control's
// dispatch for that window sees each message as a frame and stays alive while it does; a message
// it does not answer goes on, with the frame's parameters, to the system window's own procedure.
// An error is reported and the message goes to that procedure as it came, kept to device contexts.
template <class Owner, void (Owner::*Dispatch)(core::MessageFrame&), WNDPROC Owner::*Previous>
LRESULT CALLBACK childWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    windowObject::DetachOnDestroy gone{hwnd, msg};
    auto* self = dynamic_cast<Owner*>(windowObject::of(hwnd));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    WNDPROC previous = self->*Previous;
    core::MessageFrame given{hwnd, msg, wParam, lParam};
    keepToDeviceContexts(given);
    if (given.handled) return given.result;
    core::HandlingMessage handling;
    try {
        auto keep = self->weak_from_this().lock();
        core::MessageFrame m = given;
        (self->*Dispatch)(m);
        if (m.handled) return m.result;
        return CallWindowProcW(previous, hwnd, msg, m.wParam, m.lParam);
    } catch (...) {
        core::reportUnexpectedError(L"Control's system window procedure");
        return CallWindowProcW(previous, hwnd, msg, given.wParam, lParam);
    }
}

// Lets the system window's own procedure handle the message now (for a handler that acts after it).
inline LRESULT callPrevious(WNDPROC previous, const core::MessageFrame& m) {
    return CallWindowProcW(previous, m.hwnd, m.msg, m.wParam, m.lParam);
}

// Checks a colour argument (error 380 for a value that names no colour).
uint32_t checkedColour(uint32_t colour);

// Runs a control's callback after each change of the font object it shows (a font may be shared
// and changed through another holder). An error in the callback is reported, not thrown.
class FontWatch {
public:
    FontWatch() = default;
    ~FontWatch() { stop(); }
    FontWatch(const FontWatch&) = delete;
    FontWatch& operator=(const FontWatch&) = delete;

    // Watches this font from now on (an earlier one no more).
    void watch(const std::shared_ptr<StdFont>& font, std::function<void()> changed);
    void stop() noexcept;

private:
    std::weak_ptr<StdFont> font_;
    int id_ = 0;
};

} // namespace controls

} // namespace forms
