#include "platform/forms/surface.h"

#include "platform/forms/color.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace forms {

namespace {

// Nearest pixel, kept within the coordinate range GDI accepts.
int toInt(float value) {
    constexpr float limit = 1 << 27;
    if (!(value > -limit)) return -(1 << 27); // also NaN
    if (value > limit) return 1 << 27;
    return static_cast<int>(std::floor(value + 0.5f));
}

// One line per CR LF, CR or LF; an empty text is one empty line.
std::vector<std::wstring> textLines(const std::wstring& text) {
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

int textWidthPixels(HDC dc, const std::wstring& line) {
    if (line.empty()) return 0;
    SIZE size{};
    GetTextExtentPoint32W(dc, line.data(), static_cast<int>(line.size()), &size);
    return size.cx;
}

uint32_t dibFromColour(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
uint32_t colourFromDib(uint32_t p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

} // namespace

float Surface::twipsPerPixel() {
    return 1440.0f / static_cast<float>(StdFont::screenDpi());
}

Surface::Surface(int width, int height)
    : backColor_(systemColour(COLOR_BTNFACE)), foreColor_(systemColour(COLOR_BTNTEXT)) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    dc_ = MemoryDC::compatibleWith(nullptr);
    if (!dc_) throw core::RuntimeError(core::err::OutOfMemory);
    makeBitmap(width_, height_, bitmap_, bits_);
    originalBitmap_ = SelectObject(dc_.get(), bitmap_.get());

    originalFont_ = GetCurrentObject(dc_.get(), OBJ_FONT);
    watchFont(StdFont::create());
    GdiPen pen(CreatePen(PS_SOLID, drawWidth_, translateColor(foreColor_)));
    originalPen_ = SelectObject(dc_.get(), pen.get());
    pen_ = std::move(pen);
    originalBrush_ = SelectObject(dc_.get(), GetStockObject(HOLLOW_BRUSH));

    SetBkMode(dc_.get(), TRANSPARENT);
    SetTextAlign(dc_.get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
    updateTextColour();
    erase(RECT{0, 0, width_, height_});
}

Surface::~Surface() {
    // Our objects go back out of the DC before their owners delete them.
    if (font_) font_->removeListener(fontListener_);
    HDC dc = dc_.get();
    if (originalFont_) SelectObject(dc, originalFont_);
    if (originalPen_) SelectObject(dc, originalPen_);
    if (originalBrush_) SelectObject(dc, originalBrush_);
    if (originalBitmap_) SelectObject(dc, originalBitmap_);
}

void Surface::makeBitmap(int width, int height, GdiBitmap& bitmap, uint32_t*& bits) const {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = std::max(width, 1);
    info.bmiHeader.biHeight = -std::max(height, 1); // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    GdiBitmap made(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!made || !memory) throw core::RuntimeError(core::err::OutOfMemory);
    bitmap = std::move(made);
    bits = static_cast<uint32_t*>(memory);
}

void Surface::changed() {
    if (onChanged) onChanged();
}

void Surface::Refresh() {
    changed();
}

// --- Size and pixels

void Surface::resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    GdiBitmap bitmap;
    uint32_t* bits = nullptr;
    makeBitmap(width, height, bitmap, bits);
    {
        MemoryDC copy = MemoryDC::compatibleWith(dc_.get());
        ScopedSelect select(copy.get(), bitmap.get());
        BitBlt(copy.get(), 0, 0, std::min(width, width_), std::min(height, height_), dc_.get(), 0, 0,
               SRCCOPY);
    }
    SelectObject(dc_.get(), bitmap.get());
    bitmap_ = std::move(bitmap);
    bits_ = bits;
    int oldWidth = width_, oldHeight = height_;
    width_ = width;
    height_ = height;
    if (width > oldWidth) erase(RECT{oldWidth, 0, width, height});
    if (height > oldHeight) erase(RECT{0, oldHeight, std::min(width, oldWidth), height});
    changed();
}

const uint32_t* Surface::pixels() const {
    return width_ > 0 && height_ > 0 ? bits_ : nullptr;
}

uint32_t Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return defaultColour;
    GdiFlush();
    return colourFromDib(bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF);
}

void Surface::paint(HDC target, const RECT* area) const {
    // Only the image itself: outside it a memory DC has nothing defined to copy.
    RECT image{0, 0, width_, height_}, r = image;
    if (area && !IntersectRect(&r, area, &image)) return;
    if (r.right <= r.left || r.bottom <= r.top) return;
    BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, dc_.get(), r.left, r.top, SRCCOPY);
}

// --- Properties

void Surface::setBackColor(uint32_t colour) {
    COLORREF plain = translateColor(colour);
    backColor_ = colour;
    SetBkColor(dc_.get(), plain);
    erase(RECT{0, 0, width_, height_});
    changed();
}

void Surface::setForeColor(uint32_t colour) {
    translateColor(colour);
    foreColor_ = colour;
    updatePen();
    updateTextColour();
}

void Surface::setFillColor(uint32_t colour) {
    translateColor(colour);
    fillColor_ = colour;
    updateBrush();
}

void Surface::setFillStyle(int16_t style) {
    if (style < 0 || style > 7) throw core::RuntimeError(core::err::InvalidPropertyValue);
    fillStyle_ = style;
    updateBrush();
}

void Surface::setDrawWidth(int16_t width) {
    if (width < 1) throw core::RuntimeError(core::err::InvalidPropertyValue);
    drawWidth_ = width;
    updatePen();
}

void Surface::setFont(std::shared_ptr<StdFont> font) {
    if (!font) throw core::RuntimeError(core::err::InvalidPropertyValue);
    if (font == font_) return; // already followed
    watchFont(std::move(font));
}

void Surface::watchFont(std::shared_ptr<StdFont> font) {
    if (font_) font_->removeListener(fontListener_);
    font_ = std::move(font);
    fontListener_ = font_->addListener([this] { selectFont(); });
    selectFont();
}

void Surface::selectFont() {
    LOGFONTW lf = font_->logFont(StdFont::screenDpi());
    GdiFont handle(CreateFontIndirectW(&lf));
    if (!handle) return; // keep drawing with the previous font
    // The new handle is selected before the old one is deleted.
    SelectObject(dc_.get(), handle.get());
    fontHandle_ = std::move(handle);
}

void Surface::setScaleMode(int16_t mode) {
    if (mode != core::scale::Pixels && mode != core::scale::Twips)
        throw core::RuntimeError(core::err::InvalidPropertyValue);
    float x = toPixelsX(currentX_), y = toPixelsY(currentY_);
    scaleMode_ = mode;
    currentX_ = fromPixelsX(x);
    currentY_ = fromPixelsY(y);
}

float Surface::ScaleWidth() const noexcept {
    return fromPixelsX(static_cast<float>(width_));
}
float Surface::ScaleHeight() const noexcept {
    return fromPixelsY(static_cast<float>(height_));
}

namespace {

float unitsPerPixel(int16_t unit) {
    switch (unit) {
    case core::scale::Pixels:
        return 1.0f;
    case core::scale::Twips:
        return Surface::twipsPerPixel();
    case core::scale::Himetric:
        return 2540.0f / static_cast<float>(StdFont::screenDpi());
    default:
        throw core::RuntimeError(core::err::InvalidProcedureCall);
    }
}

} // namespace

float Surface::ScaleX(float value, int16_t from, int16_t to) const {
    return value / unitsPerPixel(from) * unitsPerPixel(to);
}

float Surface::ScaleY(float value, int16_t from, int16_t to) const {
    return ScaleX(value, from, to);
}

float Surface::toPixelsX(float value) const noexcept {
    return scaleMode_ == core::scale::Twips ? value / twipsPerPixel() : value;
}
float Surface::toPixelsY(float value) const noexcept {
    return toPixelsX(value);
}
float Surface::fromPixelsX(float value) const noexcept {
    return scaleMode_ == core::scale::Twips ? value * twipsPerPixel() : value;
}
float Surface::fromPixelsY(float value) const noexcept {
    return fromPixelsX(value);
}

void Surface::setPicture(std::shared_ptr<StdPicture> picture) {
    picture_ = std::move(picture);
    erase(RECT{0, 0, width_, height_});
    changed();
}

std::shared_ptr<StdPicture> Surface::Image() const {
    if (width_ == 0 || height_ == 0) return StdPicture::empty();
    GdiBitmap bitmap;
    uint32_t* bits = nullptr;
    makeBitmap(width_, height_, bitmap, bits);
    MemoryDC copy = MemoryDC::compatibleWith(dc_.get());
    {
        ScopedSelect select(copy.get(), bitmap.get());
        BitBlt(copy.get(), 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    }
    return StdPicture::fromBitmap(bitmap.release());
}

// --- The DC's objects

void Surface::updatePen() {
    GdiPen pen(CreatePen(PS_SOLID, drawWidth_, translateColor(foreColor_)));
    SelectObject(dc_.get(), pen.get());
    pen_ = std::move(pen);
}

void Surface::updateBrush() {
    GdiBrush brush;
    if (fillStyle_ == 0) {
        brush.reset(CreateSolidBrush(translateColor(fillColor_)));
    } else if (fillStyle_ >= 2) {
        static const int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_BDIAGONAL,
                                      HS_FDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
        brush.reset(CreateHatchBrush(hatches[fillStyle_ - 2], translateColor(fillColor_)));
    }
    SelectObject(dc_.get(), brush ? static_cast<HGDIOBJ>(brush.get()) : GetStockObject(HOLLOW_BRUSH));
    brush_ = std::move(brush);
}

void Surface::updateTextColour() {
    SetTextColor(dc_.get(), translateColor(foreColor_));
}

HDC Surface::hDC() {
    changed();
    return dc_.get();
}

COLORREF Surface::lineColour(uint32_t colour) const {
    return translateColor(colour == defaultColour ? foreColor_ : colour);
}

// --- Drawing

void Surface::erase(const RECT& area) {
    if (area.right <= area.left || area.bottom <= area.top) return;
    GdiBrush back(CreateSolidBrush(translateColor(backColor_)));
    FillRect(dc_.get(), &area, back.get());
    if (picture_ && picture_->Type() != PictureType::None) {
        SavedDC saved(dc_.get());
        IntersectClipRect(dc_.get(), area.left, area.top, area.right, area.bottom);
        picture_->render(dc_.get(), 0, 0, picture_->widthPixels(), picture_->heightPixels());
    }
}

void Surface::Cls() {
    erase(RECT{0, 0, width_, height_});
    currentX_ = 0;
    currentY_ = 0;
    changed();
}

void Surface::Line(float x1, float y1, float x2, float y2, uint32_t colour, LineShape shape) {
    COLORREF c = lineColour(colour);
    int ax = toInt(toPixelsX(x1)), ay = toInt(toPixelsY(y1));
    int bx = toInt(toPixelsX(x2)), by = toInt(toPixelsY(y2));
    HDC dc = dc_.get();
    if (shape == LineShape::FilledBox) {
        RECT r{std::min(ax, bx), std::min(ay, by), std::max(ax, bx) + 1, std::max(ay, by) + 1};
        GdiBrush brush(CreateSolidBrush(c));
        FillRect(dc, &r, brush.get());
    } else {
        GdiPen pen(CreatePen(PS_SOLID, drawWidth_, c));
        ScopedSelect selectPen(dc, pen.get());
        if (shape == LineShape::Box) {
            ScopedSelect selectBrush(dc, brush_ ? static_cast<HGDIOBJ>(brush_.get())
                                                : GetStockObject(HOLLOW_BRUSH));
            Rectangle(dc, std::min(ax, bx), std::min(ay, by), std::max(ax, bx) + 1, std::max(ay, by) + 1);
        } else {
            MoveToEx(dc, ax, ay, nullptr);
            LineTo(dc, bx, by);
        }
    }
    currentX_ = x2;
    currentY_ = y2;
    changed();
}

void Surface::PSet(float x, float y, uint32_t colour) {
    COLORREF c = lineColour(colour);
    int cx = toInt(toPixelsX(x)), cy = toInt(toPixelsY(y));
    if (drawWidth_ <= 1) {
        SetPixelV(dc_.get(), cx, cy, c);
    } else {
        // A round dot DrawWidth pixels across: an odd width centred on the point, an even one
        // reaching one pixel further up and left (x - w/2 .. x + w/2 - 1), as the platform places it.
        GdiFlush();
        int w = drawWidth_;
        int first = (w % 2) ? -(w - 1) / 2 : -w / 2;
        float centre = (w % 2) ? 0.0f : -0.5f;
        float limit = (w / 2.0f) * (w / 2.0f);
        uint32_t value = dibFromColour(c);
        for (int dy = first; dy < first + w; ++dy)
            for (int dx = first; dx < first + w; ++dx) {
                float fx = dx - centre, fy = dy - centre;
                int px = cx + dx, py = cy + dy;
                if (fx * fx + fy * fy > limit || px < 0 || py < 0 || px >= width_ || py >= height_) continue;
                bits_[static_cast<size_t>(py) * width_ + px] = value;
            }
    }
    currentX_ = x;
    currentY_ = y;
    changed();
}

int32_t Surface::Point(float x, float y) const {
    uint32_t c = pixel(toInt(toPixelsX(x)), toInt(toPixelsY(y)));
    return c == defaultColour ? -1 : static_cast<int32_t>(c);
}

void Surface::Circle(float x, float y, float radius, uint32_t colour) {
    COLORREF c = lineColour(colour);
    int cx = toInt(toPixelsX(x)), cy = toInt(toPixelsY(y));
    int r = toInt(toPixelsX(std::fabs(radius)));
    HDC dc = dc_.get();
    GdiPen pen(CreatePen(PS_SOLID, drawWidth_, c));
    ScopedSelect selectPen(dc, pen.get());
    ScopedSelect selectBrush(dc, brush_ ? static_cast<HGDIOBJ>(brush_.get()) : GetStockObject(HOLLOW_BRUSH));
    Ellipse(dc, cx - r, cy - r, cx + r + 1, cy + r + 1);
    currentX_ = x;
    currentY_ = y;
    changed();
}

int Surface::lineHeight() const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_.get(), &metrics);
    return metrics.tmHeight;
}

void Surface::Print(const std::wstring& text, bool keepLine) {
    HDC dc = dc_.get();
    int height = lineHeight();
    float x = toPixelsX(currentX_), y = toPixelsY(currentY_);
    SetTextColor(dc, translateColor(foreColor_));
    if (!fontTransparent_) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, translateColor(backColor_));
    }
    auto lines = textLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            x = 0;
            y += static_cast<float>(height);
        }
        const std::wstring& line = lines[i];
        if (!line.empty()) TextOutW(dc, toInt(x), toInt(y), line.data(), static_cast<int>(line.size()));
        if (i + 1 == lines.size()) x += static_cast<float>(textWidthPixels(dc, line));
    }
    SetBkMode(dc, TRANSPARENT);
    if (keepLine) {
        currentX_ = fromPixelsX(x);
        currentY_ = fromPixelsY(y);
    } else {
        currentX_ = 0;
        currentY_ = fromPixelsY(y + static_cast<float>(height));
    }
    changed();
}

float Surface::TextWidth(const std::wstring& text) const {
    int widest = 0;
    for (const auto& line : textLines(text)) widest = std::max(widest, textWidthPixels(dc_.get(), line));
    return fromPixelsX(static_cast<float>(widest));
}

float Surface::TextHeight(const std::wstring& text) const {
    return fromPixelsY(static_cast<float>(lineHeight() * static_cast<int>(textLines(text).size())));
}

void Surface::PaintPicture(const StdPicture& picture, float x, float y, std::optional<float> width,
                           std::optional<float> height, std::optional<float> srcX, std::optional<float> srcY,
                           std::optional<float> srcWidth, std::optional<float> srcHeight) {
    if (picture.Type() == PictureType::None) return;
    int natW = picture.widthPixels(), natH = picture.heightPixels();
    int dx = toInt(toPixelsX(x)), dy = toInt(toPixelsY(y));
    int sx = srcX ? toInt(toPixelsX(*srcX)) : 0;
    int sy = srcY ? toInt(toPixelsY(*srcY)) : 0;
    int sw = srcWidth ? toInt(toPixelsX(*srcWidth)) : natW - sx;
    int sh = srcHeight ? toInt(toPixelsY(*srcHeight)) : natH - sy;
    // Without a destination size the source part is drawn at its own size.
    int dw = width ? toInt(toPixelsX(*width)) : sw;
    int dh = height ? toInt(toPixelsY(*height)) : sh;
    picture.render(dc_.get(), dx, dy, dw, dh, sx, sy, sw, sh);
    changed();
}

} // namespace forms
