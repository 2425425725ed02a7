#include "app/sys_tray_icon.h"

#include "app/form_parts.h"
#include "app/traymenu.h"
#include "platform/core/event_log.h"
#include "platform/core/late_bound.h"
#include "platform/forms/app.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/functions.h"
#include "platform/forms/property_table.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "platform/forms/window_object.h"

#include <algorithm>
#include <set>

namespace app {

namespace {

ShellNotify& notifySlot() {
    static ShellNotify notify;
    return notify;
}

BOOL shellNotify(DWORD operation, const NOTIFYICONDATAW& record) {
    if (notifySlot()) return notifySlot()(operation, record);
    static const core::LateBound<decltype(Shell_NotifyIconW)> notify{L"shell32.dll", "Shell_NotifyIconW"};
    NOTIFYICONDATAW copy = record;
    return notify && notify(operation, &copy);
}

std::set<SysTrayIcon*>& liveIcons() {
    static std::set<SysTrayIcon*> icons;
    return icons;
}

UINT taskbarCreated() {
    static const UINT msg = RegisterWindowMessageW(L"TaskbarCreated");
    return msg;
}

const wchar_t kNotifyClass[] = L"VexaTrayNotify";

void registerNotifyClass(WNDPROC proc) {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kNotifyClass;
    done = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

ShellNotify setShellNotify(ShellNotify notify) {
    ShellNotify old = std::move(notifySlot());
    notifySlot() = std::move(notify);
    return old;
}

NOTIFYICONDATAW trayRecord(HWND window, HICON icon, const std::wstring& tip) {
    NOTIFYICONDATAW r{};
    r.cbSize = NOTIFYICONDATAW_V1_SIZE;
    r.hWnd = window;
    r.uID = 1;
    r.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    r.uCallbackMessage = kTrayCallback;
    r.hIcon = icon;
    const std::wstring text = forms::Trim(tip).substr(0, kTipField - 1);
    std::fill(std::begin(r.szTip), std::begin(r.szTip) + kTipField, L' ');
    std::copy(text.begin(), text.end(), r.szTip);
    r.szTip[text.size()] = L'\0';
    return r;
}

TrayNotice trayNoticeOf(UINT mouseMessage) {
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        return TrayNotice::MouseMoved;
    case WM_LBUTTONDOWN:
        return TrayNotice::LeftButtonDown;
    case WM_LBUTTONUP:
        return TrayNotice::LeftButtonUp;
    case WM_LBUTTONDBLCLK:
        return TrayNotice::LeftButtonDoubleClick;
    case WM_RBUTTONDOWN:
        return TrayNotice::RightButtonDown;
    case WM_RBUTTONUP:
        return TrayNotice::RightButtonUp;
    case WM_RBUTTONDBLCLK:
        return TrayNotice::RightButtonDoubleClick;
    default:
        return TrayNotice::None;
    }
}

POINT trayPopupPlace(POINT pointer, SIZE popup, const RECT& work) {
    POINT p{pointer.x - popup.cx, pointer.y - popup.cy};
    p.x = std::max(work.left, std::min(p.x, work.right - popup.cx));
    p.y = std::max(work.top, std::min(p.y, work.bottom - popup.cy));
    return p;
}

SysTrayIcon::SysTrayIcon() {
    liveIcons().insert(this);
    setCanGetFocus(false);
}

SysTrayIcon::~SysTrayIcon() {
    liveIcons().erase(this);
    destroyWindows();
}

void SysTrayIcon::registerType() {
    forms::registerControlType<SysTrayIcon>(L"SysTrayIcon");
}

const forms::PropertyTable<SysTrayIcon>& SysTrayIcon::properties() {
    static const forms::PropertyTable<SysTrayIcon> table{
        forms::field<SysTrayIcon>(
            L"Icon", [](SysTrayIcon & c) -> auto& { return c.icon_; }, std::shared_ptr<forms::StdPicture>(),
            forms::OnChange::None),
        // The one blank a stored tip holds by default reads back trimmed: the same as no tip.
        forms::field<SysTrayIcon>(
            L"IconToolTipText", [](SysTrayIcon & c) -> auto& { return c.tip_; }, std::wstring(),
            forms::OnChange::None),
        forms::field<SysTrayIcon>(
            L"IconVisible", [](SysTrayIcon & c) -> auto& { return c.visible_; }, false,
            forms::OnChange::None),
    };
    return table;
}

bool SysTrayIcon::userMode() const {
    return Ambient().UserMode;
}

void SysTrayIcon::UserControl_InitProperties() {
    properties().init(*this);
    tip_ = forms::Trim(tip_);
    if (userMode()) makeWindows();
}

void SysTrayIcon::UserControl_ReadProperties(forms::PropertyBag& bag) {
    properties().read(*this, bag);
    tip_ = forms::Trim(tip_).substr(0, kTipField);
    if (userMode()) {
        // Only the window's owner sees it: at run time the control itself is not shown.
        setVisible(false);
        makeWindows();
        applyVisible();
    }
    showPicture();
}

void SysTrayIcon::UserControl_WriteProperties(forms::PropertyBag& bag) {
    properties().write(*this, bag);
}

void SysTrayIcon::UserControl_Terminate() {
    remove();
    destroyWindows();
}

void SysTrayIcon::setIconToolTipText(const std::wstring& text) {
    tip_ = forms::Trim(text).substr(0, kTipField);
    PropertyChanged(L"IconToolTipText");
    send(NIM_MODIFY);
}

void SysTrayIcon::setIcon(std::shared_ptr<forms::StdPicture> picture) {
    if (picture && picture->Type() != forms::PictureType::None) {
        icon_ = std::move(picture);
        PropertyChanged(L"Icon");
        send(NIM_MODIFY);
        showPicture();
        return;
    }
    icon_ = forms::StdPicture::empty();
    showPicture();
    PropertyChanged(L"Icon");
    remove();
}

void SysTrayIcon::setIconVisible(bool visible) {
    visible_ = visible;
    PropertyChanged(L"IconVisible");
    if (userMode()) applyVisible();
}

void SysTrayIcon::applyVisible() {
    if (visible_)
        shown_ = send(NIM_ADD) || shown_;
    else
        remove();
}

bool SysTrayIcon::send(DWORD operation) {
    makeWindows();
    if (icon_ && icon_->Type() == forms::PictureType::Icon) sentIcon_ = icon_->hIcon();
    return shellNotify(operation, trayRecord(notifyWindow_, sentIcon_, tip_)) != FALSE;
}

void SysTrayIcon::remove() {
    shown_ = false;
    if (!notifyWindow_) return;
    NOTIFYICONDATAW r = trayRecord(notifyWindow_, sentIcon_, tip_);
    shellNotify(NIM_DELETE, r);
}

void SysTrayIcon::showPicture() {
    if (!loaded()) return;
    forms::Surface& s = surface();
    s.Cls();
    if (icon_ && icon_->Type() != forms::PictureType::None)
        icon_->render(hDC(), 0, 0, icon_->widthPixels(), icon_->heightPixels());
    Refresh();
}

void SysTrayIcon::makeWindows() {
    if (notifyWindow_) return;
    registerNotifyClass(&SysTrayIcon::notifyProc);
    // The notices go to a message-only window; the shell's restart notice is broadcast, which only
    // reaches top-level windows, so a hidden one listens for it.
    auto* object = static_cast<forms::WindowObject*>(this);
    notifyWindow_ = CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), object);
    shellWatch_ = CreateWindowExW(WS_EX_TOOLWINDOW, kNotifyClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), object);
}

void SysTrayIcon::destroyWindows() noexcept {
    for (HWND* w : {&notifyWindow_, &shellWatch_}) {
        if (!*w) continue;
        forms::windowObject::detach(*w);
        DestroyWindow(*w);
        *w = nullptr;
    }
}

void SysTrayIcon::removeAllIcons() noexcept {
    for (SysTrayIcon* icon : std::set<SysTrayIcon*>(liveIcons())) {
        core::bestEffort(L"SysTrayIcon.remove", [&] { icon->remove(); });
        icon->destroyWindows();
    }
}

void SysTrayIcon::notice(UINT mouseMessage) {
    switch (trayNoticeOf(mouseMessage)) {
    case TrayNotice::MouseMoved:
        // As a mouse move on the control would carry it: the message number where X goes.
        RaiseEvent(MouseMoved, float(mouseMessage) * float(forms::Screen::TwipsPerPixelX()), 0.0f);
        break;
    case TrayNotice::LeftButtonDown:
        RaiseEvent(LeftButtonDown);
        break;
    case TrayNotice::LeftButtonUp:
        RaiseEvent(LeftButtonUp);
        break;
    case TrayNotice::LeftButtonDoubleClick:
        RaiseEvent(LeftButtonDoubleClick);
        break;
    case TrayNotice::RightButtonDown:
        if (RaiseEvent(RightButtonDown)) showTrayPopup();
        break;
    case TrayNotice::RightButtonUp:
        RaiseEvent(RightButtonUp);
        break;
    case TrayNotice::RightButtonDoubleClick:
        RaiseEvent(RightButtonDoubleClick);
        break;
    case TrayNotice::None:
        break;
    }
}

void SysTrayIcon::showTrayPopup() {
    lastPointer_ = forms::cursorPosition();
    traymenu& popup = forms::instance<traymenu>();
    movePopup(popup, lastPointer_, trayPopupPlace);
    popup.Show();
}

LRESULT CALLBACK SysTrayIcon::notifyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    forms::windowObject::DetachOnDestroy gone{hwnd, msg};
    core::HandlingMessage handling;
    try {
        forms::windowObject::attachOnCreate(hwnd, msg, lParam);
        auto* self = forms::windowObject::as<SysTrayIcon>(hwnd);
        if (self && msg == kTrayCallback && hwnd == self->notifyWindow_) {
            auto keep = self->weak_from_this().lock();
            self->notice(UINT(LOWORD(lParam)));
            return 0;
        }
        if (self && msg == taskbarCreated() && self->visible_ && self->userMode()) {
            self->shown_ = self->send(NIM_ADD);
            return 0;
        }
    } catch (...) {
        core::reportUnexpectedError(L"SysTrayIcon");
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace app
