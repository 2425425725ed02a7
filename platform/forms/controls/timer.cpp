#include "platform/forms/controls/timer.h"

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

void Timer::setInterval(int ms) {
    if (ms < 0 || ms > 65535) throw RuntimeError(err::InvalidPropertyValue);
    interval_ = ms;
    restart();
}

void Timer::setEnabled(bool enabled) {
    timerEnabled_ = enabled;
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

void Timer::UserControl_ReadProperties(PropertyBag& bag) {
    interval_ = bag.ReadProperty(L"Interval", 0).toLong();
    timerEnabled_ = bag.ReadProperty(L"Enabled", true).toBoolean();
    restart();
}

void Timer::UserControl_WriteProperties(PropertyBag& bag) {
    bag.WriteProperty(L"Interval", interval_, 0);
    bag.WriteProperty(L"Enabled", timerEnabled_, true);
}

void Timer::UserControl_Terminate() {
    if (running_ && hWnd()) KillTimer(hWnd(), kTimerId);
    running_ = false;
}

void Timer::windowMessage(MessageFrame& m) {
    if (m.msg == WM_WINDOWPOSCHANGING) {
        // A timer is never seen.
        reinterpret_cast<WINDOWPOS*>(m.lParam)->flags &= ~SWP_SHOWWINDOW;
    } else if (m.msg == WM_TIMER && m.wParam == kTimerId) {
        m.answer(0);
        if (running_) RaiseEvent(Tick);
    }
}

} // namespace forms
