#include "app/form_parts.h"

#include "platform/core/variant.h"
#include "platform/forms/gdi.h"
#include "platform/forms/screen.h"

#include <windows.h>

namespace app {

namespace {

// One of the command button's looks, the same on every form.
constexpr int kButtonStyle = 9;

} // namespace

forms::LayoutEntry entry(const wchar_t* type, const wchar_t* name, int left, int top, int width, int height,
                         forms::PropertyBag properties, const wchar_t* container) {
    forms::LayoutEntry e;
    e.type = type;
    e.name = name;
    e.container = container;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    e.properties = std::move(properties);
    return e;
}

forms::PropertyBag captionLabel(const std::wstring& text, std::shared_ptr<forms::StdFont> font,
                                std::uint32_t foreColor, int alignment) {
    return {{L"Text", core::Variant(text)},
            {L"TiengViet", false},
            {L"ToolTipTiengViet", false},
            {L"Transparent", true},
            {L"Shadow", false},
            {L"ForeColor", core::Variant::colour(foreColor)},
            {L"Alignment", alignment},
            {L"Font", core::Variant(std::move(font))}};
}

forms::PropertyBag buttonLook(const std::wstring& caption) {
    return {{L"Caption", core::Variant(caption)},
            {L"ButtonStyle", std::int32_t(kButtonStyle)},
            {L"Font", core::Variant(tahoma(8.25, true))}};
}

std::shared_ptr<forms::StdFont> tahoma(double size, bool bold) {
    auto font = forms::StdFont::create(L"Tahoma", size, bold);
    font->setCharset(162);
    return font;
}

std::shared_ptr<forms::StdPicture> glyphPicture(wchar_t symbol, int width, int height, std::uint32_t colour) {
    // An icon: the symbol in its colour, and a mask that lets whatever lies behind show round it.
    forms::GdiBitmap image, mask;
    forms::MemoryDC dc;
    {
        forms::WindowDC screen(nullptr);
        image.reset(CreateCompatibleBitmap(screen.get(), width, height));
        dc = forms::MemoryDC::compatibleWith(screen.get());
    }
    mask.reset(CreateBitmap(width, height, 1, 1, nullptr));
    forms::GdiFont font(CreateFontW(-(height - 2), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                    NONANTIALIASED_QUALITY, 0, L"DejaVu Sans"));
    if (!image || !mask || !dc) return forms::StdPicture::empty();
    forms::ScopedSelect useFont(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    RECT r{0, 0, width, height};
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    {
        forms::ScopedSelect drawOn(dc.get(), image.get());
        FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetTextColor(dc.get(), colour);
        DrawTextW(dc.get(), &symbol, 1, &r, format);
    }
    {
        forms::ScopedSelect drawOn(dc.get(), mask.get());
        FillRect(dc.get(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc.get(), 0);
        DrawTextW(dc.get(), &symbol, 1, &r, format);
    }
    useFont.restore();
    ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
    // The icon keeps copies of both bitmaps; ours go with their owners.
    return forms::StdPicture::fromIcon(CreateIconIndirect(&info));
}

void movePopup(forms::Form& popup, POINT screenPoint, POINT (*place)(POINT, SIZE, const RECT&)) {
    const int tppX = forms::Screen::TwipsPerPixelX(), tppY = forms::Screen::TwipsPerPixelY();
    RECT work{0, 0, forms::Screen::pixelWidth(), forms::Screen::pixelHeight()};
    MONITORINFO mi{sizeof mi};
    if (GetMonitorInfoW(MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST), &mi)) work = mi.rcWork;
    const POINT at = place(screenPoint, {popup.Width() / tppX, popup.Height() / tppY}, work);
    popup.Move(at.x * tppX, at.y * tppY, popup.Width(), popup.Height());
}

} // namespace app
