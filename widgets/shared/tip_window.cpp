#include "widgets/shared/tip_window.h"

#include <cmath>

#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/screen.h"
#include "widgets/shared/color_ramp.h"
#include "widgets/shared/gdi_helpers.h"
#include "widgets/shared/vni.h"

namespace widgets {

namespace {

constexpr wchar_t kClassName[] = L"VexaTipWindow";
constexpr UINT kWaitStartMs = 400, kProcessMs = 200, kWaitEndMs = 400;
constexpr std::uint32_t kDefaultBack = RGB(255, 255, 225);

std::unique_ptr<FTip>& programInstance() {
    static std::unique_ptr<FTip> tip;
    return tip;
}

void registerClass(WNDPROC proc) {
    static bool done = false;
    if (done) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    done = true;
}

void line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    forms::GdiPen pen(CreatePen(PS_SOLID, 1, color));
    forms::ScopedSelect use(dc, pen.get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

FTip& FTip::instance() {
    auto& tip = programInstance();
    if (!tip) tip = std::make_unique<FTip>();
    return *tip;
}

void FTip::Unload() {
    programInstance().reset();
}

FTip::FTip(TipSeams seams) : seams_(std::move(seams)) {
    registerClass(&FTip::windowProc);
    // The window finds this object from WM_NCCREATE on, through its creation parameter.
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, L"", WS_POPUP, 0,
                            0, 1, 1, nullptr, nullptr, GetModuleHandleW(nullptr),
                            static_cast<forms::WindowObject*>(this));
    if (!hwnd_)
        throw core::RuntimeError(core::err::InvalidProcedureCall, L"The tooltip window could not be created");
    SetWindowLongW(hwnd_, GWL_EXSTYLE, GetWindowLongW(hwnd_, GWL_EXSTYLE) | WS_EX_LAYERED);
    surface_ = forms::MemoryDC::compatibleWith(nullptr);
    resizeSurface(1, 1);
    font_ = forms::StdFont::create(L"Arial", 10);
}

FTip::~FTip() {
    if (surface_ && firstBitmap_) SelectObject(surface_.get(), firstBitmap_);
    if (hwnd_) {
        forms::windowObject::detach(hwnd_);
        DestroyWindow(hwnd_);
    }
}

POINT FTip::cursor() const {
    if (seams_.cursorPos) return seams_.cursorPos();
    POINT p{0, 0};
    GetCursorPos(&p);
    return p;
}

bool FTip::timerEnabled(TipTimer t) const {
    return timers_[int(t)];
}

void FTip::enable(TipTimer t, bool on) {
    // A timer that runs already keeps its beat: enabling it again does not start its interval anew.
    if (timers_[int(t)] == on) return;
    timers_[int(t)] = on;
    UINT_PTR id = UINT_PTR(t);
    if (on) {
        UINT ms = t == TipTimer::Process ? kProcessMs : t == TipTimer::WaitStart ? kWaitStartMs : kWaitEndMs;
        SetTimer(hwnd_, id, ms, nullptr);
        if (seams_.timerStarted) seams_.timerStarted(t);
    } else {
        KillTimer(hwnd_, id);
    }
}

std::shared_ptr<forms::StdFont> FTip::StandFont() {
    return forms::StdFont::create(L"Arial", 10);
}

int FTip::TextWidthW(HDC dc, const std::wstring& text) {
    return widgets::TextWidthW(dc, text);
}

void FTip::useFont(const std::optional<core::Variant>& font) {
    std::shared_ptr<forms::StdFont> wanted = StandFont();
    if (font) {
        // A font object replaces the font; a name gives that face at the standard size. Anything
        // else leaves the standard font.
        core::bestEffort(L"tooltip font", [&] {
            if (font->type() == core::VariantType::Font) {
                if (auto f = font->toFont()) wanted = f;
            } else {
                wanted->setName(font->toString());
            }
        });
    }
    // The font is kept while the same one is asked for, so its GDI handle is not made anew on every move.
    if (!font_ || (wanted != font_ && !font_->sameAs(*wanted))) font_ = wanted;
}

void FTip::SetTip(HWND owner, const std::wstring& text, std::int32_t textColor, std::int32_t backColor,
                  bool tiengViet, const std::optional<core::Variant>& font, std::int16_t maxWidth) {
    if (text.empty()) return;
    tipMaxWidth_ = maxWidth;
    useFont(font);
    POINT p = cursor();
    const bool moved = owner != tipOwner_ || p.x != tipCursor_.x || p.y != tipCursor_.y;
    const bool textChanged = text != tipText_;
    if (!moved && !textChanged) return;
    if (owner != tipOwner_ || textChanged || !visible()) {
        tipCursor_ = cursor();
        tipTextColor_ = std::uint32_t(textColor);
        tipBackColor_ = backColor == -1 ? kDefaultBack : std::uint32_t(backColor);
        tiengViet_ = tiengViet;
        tipOwner_ = owner;
        tipText_ = text;
        enable(TipTimer::Process, true);
        if (visible()) {
            showCount_ = 1;
            tmWaitStart_Timer();
        } else {
            // The wait timer keeps running: the tip shows on its second tick after the pointer
            // came to rest, 400 to 800 ms later.
            showCount_ = 0;
            enable(TipTimer::WaitStart, true);
        }
        SetLayeredWindowAttributes(hwnd_, 0, transparentLen_, LWA_ALPHA);
    }
}

void FTip::SetTipObject(const TipObject& object, std::int32_t textColor, std::int32_t backColor,
                        bool tiengViet, const std::optional<core::Variant>& font, std::int16_t maxWidth) {
    SetTip(object.Hwnd(), object.Tag(), textColor, backColor, tiengViet, font, maxWidth);
}

void FTip::SetListTooltip(HWND list, std::int16_t button, float x, float y, std::int32_t maxWidth) {
    if (button != 0) return;
    if (maxWidth < -32768 || maxWidth > 32767) throw core::RuntimeError(core::err::Overflow);
    const int px = forms::Screen::twipsToPixelsX(x), py = forms::Screen::twipsToPixelsY(y);
    const LPARAM packed = LPARAM(std::uint32_t(py) * 65536u + std::uint32_t(px & 0xFFFF));
    const LRESULT item = SendMessageW(list, LB_ITEMFROMPOINT, 0, packed);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    std::wstring text;
    // Only a real item has a text: the high word is set when the point is outside the items.
    if (item >= 0 && item < count) {
        LRESULT len = SendMessageW(list, LB_GETTEXTLEN, WPARAM(item), 0);
        if (len > 0) {
            text.resize(size_t(len) + 1);
            len = SendMessageW(list, LB_GETTEXT, WPARAM(item), LPARAM(text.data()));
            text.resize(len > 0 ? size_t(len) : 0);
        }
    }
    SetTip(list, text, 0, -1, true, std::nullopt, std::int16_t(maxWidth));
}

void FTip::tmWaitStart_Timer() {
    if (showCount_ == 1) {
        hideCount_ = 0;
        ShowTip();
        enable(TipTimer::WaitEnd, true);
        enable(TipTimer::WaitStart, false);
    }
    ++showCount_;
}

void FTip::tmWaitEnd_Timer() {
    if (hideCount_ == 10) HideTip();
    ++hideCount_;
}

void FTip::tmProcess_Timer() {
    POINT p = cursor();
    HWND under = seams_.windowFromPoint ? seams_.windowFromPoint(p) : WindowFromPoint(p);
    if (under != tipOwner_) {
        enable(TipTimer::WaitStart, false);
        HideTip();
    }
}

void FTip::HideTip() {
    enable(TipTimer::Process, false);
    enable(TipTimer::WaitEnd, false);
    ShowWindow(hwnd_, SW_HIDE);
}

void FTip::resizeSurface(int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    if (surfaceSize_.cx == width && surfaceSize_.cy == height) return;
    forms::WindowDC screen(nullptr);
    forms::GdiBitmap fresh(CreateCompatibleBitmap(screen.get(), width, height));
    // Without a new image the old one stays selected, and so stays alive.
    if (!fresh) return;
    HGDIOBJ previous = SelectObject(surface_.get(), fresh.get());
    if (!firstBitmap_) firstBitmap_ = previous;
    bitmap_ = std::move(fresh);
    surfaceSize_ = {width, height};
}

void FTip::ShowTip() {
    const std::wstring text = tiengViet_ ? VniToUnicode(tipText_, kVniMarker) : tipText_;
    const POINT p = cursor();
    HDC dc = surface_.get();
    forms::ScopedSelect font(dc, font_->hFont());

    const int width = TextWidthW(dc, text);
    RECT rc{3, 3, 3 + width, 3};
    if (width > tipMaxWidth_) rc.right = tipMaxWidth_ + 6;
    // Measured with the width and flags it is drawn with, so the window is made tall enough for
    // every line before anything is drawn.
    RECT measure = rc;
    const int h =
        DrawTextW(dc, text.c_str(), int(text.size()), &measure, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);

    int x = p.x + 1;
    const int y = p.y + 22;
    const int w = rc.right + 3, ht = h + 6;
    const int screenWidth = forms::Screen::Width() / 15;
    if (screenWidth < x + w) x = screenWidth - w;

    resizeSurface(w, ht);
    RECT all{0, 0, w, ht};
    forms::GdiBrush back(CreateSolidBrush(plainColor(tipBackColor_)));
    FillRect(dc, &all, back.get());
    SetTextColor(dc, plainColor(tipTextColor_));
    SetBkColor(dc, plainColor(tipBackColor_));
    SetBkMode(dc, TRANSPARENT);
    rc.bottom = ht;
    DrawTextW(dc, text.c_str(), int(text.size()), &rc, DT_CENTER | DT_WORDBREAK);

    line(dc, 0, 0, w, 0, RGB(220, 223, 228));
    line(dc, 0, 0, 0, ht, RGB(220, 223, 228));
    line(dc, 0, ht - 1, w, ht - 1, 0);
    line(dc, w - 1, 0, w - 1, ht, 0);

    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    SetWindowPos(hwnd_, HWND_TOPMOST, x, y, w, ht, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd_, nullptr, FALSE);
    SetLayeredWindowAttributes(hwnd_, 0, transparentLen_, LWA_ALPHA);
}

void FTip::windowMessage(core::MessageFrame& m) {
    switch (m.msg) {
    case WM_PAINT:
        onPaint();
        m.answer(0);
        break;
    case WM_ERASEBKGND:
        m.answer(1);
        break;
    case WM_MOUSEACTIVATE:
        m.answer(MA_NOACTIVATE);
        break;
    case WM_TIMER:
        onTimer(m.wParam);
        m.answer(0);
        break;
    }
}

void FTip::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    BitBlt(dc, 0, 0, surfaceSize_.cx, surfaceSize_.cy, surface_.get(), 0, 0, SRCCOPY);
    EndPaint(hwnd_, &ps);
}

void FTip::onTimer(UINT_PTR id) {
    const bool known = id >= UINT_PTR(TipTimer::WaitStart) && id <= UINT_PTR(TipTimer::WaitEnd);
    // A tick already queued when its timer was switched off is dropped.
    if (!known || !timers_[id]) {
        KillTimer(hwnd_, id);
        return;
    }
    switch (TipTimer(id)) {
    case TipTimer::WaitStart:
        tmWaitStart_Timer();
        break;
    case TipTimer::Process:
        tmProcess_Timer();
        break;
    case TipTimer::WaitEnd:
        tmWaitEnd_Timer();
        break;
    }
}

LRESULT CALLBACK FTip::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    forms::windowObject::DetachOnDestroy gone{hwnd, msg};
    core::HandlingMessage handling;
    try {
        if (auto* created = dynamic_cast<FTip*>(forms::windowObject::attachOnCreate(hwnd, msg, lParam)))
            created->hwnd_ = hwnd;
        if (auto* self = forms::windowObject::as<FTip>(hwnd)) {
            core::MessageFrame m{hwnd, msg, wParam, lParam};
            self->windowMessage(m);
            if (m.handled) return m.result;
        }
    } catch (...) {
        core::reportUnexpectedError(L"tooltip window");
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace widgets
