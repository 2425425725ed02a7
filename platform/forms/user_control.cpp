#include "platform/forms/user_control.h"

#include "platform/core/event_log.h"
#include "platform/forms/app.h"
#include "platform/forms/guarded_window_proc.h"
#include "platform/forms/form.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/user_control_focus.h"
#include "platform/forms/window_object.h"

#include <algorithm>
#include <iterator>

namespace forms {

namespace {

const wchar_t* const kClassName = L"VexaUserControl";
bool g_defaultUserMode = true;

bool hasNonClientArea(HWND hwnd) {
    RECT window, client;
    if (!GetWindowRect(hwnd, &window) || !GetClientRect(hwnd, &client)) return true;
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

} // namespace

void UserControl::registerClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof wc};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &UserControl::windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
    done = true;
}

void ControlHost::notifyAmbientChanged(const std::wstring& name) {
    std::vector<UserControl*> copy = hosted_;
    for (UserControl* c : copy) {
        if (std::find(hosted_.begin(), hosted_.end(), c) == hosted_.end() || !c->loaded()) continue;
        c->raiseAmbientChanged(name);
    }
}

UserControl::UserControl() = default;

UserControl::~UserControl() {
    for (UserControl* c : hostedControls()) c->host_ = nullptr;
    if (host_) std::erase(host_->hosted_, this);
    if (hwnd_) {
        windowObject::detach(hwnd_);
        DestroyWindow(hwnd_);
    }
}

void UserControl::setDefaultUserMode(bool userMode) {
    g_defaultUserMode = userMode;
}

void UserControl::place(ControlHost& host, std::wstring name, int index, int left, int top, int width,
                        int height) {
    // A control is placed once; an unloaded one stays unloaded.
    if (hwnd_ || unloaded_) throw core::RuntimeError(core::err::InvalidProcedureCall);
    registerClass();
    installFocusHook();
    host_ = &host;
    host.hosted_.push_back(this);
    if (Form* f = host.hostForm()) gate_ = f->eventGate();
    name_ = std::move(name);
    index_ = index;
    left_ = toTwipsX(left);
    top_ = toTwipsY(top);
    width_ = toTwipsX(std::max(0, width));
    height_ = toTwipsY(std::max(0, height));
    HWND parent = host.hWnd();
    // The window procedure finds the object from its first message on (WM_NCCREATE); the control
    // raises no Resize before Initialize.
    creating_ = true;
    HWND w = CreateWindowExW(extraExStyle_ | WS_EX_NOPARENTNOTIFY, kClassName, L"",
                             WS_CHILD | WS_CLIPSIBLINGS | extraStyle_, Screen::twipsToPixelsX(left_),
                             Screen::twipsToPixelsY(top_), Screen::twipsToPixelsX(width_),
                             Screen::twipsToPixelsY(height_), parent, nullptr, GetModuleHandleW(nullptr),
                             static_cast<WindowObject*>(this));
    creating_ = false;
    if (!w)
        throw core::RuntimeError(core::err::InvalidProcedureCall,
                                 L"The control's window could not be created");
    hwnd_ = w;
    RECT rc;
    GetClientRect(w, &rc);
    clientW_ = rc.right;
    clientH_ = rc.bottom;
    ensureSurface();
    UserControl_Initialize();
}

void UserControl::initNew() {
    UserControl_InitProperties();
    if (unloaded_) return;
    UserControl_Resize();
    if (unloaded_) return;
    if (visible_) ShowWindow(hwnd_, SW_SHOWNA);
    updateShown();
}

void UserControl::readStored(PropertyBag& bag) {
    UserControl_ReadProperties(bag);
    if (unloaded_) return;
    UserControl_Resize();
    if (unloaded_) return;
    if (visible_) ShowWindow(hwnd_, SW_SHOWNA);
    updateShown();
}

void UserControl::save(PropertyBag& bag) {
    UserControl_WriteProperties(bag);
}

void UserControl::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    auto keep = weak_from_this().lock();
    if (hwnd_) {
        try {
            UserControl_Terminate();
        } catch (...) {
            core::reportUnexpectedError(L"Terminate");
        }
    }
    std::vector<UserControl*> children = hostedControls();
    for (UserControl* c : children) c->unload();
    life_.end();
    if (host_) {
        std::erase(host_->hosted_, this);
        host_ = nullptr;
    }
    if (hwnd_) {
        HWND w = hwnd_;
        if (GetCapture() == w) ReleaseCapture();
        DestroyWindow(w);
        hwnd_ = nullptr;
    }
}

bool UserControl::eventsOpen() const {
    return !gate_ || gate_->open();
}

bool UserControl::containerInPixels() const {
    return host_ && host_->hostScaleMode() == core::scale::Pixels;
}
int UserControl::fromTwipsX(int twips) const {
    return containerInPixels() ? Screen::twipsToPixelsX(twips) : twips;
}
int UserControl::fromTwipsY(int twips) const {
    return containerInPixels() ? Screen::twipsToPixelsY(twips) : twips;
}
int UserControl::toTwipsX(int value) const {
    return containerInPixels() ? Screen::pixelsToTwipsX(value) : value;
}
int UserControl::toTwipsY(int value) const {
    return containerInPixels() ? Screen::pixelsToTwipsY(value) : value;
}

void UserControl::Move(int left, int top, int width, int height) {
    if (width < 0 || height < 0) throw core::RuntimeError(core::err::InvalidPropertyValue);
    // Values the caller did not change keep their exact twips, even where the scale rounds them.
    const int l = left == Left() ? left_ : toTwipsX(left);
    const int t = top == Top() ? top_ : toTwipsY(top);
    const int w = width == Width() ? width_ : toTwipsX(width);
    const int h = height == Height() ? height_ : toTwipsY(height);
    if (l == left_ && t == top_ && w == width_ && h == height_) return;
    left_ = l;
    top_ = t;
    width_ = w;
    height_ = h;
    if (!hwnd_) return;
    SetWindowPos(hwnd_, nullptr, Screen::twipsToPixelsX(left_), Screen::twipsToPixelsY(top_),
                 Screen::twipsToPixelsX(width_), Screen::twipsToPixelsY(height_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void UserControl::setVisible(bool visible) {
    visible_ = visible;
    if (!hwnd_) return;
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    updateShown();
}

void UserControl::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd_) EnableWindow(hwnd_, enabled);
}

void UserControl::setDefault(bool isDefault) {
    if (isDefault == default_) return;
    if (isDefault) {
        if (Form* f = Parent()) f->clearDefault(this);
    }
    default_ = isDefault;
    if (loaded()) UserControl_AmbientChanged(L"DisplayAsDefault");
}

void UserControl::setCancel(bool isCancel) {
    if (isCancel) {
        if (Form* f = Parent()) f->clearCancel(this);
    }
    cancel_ = isCancel;
}

AmbientProperties UserControl::Ambient() const {
    AmbientProperties a;
    a.UserMode = g_defaultUserMode;
    if (host_) {
        a.Font = host_->ambientFont();
        a.BackColor = host_->ambientBackColor();
        a.ForeColor = host_->ambientForeColor();
    } else {
        a.Font = StdFont::create();
    }
    a.DisplayName = name_;
    if (default_) {
        UserControl* focused = fromWindow(focusWindowNow());
        a.DisplayAsDefault = !(focused && focused != this && focused->defaultCancel_);
    }
    return a;
}

std::shared_ptr<StdFont> UserControl::ambientFont() {
    return host_ ? host_->ambientFont() : StdFont::create();
}
uint32_t UserControl::ambientBackColor() {
    return host_ ? host_->ambientBackColor() : core::sysColor::ButtonFace;
}
uint32_t UserControl::ambientForeColor() {
    return host_ ? host_->ambientForeColor() : core::sysColor::ButtonText;
}

void UserControl::setMousePointer(int pointer) {
    if (!isMousePointer(pointer)) throw core::RuntimeError(core::err::InvalidPropertyValue);
    mousePointer_ = pointer;
}

bool UserControl::holdDrawing() {
    Form* form = Parent();
    if (!form || !form->holdsDrawing()) return false;
    drawWaiting_ = true;
    return true;
}

void UserControl::setWindowRegion(GdiRegion region) {
    if (!hwnd_) return;
    // Controls give their region with every paint; giving the window the region it has makes the
    // platform recompute and repaint its frame for nothing.
    GdiRegion current(CreateRectRgn(0, 0, 0, 0));
    const bool has = current && GetWindowRgn(hwnd_, current.get()) != ERROR;
    if (region ? has && EqualRgn(current.get(), region.get()) : !has) return;
    // The window owns the region from here on.
    SetWindowRgn(hwnd_, region.release(), TRUE);
}

void UserControl::SetFocus() {
    if (!hwnd_ || !IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return;
    // A control asked for the keyboard keeps it through a loss of the form's activation that comes
    // after the request, however late the system reports it.
    if (Form* f = Parent()) f->rememberFocus(this);
    ::SetFocus(hwnd_);
}

void UserControl::Refresh() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

UserControl* UserControl::fromWindow(HWND hwnd) {
    for (HWND w = hwnd; w; w = GetParent(w)) {
        if (auto* c = dynamic_cast<UserControl*>(windowObject::of(w))) return c;
        if (!(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return nullptr;
}

void UserControl::accessKeyPress(int keyAscii) {
    auto keep = weak_from_this().lock();
    UserControl_AccessKeyPress(keyAscii);
}

void UserControl::updateShown() {
    const bool now = hwnd_ && IsWindowVisible(hwnd_);
    if (now != shown_) {
        shown_ = now;
        if (now)
            UserControl_Show();
        else
            UserControl_Hide();
    }
    std::vector<UserControl*> children = hostedControls();
    for (UserControl* c : children)
        if (c->loaded()) c->updateShown();
}

void UserControl::sizeChanged() {
    RECT rc;
    GetClientRect(hwnd_, &rc);
    if (rc.right == clientW_ && rc.bottom == clientH_) return;
    clientW_ = rc.right;
    clientH_ = rc.bottom;
    ensureSurface();
    UserControl_Resize();
}

LRESULT CALLBACK UserControl::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowObject* object = windowObject::attachOnCreate(hwnd, msg, lParam);
    auto* self = dynamic_cast<UserControl*>(object ? object : windowObject::of(hwnd));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCCREATE) self->hwnd_ = hwnd;
    return guardedWindowProc(self, hwnd, msg, L"UserControl window procedure",
                             [&] { return self->handleMessage(hwnd, msg, wParam, lParam); });
}

LRESULT UserControl::handleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY) {
        windowObject::detach(hwnd);
        hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    // An unloaded control hears nothing more while its window goes.
    if (unloaded_) return DefWindowProcW(hwnd, msg, wParam, lParam);
    core::MessageFrame frame{hwnd, msg, wParam, lParam};
    windowMessage(frame);
    if (frame.handled) return frame.result;
    switch (msg) {
    case WM_PAINT:
        paintSurface();
        return 0;
    case WM_ERASEBKGND:
        if (usesSurface_ && surface_) return 1;
        break;
    case WM_NCPAINT:
        // A window without border or scroll bars has nothing outside its client area to draw, and
        // the system's handling still asks for a window DC for it (most of a child's cost when its
        // form is shown).
        if (!hasNonClientArea(hwnd)) return 0;
        break;
    case WM_SIZE:
        if (!creating_) sizeChanged();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && mousePointer_ != core::pointer::Default) {
            if (HCURSOR c = cursorForPointer(mousePointer_, mouseIcon_.get())) {
                SetCursor(c);
                return TRUE;
            }
        }
        break;
    case WM_GETDLGCODE:
        return wantedKeys_;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
        int code = static_cast<int>(wParam);
        const int sh = shiftFromKeyboard();
        if (!previewKey(msg, code)) return 0;
        if (code != 0) {
            if (down)
                UserControl_KeyDown(code, sh);
            else
                UserControl_KeyUp(code, sh);
        }
        if (msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) break;
        return 0;
    }
    case WM_CHAR: {
        int ascii = static_cast<int>(wParam);
        if (!previewKey(msg, ascii)) return 0;
        if (ascii != 0) UserControl_KeyPress(ascii);
        return 0;
    }
    case WM_SETFOCUS:
        UserControl_GotFocus();
        return 0;
    case WM_KILLFOCUS:
        UserControl_LostFocus();
        return 0;
    default:
        if (mouse_.handle(hwnd, msg, wParam, lParam, *this)) return 0;
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool UserControl::previewKey(UINT msg, int& code) {
    Form* f = Parent();
    if (!f || !f->KeyPreview()) return true;
    auto watch = life_.watch();
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        f->previewKeyDown(code, shiftFromKeyboard());
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        f->previewKeyUp(code, shiftFromKeyboard());
        break;
    case WM_CHAR:
        f->previewKeyPress(code);
        break;
    }
    return watch.alive() && !unloaded_;
}

void UserControl::mousePressFocus() {
    if (!canGetFocus_ || !hwnd_) return;
    // A floating window must not take the activation by taking the focus.
    if (!(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) return;
    HWND focus = GetFocus();
    if (focus == hwnd_ || (focus && IsChild(hwnd_, focus))) return;
    ::SetFocus(hwnd_);
}

void UserControl::mouseDown(int button, int shift, float x, float y) {
    UserControl_MouseDown(button, shift, x, y);
}
void UserControl::mouseMove(int button, int shift, float x, float y) {
    UserControl_MouseMove(button, shift, x, y);
}
void UserControl::mouseUp(int button, int shift, float x, float y) {
    UserControl_MouseUp(button, shift, x, y);
}
void UserControl::mouseClick() {
    UserControl_Click();
}
void UserControl::mouseDblClick() {
    UserControl_DblClick();
}

bool isMousePointer(int value) {
    return (value >= core::pointer::Default && value <= core::pointer::SizeAll) ||
           value == core::pointer::Custom;
}

HCURSOR cursorForPointer(int value, const StdPicture* icon) {
    // The system cursor of each pointer:: value from Arrow to SizeAll, in order.
    static const wchar_t* const cursors[] = {
        IDC_ARROW,    IDC_CROSS,  IDC_IBEAM,       IDC_ICON,   IDC_SIZEALL,
        IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE,    IDC_SIZEWE, IDC_UPARROW,
        IDC_WAIT,     IDC_NO,     IDC_APPSTARTING, IDC_HELP,   IDC_SIZEALL,
    };
    static_assert(std::size(cursors) == core::pointer::SizeAll - core::pointer::Arrow + 1);
    if (value == core::pointer::Custom)
        return icon && icon->hIcon() ? static_cast<HCURSOR>(icon->hIcon()) : nullptr;
    if (value < core::pointer::Arrow || value > core::pointer::SizeAll) return nullptr;
    return LoadCursorW(nullptr, cursors[value - core::pointer::Arrow]);
}

} // namespace forms
