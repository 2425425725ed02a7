// A form's stored properties, its look and its place on the screen.
#include "platform/forms/form.h"

#include "platform/core/constants.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/property_table.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/wait_pointer.h"

namespace forms {

// --- stored properties

// Every setter of a form's property does more than store it: each is named in its row, except
// KeyPreview, which only decides where keys go.
const PropertyTable<Form>& Form::properties() {
    using F = Form;
    static const PropertyTable<F> table{
        field<F>(
            L"Caption", [](F & f) -> auto& { return f.caption_; }, std::wstring()),
        field<F>(
            L"BackColor", [](F & f) -> auto& { return f.backColor_; }, core::sysColor::ButtonFace),
        field<F>(
            L"ForeColor", [](F & f) -> auto& { return f.foreColor_; }, core::sysColor::ButtonText),
        // A form's own font: a stored font replaces the form's default one.
        property<F>(
            L"Font", [](F& f) { return f.font_; },
            [](F& f, std::shared_ptr<StdFont> font) { f.font_ = font ? std::move(font) : StdFont::create(); },
            StdFont::create(), OnChange::Relayout),
        field<F>(
            L"BorderStyle", [](F & f) -> auto& { return f.frame_.borderStyle; },
            int(core::formBorder::Sizable)),
        field<F>(
            L"ControlBox", [](F & f) -> auto& { return f.frame_.controlBox; }, true),
        field<F>(
            L"MinButton", [](F & f) -> auto& { return f.frame_.minButton; }, true),
        field<F>(
            L"MaxButton", [](F & f) -> auto& { return f.frame_.maxButton; }, true),
        field<F>(
            L"ShowInTaskbar", [](F & f) -> auto& { return f.frame_.showInTaskbar; }, true),
        field<F>(
            L"NoActivate", [](F & f) -> auto& { return f.frame_.noActivate; }, false),
        field<F>(
            L"TopMost", [](F & f) -> auto& { return f.frame_.topMost; }, false),
        field<F>(
            L"WindowState", [](F & f) -> auto& { return f.windowState_; }, int(core::windowState::Normal)),
        field<F>(
            L"KeyPreview", [](F & f) -> auto& { return f.keyPreview_; }, false, OnChange::None),
        field<F>(
            L"MousePointer", [](F & f) -> auto& { return f.mousePointer_; }, int(core::pointer::Default)),
    };
    return table;
}

void Form::readProperties(const PropertyBag& bag) {
    // Checked as the setters check them, before anything is taken.
    const int border = bag.ReadProperty(L"BorderStyle", core::formBorder::Sizable).toLong();
    const int state = bag.ReadProperty(L"WindowState", core::windowState::Normal).toLong();
    const int mousePointer = bag.ReadProperty(L"MousePointer", core::pointer::Default).toLong();
    if (border < core::formBorder::None || border > core::formBorder::SizableToolWindow ||
        !isMousePointer(mousePointer) ||
        (state != core::windowState::Normal && state != core::windowState::Minimized &&
         state != core::windowState::Maximized))
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    if (hwnd_ && bag.ReadProperty(L"ShowInTaskbar", true).toBoolean() != frame_.showInTaskbar)
        throw core::RuntimeError(core::err::SetNotSupportedAtRuntime);
    properties().read(*this, bag);
    applySurfaceColours(true);
    applySurfaceColours(false);
    applySurfaceFont();
    notifyAmbientChanged(L"BackColor");
    notifyAmbientChanged(L"ForeColor");
    notifyAmbientChanged(L"Font");
    if (!hwnd_) return;
    SetWindowTextW(hwnd_, caption_.c_str());
    applyStyles();
    setWindowState(windowState_);
}

void Form::writeProperties(PropertyBag& bag) {
    properties().write(*this, bag);
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
    if (!font) throw core::RuntimeError(core::err::InvalidPropertyValue);
    font_ = std::move(font);
    applySurfaceFont();
    notifyAmbientChanged(L"Font");
}

void Form::setMousePointer(int pointer) {
    if (!isMousePointer(pointer)) throw core::RuntimeError(core::err::InvalidPropertyValue);
    mousePointer_ = pointer;
    refreshPointer(hwnd_);
}

bool Form::Enabled() const {
    return !hwnd_ || IsWindowEnabled(hwnd_);
}
void Form::setEnabled(bool enabled) {
    if (hWnd()) EnableWindow(hwnd_, enabled);
}

void Form::setBorderStyle(int style) {
    if (style < core::formBorder::None || style > core::formBorder::SizableToolWindow)
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    frame_.borderStyle = style;
    if (style == core::formBorder::FixedDialog || style == core::formBorder::FixedToolWindow ||
        style == core::formBorder::SizableToolWindow)
        frame_.minButton = frame_.maxButton = false;
    applyStyles();
}
void Form::setControlBox(bool on) {
    frame_.controlBox = on;
    applyStyles();
}
void Form::setMinButton(bool on) {
    frame_.minButton = on;
    applyStyles();
}
void Form::setMaxButton(bool on) {
    frame_.maxButton = on;
    applyStyles();
}
void Form::setShowInTaskbar(bool on) {
    if (hwnd_) throw core::RuntimeError(core::err::SetNotSupportedAtRuntime);
    frame_.showInTaskbar = on;
}
void Form::setNoActivate(bool on) {
    frame_.noActivate = on;
    applyStyles();
}
void Form::setTopMost(bool on) {
    frame_.topMost = on;
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
    if (width < 0 || height < 0) throw core::RuntimeError(core::err::InvalidPropertyValue);
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

} // namespace forms
