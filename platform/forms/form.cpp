#include "platform/forms/form.h"

#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/core/start_trace.h"
#include "platform/forms/app.h"
#include "platform/forms/do_events.h"
#include "platform/forms/form_frame.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/guarded_window_proc.h"
#include "platform/forms/message_loop.h"
#include "platform/forms/popup_menu.h"
#include "platform/forms/screen.h"
#include "platform/forms/user_control_focus.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/window_object.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace forms {

namespace {

const wchar_t* const kOwnerClass = L"VexaOwner";

void registerFormClass(WNDPROC windowProc) {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof wc};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = FormWindowClass;
    RegisterClassExW(&wc);
    done = true;
}

void registerOwnerClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW oc{sizeof oc};
    oc.lpfnWndProc = DefWindowProcW;
    oc.hInstance = GetModuleHandleW(nullptr);
    oc.lpszClassName = kOwnerClass;
    RegisterClassExW(&oc);
    done = true;
}

// A hidden window that owns the forms kept out of the task bar.
HWND hiddenOwner() {
    static HWND owner = nullptr;
    if (!owner || !IsWindow(owner)) {
        registerOwnerClass();
        owner = CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    return owner;
}

// What may wait for the first paint (LayoutEntry::afterFirstPaint): nothing the walks over a form's
// made controls (tab order, Enter and Escape, containers) must find before a key or a click arrives.
// Whether a control can take the focus is known only once it is made (createControl checks it).
void checkWaitingEntries(const Layout& table) {
    for (const LayoutEntry& e : table) {
        if (!e.afterFirstPaint) continue;
        const std::wstring key = controlKey(e.name, e.index);
        std::wstring why = e.tabStop     ? L"it is a tab stop"
                           : e.isDefault ? L"it is the default button"
                           : e.isCancel  ? L"it is the cancel button"
                                         : L"";
        for (const LayoutEntry& inner : table)
            if (why.empty() && inner.container == key)
                why = L"it holds " + controlKey(inner.name, inner.index);
        if (!why.empty())
            throw core::RuntimeError(core::err::InvalidPropertyValue,
                                     L"The control " + key + L" cannot wait for the first paint: " + why);
    }
}

// Inside a catch block: the failure as the error of a waiting control that could not be made.
[[noreturn]] void throwUnmade(const std::wstring& key) {
    const std::wstring what = L"The control " + key + L" could not be made: ";
    try {
        throw;
    } catch (const core::EndRequested&) {
        throw;
    } catch (const core::RuntimeError& e) {
        throw core::RuntimeError(e.number(), what + e.description());
    } catch (...) {
        throw core::RuntimeError(core::err::InvalidProcedureCall, what + core::currentErrorText());
    }
}

// One part of the step after the first paint: a failure is reported and the step goes on; the end of
// the program goes through.
template <class Work>
void reportingFailure(const wchar_t* where, Work&& work) {
    try {
        work();
    } catch (const core::EndRequested&) {
        throw;
    } catch (...) {
        core::reportUnexpectedError(where);
    }
}

// The start-up trace's "painted" step: the program's first paint of a form, the start-up form's.
void traceFirstPaint() {
    static bool traced = false;
    if (!std::exchange(traced, true)) core::startTrace::mark(L"painted");
}

} // namespace

// --- Forms

std::vector<std::shared_ptr<Form>> Forms::loaded() {
    return FormRegistry::get().loaded();
}

bool Forms::unloadAll() {
    auto forms = loaded();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if ((*it)->loaded() && !(*it)->Unload()) return false;
    return true;
}

void Forms::finishDeferred() {
    for (const auto& form : loaded())
        if (form->hasDeferred()) form->finishDeferred();
}

void Forms::added(const std::shared_ptr<Form>& form) {
    FormRegistry::get().added(form);
}

void Forms::releaseUnloaded() {
    FormRegistry::get().releaseUnloaded();
}

void Forms::removed(Form* form) {
    FormRegistry::get().removed(form);
}

std::shared_ptr<Form> Forms::instanceSlot(const std::type_info& type) {
    return FormRegistry::get().instance(type);
}

void Forms::setInstanceSlot(const std::type_info& type, std::shared_ptr<Form> form) {
    FormRegistry::get().setInstance(type, std::move(form));
}

// --- Form

Form::Form() : font_(StdFont::create()) {}

Form::~Form() {
    if (hwnd_) {
        // Not unloaded through Unload (a form object that simply goes): no form handlers run, but its
        // controls, also those placed at run time, still end properly while their windows exist.
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) (*it)->unload();
        controls_.clear();
        const std::vector<UserControl*> placed = hostedControls();
        for (auto it = placed.rbegin(); it != placed.rend(); ++it) (*it)->unload();
    }
    for (UserControl* c : hostedControls()) c->host_ = nullptr;
    if (hwnd_) {
        windowObject::detach(hwnd_);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    Forms::removed(this);
}

FrameSettings Form::frameSettings() const {
    FrameSettings f = frame_;
    f.hasCaption = !caption_.empty();
    return f;
}

HWND Form::ownerWindow() const {
    return frame_.showInTaskbar ? nullptr : hiddenOwner();
}

void Form::applyStyles() {
    if (!hwnd_) return;
    const DWORD keep =
        GetWindowLongW(hwnd_, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    const FrameStyles styles = frameStyles(frameSettings());
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(styles.style | keep));
    SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(styles.exStyle & ~WS_EX_TOPMOST));
    SetWindowPos(hwnd_, frame_.topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::createWindow() {
    registerFormClass(&Form::windowProc);
    const FrameStyles styles = frameStyles(frameSettings());
    const DWORD style = styles.style, ex = styles.exStyle;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, w = CW_USEDEFAULT, h = CW_USEDEFAULT;
    if (designWidth_ > 0 || designHeight_ > 0) {
        RECT r{0, 0, Screen::twipsToPixelsX(designWidth_), Screen::twipsToPixelsY(designHeight_)};
        if (designClient_) AdjustWindowRectEx(&r, style, FALSE, ex);
        w = r.right - r.left;
        h = r.bottom - r.top;
    }
    if (designLeft_ >= 0) x = Screen::twipsToPixelsX(designLeft_);
    if (designTop_ >= 0) y = Screen::twipsToPixelsY(designTop_);
    if (x == CW_USEDEFAULT && w != CW_USEDEFAULT) {
        // Placed by the system but sized by design: CW_USEDEFAULT for the position only.
        y = 0;
    }
    // The window procedure finds the form from its first message on (WM_NCCREATE).
    HWND hwnd = CreateWindowExW(ex, FormWindowClass, caption_.c_str(), style, x, y, w, h, ownerWindow(),
                                nullptr, GetModuleHandleW(nullptr), static_cast<WindowObject*>(this));
    if (!hwnd)
        throw core::RuntimeError(core::err::InvalidProcedureCall, L"The form's window could not be created");
    hwnd_ = hwnd;
    RECT rc;
    GetClientRect(hwnd, &rc);
    clientW_ = rc.right;
    clientH_ = rc.bottom;
    ensureSurface();
}

void Form::createControls() {
    auto closed = gate_->close();
    const Layout table = layout();
    core::startTrace::mark(L"layout read");
    checkWaitingEntries(table);
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].afterFirstPaint) {
            later_.push_back({table[i], i});
            continue;
        }
        createControl(table[i], controls_.size());
        core::startTrace::mark(L"made " + table[i].name);
        if (!loaded()) return;
    }
}

void Form::afterFirstPaint(std::function<void()> work) {
    if (deferredDone_) return work();
    laterWork_.push_back(std::move(work));
}

void Form::finishDeferred() {
    deferredDone_ = true;
    if (hwnd_) KillTimer(hwnd_, formTimer::AfterFirstPaint);
    // Taken from the front each time: a report's message box lets input run this again meanwhile.
    while (!later_.empty() && loaded())
        reportingFailure(L"After the first paint", [&] { makeLaterControl(0); });
    while (!laterWork_.empty() && loaded()) {
        const std::function<void()> work = std::move(laterWork_.front());
        laterWork_.erase(laterWork_.begin());
        reportingFailure(L"Work after the first paint", work);
    }
}

void Form::makeWaitingControls() {
    while (!later_.empty() && loaded()) makeLaterControl(0);
}

void Form::makeLaterControl(size_t which) {
    auto closed = gate_->close();
    FocusHookPause quiet;
    // Taken out first: a control made here that asks for another finds it made or in the making.
    const LaterControl c = later_[which];
    later_.erase(later_.begin() + static_cast<std::ptrdiff_t>(which));
    // Its place in the layout's order, among the controls made so far.
    const auto waitingBefore = std::count_if(later_.begin(), later_.end(),
                                             [&](const LaterControl& w) { return w.position < c.position; });
    try {
        createControl(c.entry, std::min(c.position - static_cast<size_t>(waitingBefore), controls_.size()));
    } catch (...) {
        throwUnmade(controlKey(c.entry.name, c.entry.index));
    }
    core::startTrace::mark(L"made " + c.entry.name + L" (later)");
}

void Form::createControl(const LayoutEntry& e, size_t position) {
    ControlHost* host = this;
    if (!e.container.empty()) {
        auto it = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) {
            return controlKey(c->Name(), c->Index()) == e.container;
        });
        if (it == controls_.end())
            throw core::RuntimeError(core::err::SubscriptOutOfRange, L"Unknown container: " + e.container);
        host = it->get();
    }
    std::shared_ptr<UserControl> c = ControlTypes::create(e.type);
    controls_.insert(controls_.begin() + static_cast<std::ptrdiff_t>(position), c);
    places_.insert(places_.begin() + static_cast<std::ptrdiff_t>(position), {e.container, e.afterFirstPaint});
    try {
        c->visible_ = e.visible;
        c->enabled_ = e.enabled;
        c->tabStop_ = e.tabStop;
        c->tabIndex_ = e.tabIndex;
        c->default_ = e.isDefault;
        c->cancel_ = e.isCancel;
        c->toolTipText_ = e.toolTipText;
        c->tag_ = e.tag;
        c->place(*host, e.name, e.index, e.left, e.top, e.width, e.height);
        if (!e.enabled) EnableWindow(c->hWnd(), FALSE);
        PropertyBag bag = e.properties;
        c->readStored(bag);
        // Known only once the control has set itself up from its stored values.
        if (e.afterFirstPaint && c->CanGetFocus())
            throw core::RuntimeError(core::err::InvalidPropertyValue,
                                     L"it can take the focus, so it cannot wait for the first paint");
    } catch (...) {
        // A control that could not be made is no control of the form; it unloads as it goes.
        if (auto at = std::find(controls_.begin(), controls_.end(), c); at != controls_.end()) {
            places_.erase(places_.begin() + (at - controls_.begin()));
            controls_.erase(at);
        }
        throw;
    }
}

void Form::load() {
    if (hwnd_) return;
    // Loading counts as handling a message: a form unloaded in its own Load (or in a DoEvents
    // there) stays alive for whoever asked for it until the outermost message is done.
    core::HandlingMessage loading;
    auto self = shared_from_this();
    unloading_ = false;
    firstPaintDone_ = false;
    deferredDone_ = false;
    if (!life_.alive()) life_.renew();
    createWindow();
    core::startTrace::mark(L"window made");
    Forms::added(self);
    holdingDrawing_ = true;
    struct DrawAtEnd {
        Form& form;
        ~DrawAtEnd() { form.drawWhatWaited(); }
    } drawAtEnd{*this};
    try {
        FocusHookPause quiet;
        createControls();
    } catch (...) {
        // A layout that cannot be built leaves no half-loaded form behind.
        destroyAll();
        throw;
    }
    if (!loaded()) return;
    Form_Load();
    core::startTrace::mark(L"loaded");
}

void Form::drawWhatWaited() noexcept {
    holdingDrawing_ = false;
    try {
        std::vector<std::weak_ptr<UserControl>> waiting;
        for (UserControl* c : allControls())
            if (c->drawWaiting_) waiting.push_back(c->weak_from_this());
        for (const auto& weak : waiting) {
            auto c = weak.lock();
            if (!c || !loaded()) return;
            if (!c->loaded() || !std::exchange(c->drawWaiting_, false)) continue;
            c->drawHeld();
        }
    } catch (...) {
        core::reportUnexpectedError(L"Drawing after the form's load");
    }
}

bool Form::Unload(int mode) {
    if (!loaded()) return true;
    auto keep = weak_from_this().lock();
    auto watch = life_.watch();
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (!watch.alive() || !loaded()) return true;
    if (cancel) return false;
    Form_Unload(cancel);
    if (!watch.alive() || !loaded()) return true;
    if (cancel) return false;
    destroyAll();
    return true;
}

void Form::destroyAll() {
    unloading_ = true;
    // What waited for the first paint is not needed any more.
    later_.clear();
    laterWork_.clear();
    auto keep = weak_from_this().lock();
    // Terminate of every control runs while all windows still exist.
    std::vector<std::shared_ptr<UserControl>> controls = std::move(controls_);
    controls_.clear();
    places_.clear();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) (*it)->unload();
    controls.clear();
    // Controls placed at run time go the same way.
    const std::vector<UserControl*> placed = hostedControls();
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) (*it)->unload();
    HWND w = hwnd_;
    if (w) {
        if (GetCapture() == w) ReleaseCapture();
        DestroyWindow(w);
    }
    hwnd_ = nullptr;
    life_.end();
    Forms::removed(this);
    if (keep) FormRegistry::get().keepUnloaded(std::move(keep));
}

HWND Form::hWnd() {
    if (!hwnd_ && !unloading_) load();
    return hwnd_;
}

// --- showing

void Form::showWindowNow(bool activate) {
    int cmd;
    switch (windowState_) {
    case core::windowState::Minimized:
        cmd = activate ? SW_SHOWMINIMIZED : SW_SHOWMINNOACTIVE;
        break;
    case core::windowState::Maximized:
        cmd = SW_SHOWMAXIMIZED;
        break;
    default:
        cmd = (activate && !frame_.noActivate) ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE;
        break;
    }
    if (IsIconic(hwnd_) && windowState_ == core::windowState::Normal)
        cmd = (activate && !frame_.noActivate) ? SW_RESTORE : SW_SHOWNOACTIVATE;
    const bool wasShown = IsWindowVisible(hwnd_);
    ShowWindow(hwnd_, cmd);
    core::startTrace::mark(L"shown");
    // Timers come after every paint. Set until it has fired once, also with nothing waiting yet: a
    // control placed meanwhile may hand the form work.
    if (!deferredDone_) SetTimer(hwnd_, formTimer::AfterFirstPaint, USER_TIMER_MINIMUM, nullptr);
    if (frame_.topMost)
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!loaded()) return;
    // Showing a shown window changes nothing on the screen: the form is brought forward instead.
    if (wasShown && activate) bringToFront();
    if (!loaded()) return;
    if (!shownOnce_) {
        shownOnce_ = true;
        Form_Resize();
        if (!loaded()) return;
    }
    updateControlsShown();
}

void Form::bringToFront() {
    // A form a modal form has disabled is not activated behind it.
    if (frame_.noActivate || !IsWindowEnabled(hwnd_)) {
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd_);
}

void Form::updateControlsShown() {
    std::vector<UserControl*> copy = hostedControls();
    for (UserControl* c : copy)
        if (c->loaded()) c->updateShown();
}

void Form::Show(int modal, Form* owner) {
    auto keep = shared_from_this();
    if (!hwnd_) load();
    auto watch = life_.watch();
    if (!loaded()) return;
    if (!modal) {
        if (owner && owner->hwnd_ && owner != this)
            SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, (LONG_PTR)owner->hwnd_);
        showWindowNow(true);
        return;
    }
    if (modalDepth_ > 0)
        throw core::RuntimeError(core::err::FormAlreadyShown, L"Form already displayed; can't show modally");
    HWND ownerHwnd = owner && owner->hwnd_ ? owner->hwnd_ : nullptr;
    if (!ownerHwnd) {
        if (auto a = FormRegistry::get().active(); a && a.get() != this && a->loaded()) ownerHwnd = a->hwnd_;
    }
    std::vector<HWND> disabled;
    for (auto& f : Forms::loaded()) {
        if (f.get() == this || !f->hwnd_) continue;
        if (IsWindowEnabled(f->hwnd_)) {
            EnableWindow(f->hwnd_, FALSE);
            disabled.push_back(f->hwnd_);
        }
    }
    if (ownerHwnd) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerHwnd));
    ++modalDepth_;
    showWindowNow(true);
    MessageLoop::runUntil([&] { return !watch.alive() || !loaded() || !IsWindowVisible(hwnd_); });
    // The object is still held here, loaded again or not.
    --modalDepth_;
    for (HWND w : disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    if (ownerHwnd && IsWindow(ownerHwnd) && IsWindowVisible(ownerHwnd)) SetActiveWindow(ownerHwnd);
}

void Form::Hide() {
    if (!hwnd_) load();
    if (!loaded()) return;
    ShowWindow(hwnd_, SW_HIDE);
    updateControlsShown();
}

bool Form::Visible() const {
    return hwnd_ && IsWindowVisible(hwnd_);
}

void Form::setVisible(bool visible) {
    if (visible)
        Show();
    else
        Hide();
}

int Form::WindowState() const {
    if (hwnd_ && IsWindowVisible(hwnd_)) {
        if (IsIconic(hwnd_)) return core::windowState::Minimized;
        if (IsZoomed(hwnd_)) return core::windowState::Maximized;
        return core::windowState::Normal;
    }
    return windowState_;
}

void Form::setWindowState(int state) {
    if (state != core::windowState::Normal && state != core::windowState::Minimized &&
        state != core::windowState::Maximized)
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    windowState_ = state;
    // A hidden form stays hidden; the state applies when it is shown.
    if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
    ShowWindow(hwnd_, state == core::windowState::Minimized   ? SW_MINIMIZE
                      : state == core::windowState::Maximized ? SW_MAXIMIZE
                                                              : SW_RESTORE);
}

void Form::SetFocus() {
    HWND w = hwnd_;
    if (!w || frame_.noActivate || !IsWindowVisible(w) || !IsWindowEnabled(w)) return;
    HWND focus = GetFocus();
    if (focus && (focus == w || IsChild(w, focus))) return;
    ::SetFocus(w);
}

// --- menus

void Form::setMenu(HMENU menu) {
    if (!hWnd()) return;
    HMENU old = GetMenu(hwnd_);
    SetMenu(hwnd_, menu);
    if (old && old != menu) DestroyMenu(old);
}

void Form::PopupMenu(HMENU menu, UINT flags) {
    POINT pt;
    GetCursorPos(&pt);
    const int id = showPopupMenu({menu, flags, pt, hWnd(), {}});
    if (id) menuCommand(id);
}

void Form::PopupMenu(HMENU menu, UINT flags, double x, double y) {
    const bool twips = hostScaleMode() == core::scale::Twips;
    POINT pt{twips ? Screen::twipsToPixelsX(x) : static_cast<int>(x),
             twips ? Screen::twipsToPixelsY(y) : static_cast<int>(y)};
    ClientToScreen(hWnd(), &pt);
    const int id = showPopupMenu({menu, flags, pt, hwnd_, {}});
    if (id) menuCommand(id);
}

void Form::PopupMenu(HMENU menu, UINT flags, UserControl& control, int x, int y,
                     std::optional<UINT> defaultItem) {
    if (!menu || !hWnd()) return;
    if (GetCapture()) ReleaseCapture();
    POINT pt{x, y};
    if (control.hWnd()) ClientToScreen(control.hWnd(), &pt);
    const int id = showPopupMenu({menu, flags, pt, hwnd_, defaultItem});
    if (id) menuCommand(id);
}

void Form::registerMenu(HMENU menu) {
    if (menu && std::find(menus_.begin(), menus_.end(), menu) == menus_.end()) menus_.push_back(menu);
}

namespace {

bool holdsSubmenu(HMENU parent, HMENU wanted, int depth) {
    if (!parent || depth > 16) return false;
    const int n = GetMenuItemCount(parent);
    for (int i = 0; i < n; ++i) {
        HMENU sub = GetSubMenu(parent, i);
        if (sub && (sub == wanted || holdsSubmenu(sub, wanted, depth + 1))) return true;
    }
    return false;
}

} // namespace

bool Form::ownsMenu(HMENU menu) const {
    if (!menu || !IsMenu(menu)) return false;
    for (HMENU m : menus_)
        if (m == menu || holdsSubmenu(m, menu, 0)) return true;
    HMENU bar = hwnd_ ? GetMenu(hwnd_) : nullptr;
    return bar && (bar == menu || holdsSubmenu(bar, menu, 0));
}

void Form::menuCommand(int id) {
    auto keep = weak_from_this().lock();
    auto watch = life_.watch();
    Form_MenuClick(id);
    if (watch.alive() && loaded() && gate_->open()) MenuClick.raise(id);
}

// --- window procedure

LRESULT CALLBACK Form::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowObject* object = windowObject::attachOnCreate(hwnd, msg, lParam);
    auto* self = dynamic_cast<Form*>(object ? object : windowObject::of(hwnd));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCCREATE) self->hwnd_ = hwnd;
    return guardedWindowProc(self, hwnd, msg, L"Form window procedure",
                             [&] { return self->handleMessage(hwnd, msg, wParam, lParam); });
}

LRESULT Form::handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        windowObject::detach(hwnd);
        hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    // The form's own, before its code sees the message.
    if (msg == WM_TIMER && wParam == formTimer::AfterFirstPaint) {
        // The painted picture reaches the screen first, not after the work that waits for it.
        showWhatIsPainted();
        finishDeferred();
        return 0;
    }
    core::MessageFrame frame{hwnd, msg, wParam, lParam};
    windowMessage(frame);
    if (frame.handled) return frame.result;
    switch (msg) {
    case WM_CLOSE:
        Unload(unloadMode::FormControlMenu);
        return 0;
    case WM_PAINT:
        paintSurface();
        if (!std::exchange(firstPaintDone_, true)) traceFirstPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        if (wParam == SIZE_MINIMIZED) {
            windowState_ = core::windowState::Minimized;
            Form_Resize();
            return 0;
        }
        windowState_ = wParam == SIZE_MAXIMIZED ? core::windowState::Maximized : core::windowState::Normal;
        if (rc.right == clientW_ && rc.bottom == clientH_) return 0;
        clientW_ = rc.right;
        clientH_ = rc.bottom;
        ensureSurface();
        if (shownOnce_ || IsWindowVisible(hwnd)) Form_Resize();
        return 0;
    }
    case WM_ACTIVATE: {
        HWND other = reinterpret_cast<HWND>(lParam);
        if (LOWORD(wParam) == WA_INACTIVE) {
            Form* to = Form::fromWindow(other);
            if (to && to != this) Form_Deactivate();
            if (UserControl* c = UserControl::fromWindow(GetFocus()); c && c->Parent() == this)
                lastFocus_ = c;
        } else {
            if (FormRegistry::get().active().get() != this) {
                FormRegistry::get().setActive(weak_from_this());
                Form_Activate();
            }
        }
        return 0;
    }
    case WM_SETFOCUS:
        // Give the focus back to the control that had it, or the first in tab order.
        for (const auto& c : controls_)
            if (c.get() == lastFocus_ && c->loaded() && IsWindowVisible(c->hWnd()) &&
                IsWindowEnabled(c->hWnd())) {
                c->SetFocus();
                return 0;
            }
        tabFocus(true);
        return 0;
    case WM_MOUSEACTIVATE:
        if (frame_.noActivate) return MA_NOACTIVATE;
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd &&
            mousePointer_ != core::pointer::Default) {
            if (HCURSOR c = cursorForPointer(mousePointer_, mouseIcon_.get())) {
                SetCursor(c);
                return TRUE;
            }
        }
        break;
    case WM_COMMAND:
        if (lParam == 0 && HIWORD(wParam) == 0) {
            menuCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_KEYDOWN: {
        int code = static_cast<int>(wParam);
        Form_KeyDown(code, shiftFromKeyboard());
        return 0;
    }
    case WM_KEYUP: {
        int code = static_cast<int>(wParam);
        Form_KeyUp(code, shiftFromKeyboard());
        return 0;
    }
    case WM_CHAR: {
        int ascii = static_cast<int>(wParam);
        Form_KeyPress(ascii);
        return 0;
    }
    default:
        if (mouse_.handle(hwnd, msg, wParam, lParam, *this)) return 0;
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The form's mouse events give X and Y in the form's scale (twips unless changed).
void Form::mouseDown(int button, int shift, float x, float y) {
    Form_MouseDown(button, shift, toScaleX(x), toScaleY(y));
}
void Form::mouseMove(int button, int shift, float x, float y) {
    Form_MouseMove(button, shift, toScaleX(x), toScaleY(y));
}
void Form::mouseUp(int button, int shift, float x, float y) {
    Form_MouseUp(button, shift, toScaleX(x), toScaleY(y));
}
void Form::mouseClick() {
    Form_Click();
}
void Form::mouseDblClick() {
    Form_DblClick();
}

} // namespace forms
