#include "platform/forms/controls/timer.h"

#include "platform/core/message_frame.h"
#include "platform/forms/property_bag.h"
#include "platform/core/runtime_error.h"

namespace forms {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

Timer::Timer() {
    setCanGetFocus(false);
    setTabStop(false);
    setUsesSurface(false);
}

// Both setters start the wait afresh, even when the value stays.
const PropertyTable<Timer>& Timer::properties() {
    using T = Timer;
    static const PropertyTable<T> table{
        field<T>(
            L"Interval", [](T & c) -> auto& { return c.interval_; }, 0),
        field<T>(
            L"Enabled", [](T & c) -> auto& { return c.timerEnabled_; }, true),
    };
    return table;
}

void Timer::setInterval(int ms) {
    if (ms < 0 || ms > 65535) throw core::RuntimeError(core::err::InvalidPropertyValue);
    interval_ = ms;
    PropertyChanged(L"Interval");
    restart();
}

void Timer::setEnabled(bool enabled) {
    timerEnabled_ = enabled;
    PropertyChanged(L"Enabled");
    restart();
}

void Timer::restart() {
    HWND w = hWnd();
    if (!w) return;
    if (running_) KillTimer(w, kTimerId);
    running_ = false;
    if (timerEnabled_ && interval_ > 0)
        running_ = SetTimer(w, kTimerId, static_cast<UINT>(interval_), nullptr) != 0;
}

void Timer::UserControl_InitProperties() {
    properties().init(*this);
    restart();
}

void Timer::UserControl_ReadProperties(PropertyBag& bag) {
    properties().read(*this, bag);
    restart();
}

void Timer::UserControl_WriteProperties(PropertyBag& bag) {
    properties().write(*this, bag);
}

void Timer::UserControl_Terminate() {
    if (running_ && hWnd()) KillTimer(hWnd(), kTimerId);
    running_ = false;
}

void Timer::windowMessage(core::MessageFrame& m) {
    switch (m.msg) {
    case WM_WINDOWPOSCHANGING:
        // A timer is never seen.
        reinterpret_cast<WINDOWPOS*>(m.lParam)->flags &= ~SWP_SHOWWINDOW;
        return;
    case WM_TIMER:
        onTimer(m);
        return;
    }
}

void Timer::onTimer(core::MessageFrame& m) {
    if (m.wParam != kTimerId) return;
    m.answer(0);
    if (running_) RaiseEvent(Tick);
}

} // namespace forms
