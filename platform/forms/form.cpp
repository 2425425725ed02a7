#include "platform/forms/form.h"

#include "platform/forms/app.h"
#include "platform/forms/guarded_window_proc.h"
#include "platform/forms/message_loop.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <typeindex>

namespace forms {

namespace {

const wchar_t* const kFormClass = L"VexaForm";
const wchar_t* const kOwnerClass = L"VexaOwner";
// The object is found through a window property: a form's window procedure may be hooked.
const wchar_t* const kObjectProp = L"VexaForm.Object";

// The registries live as long as the process: forms still held at exit must not meet them destroyed.
std::vector<std::weak_ptr<Form>>& loadedList() {
    static auto* list = new std::vector<std::weak_ptr<Form>>;
    return *list;
}

std::vector<Form*>& loadedRaw() {
    static auto* list = new std::vector<Form*>;
    return *list;
}

std::map<std::type_index, std::shared_ptr<Form>>& instances() {
    static auto* map = new std::map<std::type_index, std::shared_ptr<Form>>;
    return *map;
}

std::vector<std::shared_ptr<Form>>& unloadedForms() {
    static auto* list = new std::vector<std::shared_ptr<Form>>;
    return *list;
}

std::weak_ptr<Form>& activeForm() {
    static auto* active = new std::weak_ptr<Form>;
    return *active;
}

void registerClasses() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof wc};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
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
        registerClasses();
        owner = CreateWindowExW(0, kOwnerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    return owner;
}

} // namespace

// --- Forms

std::vector<std::shared_ptr<Form>> Forms::loaded() {
    std::vector<std::shared_ptr<Form>> out;
    for (auto& w : loadedList())
        if (auto f = w.lock(); f && f->loaded()) out.push_back(f);
    return out;
}

bool Forms::unloadAll() {
    auto forms = loaded();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if ((*it)->loaded() && !(*it)->Unload()) return false;
    return true;
}

void Forms::added(const std::shared_ptr<Form>& form) {
    loadedList().push_back(form);
}

void Forms::releaseUnloaded() {
    if (core::HandlingMessage::depth() > 0) return;
    std::vector<std::shared_ptr<Form>> gone;
    gone.swap(unloadedForms());
}

void Forms::removed(Form* form) {
    std::erase_if(loadedList(), [form](const std::weak_ptr<Form>& w) {
        auto f = w.lock();
        return !f || f.get() == form;
    });
    std::erase(loadedRaw(), form);
    for (auto it = instances().begin(); it != instances().end();) {
        if (it->second.get() == form)
            it = instances().erase(it);
        else
            ++it;
    }
}

std::shared_ptr<Form> Forms::instanceSlot(const std::type_info& type) {
    auto it = instances().find(std::type_index(type));
    return it == instances().end() ? nullptr : it->second;
}

void Forms::setInstanceSlot(const std::type_info& type, std::shared_ptr<Form> form) {
    instances()[std::type_index(type)] = std::move(form);
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
        RemovePropW(hwnd_, kObjectProp);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    Forms::removed(this);
}

DWORD Form::windowStyle() const {
    DWORD s = WS_CLIPCHILDREN;
    const bool titleless = caption_.empty() && !controlBox_ && !minButton_ && !maxButton_;
    switch (borderStyle_) {
    case 0:
        return s | WS_POPUP;
    case 1:
        s |= titleless ? (WS_POPUP | WS_BORDER) : (WS_OVERLAPPED | WS_CAPTION);
        break;
    case 3:
        s |= titleless ? (WS_POPUP | WS_DLGFRAME) : (WS_OVERLAPPED | WS_CAPTION | WS_DLGFRAME);
        break;
    case 4:
        s |= WS_OVERLAPPED | WS_CAPTION;
        break;
    case 5:
        s |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
        break;
    default:
        s |= titleless ? (WS_POPUP | WS_THICKFRAME) : (WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME);
        break;
    }
    if (controlBox_ && !titleless) {
        s |= WS_SYSMENU;
        if (borderStyle_ != 3 && borderStyle_ < 4) {
            if (minButton_) s |= WS_MINIMIZEBOX;
            if (maxButton_) s |= WS_MAXIMIZEBOX;
        }
    }
    return s;
}

DWORD Form::windowExStyle() const {
    DWORD ex = 0;
    if (borderStyle_ == 3) ex |= WS_EX_DLGMODALFRAME;
    if (borderStyle_ == 4 || borderStyle_ == 5) ex |= WS_EX_TOOLWINDOW;
    if (noActivate_) ex |= WS_EX_NOACTIVATE;
    if (topMost_) ex |= WS_EX_TOPMOST;
    if (showInTaskbar_ && borderStyle_ != 0 && !(borderStyle_ == 4 || borderStyle_ == 5))
        ex |= WS_EX_APPWINDOW;
    return ex;
}

HWND Form::ownerWindow() const {
    return showInTaskbar_ ? nullptr : hiddenOwner();
}

void Form::applyStyles() {
    if (!hwnd_) return;
    const DWORD keep =
        GetWindowLongW(hwnd_, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(windowStyle() | keep));
    SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(windowExStyle() & ~WS_EX_TOPMOST));
    SetWindowPos(hwnd_, topMost_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::createWindow() {
    registerClasses();
    const DWORD style = windowStyle(), ex = windowExStyle();
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
    HWND hwnd = CreateWindowExW(ex, kFormClass, caption_.c_str(), style, x, y, w, h, ownerWindow(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) throw RuntimeError(err::InvalidProcedureCall, L"The form's window could not be created");
    hwnd_ = hwnd;
    SetPropW(hwnd, kObjectProp, this);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::windowProc));
    RECT rc;
    GetClientRect(hwnd, &rc);
    clientW_ = rc.right;
    clientH_ = rc.bottom;
    ensureSurface();
}

void Form::createControls() {
    auto closed = gate_->close();
    const Layout table = layout();
    for (const LayoutEntry& e : table) {
        ControlHost* host = this;
        if (!e.container.empty()) {
            auto it = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) {
                return controlKey(c->Name(), c->Index()) == e.container;
            });
            if (it == controls_.end())
                throw RuntimeError(err::SubscriptOutOfRange, L"Unknown container: " + e.container);
            host = it->get();
        }
        std::shared_ptr<UserControl> c = ControlTypes::create(e.type);
        controls_.push_back(c);
        containers_.push_back(e.container);
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
        if (!loaded()) return;
    }
}

void Form::load() {
    if (hwnd_) return;
    // Loading counts as handling a message: a form unloaded in its own Load (or in a DoEvents
    // there) stays alive for whoever asked for it until the outermost message is done.
    Forms::HandlingMessage loading;
    auto self = shared_from_this();
    unloading_ = false;
    if (!life_.alive()) life_.renew();
    createWindow();
    loadedRaw().push_back(this);
    Forms::added(self);
    try {
        createControls();
    } catch (...) {
        // A layout that cannot be built leaves no half-loaded form behind.
        destroyAll();
        throw;
    }
    if (!loaded()) return;
    Form_Load();
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
    auto keep = weak_from_this().lock();
    // Terminate of every control runs while all windows still exist.
    std::vector<std::shared_ptr<UserControl>> controls = std::move(controls_);
    controls_.clear();
    containers_.clear();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) (*it)->unload();
    controls.clear();
    // Controls placed at run time go the same way.
    const std::vector<UserControl*> placed = hostedControls();
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) (*it)->unload();
    if (auto a = activeForm().lock(); a.get() == this) activeForm().reset();
    HWND w = hwnd_;
    if (w) {
        if (GetCapture() == w) ReleaseCapture();
        DestroyWindow(w);
    }
    hwnd_ = nullptr;
    life_.end();
    Forms::removed(this);
    if (keep) unloadedForms().push_back(std::move(keep));
}

HWND Form::hWnd() {
    if (!hwnd_ && !unloading_) load();
    return hwnd_;
}

// --- showing

void Form::showWindowNow(bool activate) {
    int cmd;
    switch (windowState_) {
    case 1:
        cmd = activate ? SW_SHOWMINIMIZED : SW_SHOWMINNOACTIVE;
        break;
    case 2:
        cmd = SW_SHOWMAXIMIZED;
        break;
    default:
        cmd = (activate && !noActivate_) ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE;
        break;
    }
    if (IsIconic(hwnd_) && windowState_ == 0)
        cmd = (activate && !noActivate_) ? SW_RESTORE : SW_SHOWNOACTIVATE;
    ShowWindow(hwnd_, cmd);
    if (topMost_) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!loaded()) return;
    if (!shownOnce_) {
        shownOnce_ = true;
        Form_Resize();
        if (!loaded()) return;
    }
    updateControlsShown();
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
    if (modalDepth_ > 0) throw RuntimeError(400, L"Form already displayed; can't show modally");
    HWND ownerHwnd = owner && owner->hwnd_ ? owner->hwnd_ : nullptr;
    if (!ownerHwnd) {
        if (auto a = activeForm().lock(); a && a.get() != this && a->loaded()) ownerHwnd = a->hwnd_;
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
        if (IsIconic(hwnd_)) return 1;
        if (IsZoomed(hwnd_)) return 2;
        return 0;
    }
    return windowState_;
}

void Form::setWindowState(int state) {
    if (state < 0 || state > 2) throw RuntimeError(err::InvalidPropertyValue);
    windowState_ = state;
    // A hidden form stays hidden; the state applies when it is shown.
    if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
    ShowWindow(hwnd_, state == 1 ? SW_MINIMIZE : state == 2 ? SW_MAXIMIZE : SW_RESTORE);
}

// --- appearance

void Form::setCaption(std::wstring caption) {
    caption_ = std::move(caption);
    if (hwnd_) SetWindowTextW(hwnd_, caption_.c_str());
}

void Form::setForeColor(uint32_t colour) {
    foreColor_ = colour;
    applySurfaceColours(false);
    notifyAmbientChanged(L"ForeColor");
}

void Form::setBackColor(uint32_t colour) {
    backColor_ = colour;
    applySurfaceColours(true);
    notifyAmbientChanged(L"BackColor");
}

void Form::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw RuntimeError(err::InvalidPropertyValue);
    font_ = std::move(font);
    applySurfaceFont();
    notifyAmbientChanged(L"Font");
}

void Form::setMousePointer(int pointer) {
    if (!((pointer >= 0 && pointer <= 15) || pointer == 99)) throw RuntimeError(err::InvalidPropertyValue);
    mousePointer_ = pointer;
    if (!hwnd_) return;
    POINT pt;
    GetCursorPos(&pt);
    if (WindowFromPoint(pt) == hwnd_) {
        HCURSOR c = cursorForPointer(mousePointer_, mouseIcon_.get());
        SetCursor(c ? c : LoadCursorW(nullptr, IDC_ARROW));
    }
}

bool Form::Enabled() const {
    return !hwnd_ || IsWindowEnabled(hwnd_);
}
void Form::setEnabled(bool enabled) {
    if (hWnd()) EnableWindow(hwnd_, enabled);
}

void Form::setBorderStyle(int style) {
    if (style < 0 || style > 5) throw RuntimeError(err::InvalidPropertyValue);
    borderStyle_ = style;
    if (style == 3 || style >= 4) minButton_ = maxButton_ = false;
    applyStyles();
}
void Form::setControlBox(bool on) {
    controlBox_ = on;
    applyStyles();
}
void Form::setMinButton(bool on) {
    minButton_ = on;
    applyStyles();
}
void Form::setMaxButton(bool on) {
    maxButton_ = on;
    applyStyles();
}
void Form::setShowInTaskbar(bool on) {
    if (hwnd_) throw RuntimeError(err::SetNotSupportedAtRuntime);
    showInTaskbar_ = on;
}
void Form::setNoActivate(bool on) {
    noActivate_ = on;
    applyStyles();
}
void Form::setTopMost(bool on) {
    topMost_ = on;
    applyStyles();
}

void Form::setClientSize(int width, int height) {
    designWidth_ = width;
    designHeight_ = height;
    designClient_ = true;
    if (!hwnd_) return;
    RECT r{0, 0, Screen::twipsToPixelsX(width), Screen::twipsToPixelsY(height)};
    AdjustWindowRectEx(&r, GetWindowLongW(hwnd_, GWL_STYLE), FALSE, GetWindowLongW(hwnd_, GWL_EXSTYLE));
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::setDesignSize(int width, int height) {
    if (hwnd_) {
        Move(Left(), Top(), width, height);
        return;
    }
    designWidth_ = width;
    designHeight_ = height;
    designClient_ = false;
}

// --- position

namespace {
RECT windowRect(HWND hwnd) {
    RECT r{};
    if (!hwnd) return r;
    if (IsIconic(hwnd)) {
        WINDOWPLACEMENT wp{sizeof wp};
        GetWindowPlacement(hwnd, &wp);
        return wp.rcNormalPosition;
    }
    GetWindowRect(hwnd, &r);
    return r;
}
} // namespace

int Form::Left() const {
    if (!hwnd_) return designLeft_ < 0 ? 0 : designLeft_;
    return Screen::pixelsToTwipsX(windowRect(hwnd_).left);
}
int Form::Top() const {
    if (!hwnd_) return designTop_ < 0 ? 0 : designTop_;
    return Screen::pixelsToTwipsY(windowRect(hwnd_).top);
}
int Form::Width() const {
    if (!hwnd_) return designWidth_;
    RECT r = windowRect(hwnd_);
    return Screen::pixelsToTwipsX(r.right - r.left);
}
int Form::Height() const {
    if (!hwnd_) return designHeight_;
    RECT r = windowRect(hwnd_);
    return Screen::pixelsToTwipsY(r.bottom - r.top);
}

void Form::Move(int left, int top, int width, int height) {
    if (width < 0 || height < 0) throw RuntimeError(err::InvalidPropertyValue);
    if (!hwnd_) {
        designLeft_ = left;
        designTop_ = top;
        designWidth_ = width;
        designHeight_ = height;
        designClient_ = false;
        return;
    }
    if (IsIconic(hwnd_) || IsZoomed(hwnd_)) {
        WINDOWPLACEMENT wp{sizeof wp};
        GetWindowPlacement(hwnd_, &wp);
        wp.rcNormalPosition = RECT{Screen::twipsToPixelsX(left), Screen::twipsToPixelsY(top),
                                   Screen::twipsToPixelsX(left) + Screen::twipsToPixelsX(width),
                                   Screen::twipsToPixelsY(top) + Screen::twipsToPixelsY(height)};
        SetWindowPlacement(hwnd_, &wp);
        return;
    }
    SetWindowPos(hwnd_, nullptr, Screen::twipsToPixelsX(left), Screen::twipsToPixelsY(top),
                 Screen::twipsToPixelsX(width), Screen::twipsToPixelsY(height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// --- controls

namespace {
void collect(const ControlHost& host, std::vector<UserControl*>& out) {
    for (UserControl* c : host.hostedControls()) {
        out.push_back(c);
        collect(*c, out);
    }
}
} // namespace

std::vector<UserControl*> Form::allControls() const {
    std::vector<UserControl*> out;
    collect(*this, out);
    return out;
}

UserControl* Form::findControl(const std::wstring& name, int index) const {
    for (const auto& c : controls_)
        if (c->Name() == name && c->Index() == index) return c.get();
    return nullptr;
}

UserControl* Form::containerOf(const UserControl& control) const {
    ControlHost* h = control.Container();
    if (!h || h == this) return nullptr;
    return dynamic_cast<UserControl*>(h);
}

Layout Form::saveLayout() const {
    Layout out;
    for (size_t i = 0; i < controls_.size(); ++i) {
        UserControl& c = *controls_[i];
        LayoutEntry e;
        e.type = ControlTypes::typeOf(c);
        e.name = c.Name();
        e.index = c.Index();
        e.container = containers_[i];
        e.left = c.Left();
        e.top = c.Top();
        e.width = c.Width();
        e.height = c.Height();
        e.tabIndex = c.TabIndex();
        e.visible = c.Visible();
        e.enabled = c.enabled_;
        e.tabStop = c.TabStop();
        e.isDefault = c.Default();
        e.isCancel = c.Cancel();
        e.toolTipText = c.ToolTipText();
        e.tag = c.Tag();
        c.save(e.properties);
        out.push_back(std::move(e));
    }
    return out;
}

UserControl* Form::ActiveControl() const {
    UserControl* c = UserControl::fromWindow(GetFocus());
    if (!c || c->Parent() != this) return nullptr;
    // The outermost control of the form that holds the focus.
    while (UserControl* up = containerOf(*c)) {
        if (std::none_of(controls_.begin(), controls_.end(), [c](const auto& p) { return p.get() == c; })) {
            c = up;
            continue;
        }
        break;
    }
    return c;
}

UserControl* Form::defaultControl() const {
    for (UserControl* c : allControls())
        if (c->Default() && c->loaded()) return c;
    return nullptr;
}

UserControl* Form::cancelControl() const {
    for (UserControl* c : allControls())
        if (c->Cancel() && c->loaded()) return c;
    return nullptr;
}

void Form::clearDefault(UserControl* except) {
    for (UserControl* c : allControls())
        if (c != except && c->Default()) {
            c->default_ = false;
            if (c->loaded()) c->raiseAmbientChanged(L"DisplayAsDefault");
        }
}

void Form::clearCancel(UserControl* except) {
    for (UserControl* c : allControls())
        if (c != except) c->cancel_ = false;
}

void Form::defaultDisplayChanged() {
    if (UserControl* d = defaultControl()) d->raiseAmbientChanged(L"DisplayAsDefault");
}

std::vector<UserControl*> Form::tabSequence() const {
    // The form's own controls (its layout's, and those placed on it) share one tab order. Controls a
    // control placed inside itself follow that control, in their own order.
    auto ownControl = [this](const UserControl* c) {
        return c->Container() == this ||
               std::any_of(controls_.begin(), controls_.end(), [c](const auto& p) { return p.get() == c; });
    };
    auto byTabIndex = [](UserControl* a, UserControl* b) { return a->TabIndex() < b->TabIndex(); };
    std::vector<UserControl*> top;
    for (UserControl* c : allControls())
        if (ownControl(c)) top.push_back(c);
    std::stable_sort(top.begin(), top.end(), byTabIndex);
    std::vector<UserControl*> sequence;
    auto add = [&](auto& self, UserControl* c) -> void {
        sequence.push_back(c);
        std::vector<UserControl*> inner;
        for (UserControl* k : c->hostedControls())
            if (!ownControl(k)) inner.push_back(k);
        std::stable_sort(inner.begin(), inner.end(), byTabIndex);
        for (UserControl* k : inner) self(self, k);
    };
    for (UserControl* c : top) add(add, c);
    return sequence;
}

void Form::tabFocus(bool forward) {
    std::vector<UserControl*> order;
    for (UserControl* c : tabSequence()) {
        if (!c->loaded() || !c->TabStop() || !c->CanGetFocus()) continue;
        if (!IsWindowVisible(c->hWnd()) || !IsWindowEnabled(c->hWnd())) continue;
        order.push_back(c);
    }
    if (order.empty()) return;
    HWND focus = GetFocus();
    int current = -1;
    for (size_t i = 0; i < order.size(); ++i)
        if (focus && (order[i]->hWnd() == focus || IsChild(order[i]->hWnd(), focus)))
            current = static_cast<int>(i);
    const int n = static_cast<int>(order.size());
    int next = current < 0 ? (forward ? 0 : n - 1) : (current + (forward ? 1 : n - 1)) % n;
    order[static_cast<size_t>(next)]->SetFocus();
}

Form* Form::fromWindow(HWND hwnd) {
    if (!hwnd) return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (!root) root = hwnd;
    auto* form = static_cast<Form*>(GetPropW(root, kObjectProp));
    if (!form) {
        // A floating window of a control belongs to the control's form.
        if (UserControl* c = UserControl::fromWindow(hwnd)) return c->Parent();
        return nullptr;
    }
    return form;
}

void Form::SetFocus() {
    HWND w = hwnd_;
    if (!w || noActivate_ || !IsWindowVisible(w) || !IsWindowEnabled(w)) return;
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
    const int id = TrackPopupMenuEx(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, pt.x, pt.y, hWnd(), nullptr);
    if (id) menuCommand(id);
}

void Form::PopupMenu(HMENU menu, UINT flags, double x, double y) {
    const bool twips = hostScaleMode() == 1;
    POINT pt{twips ? Screen::twipsToPixelsX(x) : static_cast<int>(x),
             twips ? Screen::twipsToPixelsY(y) : static_cast<int>(y)};
    ClientToScreen(hWnd(), &pt);
    const int id = TrackPopupMenuEx(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, pt.x, pt.y, hwnd_, nullptr);
    if (id) menuCommand(id);
}

void Form::menuCommand(int id) {
    auto keep = weak_from_this().lock();
    auto watch = life_.watch();
    Form_MenuClick(id);
    if (watch.alive() && loaded() && gate_->open()) MenuClick.raise(id);
}

// --- window procedure

LRESULT CALLBACK Form::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Form*>(GetPropW(hwnd, kObjectProp));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return guardedWindowProc(self, hwnd, msg, L"Form window procedure",
                             [&] { return self->handleMessage(msg, wParam, lParam); });
}

LRESULT Form::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = hwnd_ ? hwnd_ : nullptr;
    if (msg == WM_NCDESTROY) {
        HWND w = hwnd;
        if (!w) return 0;
        RemovePropW(w, kObjectProp);
        hwnd_ = nullptr;
        return DefWindowProcW(w, msg, wParam, lParam);
    }
    if (!hwnd) return 0;
    MessageFrame frame{hwnd, msg, wParam, lParam};
    windowMessage(frame);
    if (frame.handled) return frame.result;
    switch (msg) {
    case WM_CLOSE:
        Unload(unloadMode::FormControlMenu);
        return 0;
    case WM_PAINT:
        paintSurface();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE: {
        RECT rc;
        GetClientRect(hwnd, &rc);
        if (wParam == SIZE_MINIMIZED) {
            windowState_ = 1;
            Form_Resize();
            return 0;
        }
        windowState_ = wParam == SIZE_MAXIMIZED ? 2 : 0;
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
            if (activeForm().lock().get() != this) {
                activeForm() = weak_from_this();
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
        if (noActivate_) return MA_NOACTIVATE;
        break;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == hwnd && mousePointer_ != 0) {
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
