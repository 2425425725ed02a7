#include "app/form_parts.h"

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
    return {{L"Text", forms::Variant(text)},
            {L"TiengViet", false},
            {L"ToolTipTiengViet", false},
            {L"Transparent", true},
            {L"Shadow", false},
            {L"ForeColor", forms::Variant::colour(foreColor)},
            {L"Alignment", alignment},
            {L"Font", forms::Variant(std::move(font))}};
}

forms::PropertyBag buttonLook(const std::wstring& caption) {
    return {{L"Caption", forms::Variant(caption)},
            {L"ButtonStyle", std::int32_t(kButtonStyle)},
            {L"Font", forms::Variant(tahoma(8.25, true))}};
}

std::shared_ptr<forms::StdFont> tahoma(double size, bool bold) {
    auto font = forms::StdFont::create(L"Tahoma", size, bold);
    font->setCharset(162);
    return font;
}

std::shared_ptr<forms::StdPicture> glyphPicture(wchar_t symbol, int width, int height, std::uint32_t colour) {
    // An icon: the symbol in its colour, and a mask that lets whatever lies behind show round it.
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, width, height);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontW(-(height - 2), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, L"DejaVu Sans");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT r{0, 0, width, height};
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    HGDIOBJ oldBitmap = SelectObject(dc, image);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(dc, colour);
    DrawTextW(dc, &symbol, 1, &r, format);
    SelectObject(dc, mask);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, 0);
    DrawTextW(dc, &symbol, 1, &r, format);
    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return forms::StdPicture::fromIcon(icon);
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
