#include "widgets/tool_bar/mc_tool_bar_paint.h"

#include "platform/core/event_log.h"
#include "platform/forms/functions.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/shared/list_gradient.h"
#include "widgets/shared/list_text.h"
#include "widgets/tool_bar/mc_tool_bar_layout.h"
#include "widgets/tool_bar/mc_tool_bar_raster.h"

namespace widgets {

using toolbar::darkOf;
using toolbar::lightOf;

namespace {

constexpr long Black = 0;
// Room left of and right of a caption's lines, and around an icon.
constexpr long CaptionMargin = 5;
constexpr long IconMargin = 10;
// The corner ellipse of the round faces.
constexpr long RoundCorner = 6;
// A separator's groove leaves this much above and below it.
constexpr long GrooveTop = 2, GrooveShorter = 6;

long ole(uint32_t colour) {
    return static_cast<long>(colour);
}

} // namespace

void ToolBarPainter::line(long x1, long y1, long x2, long y2, long colour) {
    surface_.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
                  static_cast<float>(y2), static_cast<uint32_t>(colour));
}

// The platform's rectangle: the outline in the surface's pen, the inside in its fill, the right and
// bottom coordinates left out.
void ToolBarPainter::box(long left, long top, long right, long bottom, long pen, long fill) {
    surface_.setForeColor(static_cast<uint32_t>(pen));
    surface_.setFillColor(static_cast<uint32_t>(fill));
    surface_.setFillStyle(0);
    Rectangle(surface_.hDC(), left, top, right, bottom);
}

bool ToolBarPainter::drawToolBar() {
    chevronDown_ = false;
    core::bestEffort(L"McToolBar background", [this] {
        surface_.Cls();
        surface_.setBackColor(look_.BackColor);
        if (look_.Font) surface_.setFont(look_.Font);
        drawBackground();
    });
    const long w = surface_.widthPixels(), h = surface_.heightPixels();
    core::bestEffort(L"McToolBar frame", [&] {
        if (dropDown_ || look_.BorderStyle == barBorder::Raised)
            drawButtonFace(ole(look_.BackColor), 0, 0, w, h, false, 0);
        else if (look_.BorderStyle == barBorder::Sunken)
            drawButtonFace(ole(look_.BackColor), 0, 0, w, h, true, 0);
    });
    auto drawRecord = [this](long i) {
        core::bestEffort(L"McToolBar button", [&] {
            const ToolBarButton& record = buttons_.at(i);
            if (record.Type != ButtonTypeButton)
                drawSeparator(i);
            else
                drawButton(i, record.Icon, record.Caption, downOf(i), record.Enabled);
        });
    };
    if (dropDown_) {
        for (long i : state_.ChevronButtons)
            if (buttons_.has(i)) drawRecord(i);
    } else {
        for (long i = 1; i <= buttons_.count(); ++i)
            if (!buttons_.at(i).InChevron) drawRecord(i);
        if (!state_.ChevronButtons.empty())
            core::bestEffort(L"McToolBar chevron", [this] {
                drawButton(ChevronButton, nullptr, ChevronMark,
                           look_.Button_Index == ChevronButton && state_.IsMouseDown, true);
            });
    }
    return chevronDown_;
}

// Rendered once and kept as the surface's picture, so that every later clear restores it.
void ToolBarPainter::drawBackground() {
    bool& cached = dropDown_ ? state_.DropDownBackgroundCached : state_.BackgroundCached;
    if (cached) return;
    surface_.setPicture(nullptr);
    const long w = surface_.widthPixels(), h = surface_.heightPixels();
    if (look_.BackGradient != gradient::None)
        toolbar::DrawGradient(surface_.hDC(), 0, 0, w, h, ole(look_.BackColor), ole(look_.BackGradientCol),
                              look_.BackGradient, true);
    else if (look_.BackGround)
        toolbar::TilePicture(look_.BackGround.get(), surface_.hDC(), 0, 0, w, h);
    surface_.setPicture(surface_.Image());
    cached = true;
}

// A record drawn pressed holds down; the hovered one follows the mouse.
bool ToolBarPainter::downOf(long index) const {
    const ToolBarButton& record = buttons_.at(index);
    if (index == look_.Button_Index && !record.Pressed) return state_.IsMouseDown;
    return record.Pressed;
}

void ToolBarPainter::drawButton(long index, const std::shared_ptr<forms::StdPicture>& icon,
                                const std::wstring& caption, bool down, bool enabled) {
    if (!look_.Enabled) enabled = false;
    long x, y, w = look_.ButtonsWidth, h = look_.ButtonsHeight, placement;
    if (index == ChevronButton) {
        x = barWidth_ - ChevronArea;
        y = barHeight_ - look_.ButtonsHeight - (look_.BorderStyle != barBorder::None ? 2 : 0);
        w = ChevronWidth;
        placement = iconPlace::Above;
    } else {
        const ToolBarButton& record = buttons_.at(index);
        x = record.Left;
        y = record.Top;
        placement = record.IconAllignment;
    }
    const bool hot = index == look_.Button_Index;
    const long iconW = icon ? icon->widthPixels() + IconMargin : 0;
    const long iconH = icon ? icon->heightPixels() + IconMargin : 0;

    long offset = 0;
    const long face = ole(look_.ButtonsBackColor);
    switch (look_.ButtonsMode) {
    case faceMode::HotEdge:
        if (hot || down) drawButtonFace(face, x, y, w, h, down, 0);
        offset = down ? 1 : 0;
        break;
    case faceMode::Edge:
        drawButtonFace(face, x, y, w, h, down, 0);
        offset = down ? 1 : 0;
        break;
    case faceMode::BlackTopLeft:
        drawButtonFace(face, x, y, w, h, down, 1);
        offset = down ? 1 : 0;
        break;
    case faceMode::BlackBottom:
        drawButtonFace(face, x, y, w, h, down, 2);
        offset = down ? 1 : 0;
        break;
    case faceMode::HoverRect:
        --w;
        --h;
        if (hot || down) drawHoverRect(ole(look_.HoverColor), x + 1, y + 1, w - 1, h - 1, down);
        break;
    case faceMode::Round:
        --w;
        --h;
        drawRoundFace(face, x, y, w, h, hot, down);
        break;
    case faceMode::RoundGradient:
        --w;
        --h;
        drawRoundGradientFace(x, y, w, h, hot, down);
        offset = down ? 1 : 0;
        break;
    default:
        break;
    }

    auto iconIn = [&](long ix, long iy, long iw, long ih) {
        if (icon) drawIcon(*icon, ix, iy, iw, ih, enabled);
    };
    switch (placement) {
    case iconPlace::Above:
        iconIn(x + offset, y + offset, w, iconH);
        drawCaption(caption, x, y + iconH, w, h - iconH, enabled, 1);
        break;
    case iconPlace::Below:
        iconIn(x + offset, y + offset + h - iconH, w, iconH);
        drawCaption(caption, x, y, w, h - iconH, enabled, -1);
        break;
    case iconPlace::Left:
        iconIn(x + offset, y + offset, iconW, h);
        drawCaption(caption + L" ", x + iconW, y, w - iconW, h, enabled, 0);
        break;
    case iconPlace::Right:
        iconIn(x + offset + w - iconW, y + offset, iconW, h);
        drawCaption(L" " + caption, x, y, w - iconW, h, enabled, 0);
        break;
    case iconPlace::Over:
        iconIn(x + offset, y + offset, w, h);
        drawCaption(caption, x, y, w, h, enabled, 0);
        break;
    default:
        break;
    }
    drawButtonFrame(x, y, index);
    if (index == ChevronButton && down) chevronDown_ = true;
}

void ToolBarPainter::drawButtonFace(long colour, long x, long y, long w, long h, bool pressed, long style) {
    surface_.setFillStyle(0);
    const long right = w - 1, bottom = h - 1;
    const long hl = pressed ? darkOf(colour) : lightOf(colour);
    const long sh = pressed ? lightOf(colour) : darkOf(colour);
    const bool blackFirst = style == 1 || pressed;
    const long o1 = blackFirst ? Black : colour;
    const long o2 = blackFirst ? colour : Black;
    if (style == 0) {
        line(x, y, x + right, y, hl);
        line(x, y, x, y + bottom, hl);
        line(x + right, y, x + right, y + bottom + 1, sh);
        line(x, y + bottom, x + right + 1, y + bottom, sh);
    } else {
        line(x, y, x + right, y, o1);
        line(x, y, x, y + bottom, o1);
        line(x + right, y, x + right, y + bottom + 1, o2);
        line(x, y + bottom, x + right + 1, y + bottom, o2);
        line(x + 1, y + 1, x + right - 1, y + 1, hl);
        line(x + 1, y + 1, x + 1, y + bottom - 1, hl);
        line(x + right - 1, y + 1, x + right - 1, y + bottom, sh);
        line(x + 1, y + bottom - 1, x + right, y + bottom - 1, sh);
    }
    // A face at the surface's edge keeps only its lines: the frame is never filled.
    const long inset = style == 0 ? 1 : 2;
    if (x != 0 && y != 0)
        toolbar::DrawGradient(surface_.hDC(), x + inset, y + inset, right - inset, bottom - inset - 1,
                              ole(look_.ButtonsBackColor), ole(look_.ButtonsGradientCol),
                              look_.ButtonsGradient, true);
}

void ToolBarPainter::drawHoverRect(long colour, long x, long y, long w, long h, bool pressed) {
    box(x, y, x + w - 1, y + h - 1, darkOf(colour), pressed ? colour : lightOf(colour));
}

void ToolBarPainter::drawRoundFace(long colour, long x, long y, long w, long h, bool hot, bool pressed) {
    const bool ring = hot && !pressed;
    const long inset = ring ? 3 : 2;
    surface_.setForeColor(static_cast<uint32_t>(darkOf(colour)));
    surface_.setFillColor(ring ? look_.HoverColor : look_.ButtonsBackColor);
    surface_.setFillStyle(0);
    RoundRect(surface_.hDC(), x, y, x + w, y + h, RoundCorner, RoundCorner);
    const long face = ole(look_.ButtonsBackColor);
    toolbar::DrawGradient(surface_.hDC(), x + inset, y + inset, w - 2 * inset, h - 2 * inset, face,
                          pressed ? face : ole(look_.ButtonsGradientCol), look_.ButtonsGradient, true);
}

void ToolBarPainter::drawRoundGradientFace(long x, long y, long w, long h, bool hot, bool pressed) {
    const bool ring = hot && !pressed;
    const long inset = ring ? 3 : 2;
    const long face = ole(look_.ButtonsBackColor), second = ole(look_.ButtonsGradientCol);
    surface_.setForeColor(static_cast<uint32_t>(darkOf(face)));
    surface_.setFillColor(ring ? look_.HoverColor : look_.ButtonsBackColor);
    surface_.setFillStyle(0);
    RoundRect(surface_.hDC(), x, y, x + w, y + h, RoundCorner, RoundCorner);
    if (pressed)
        toolbar::DrawGradient(surface_.hDC(), x + inset, y + inset, w - 2 * inset, h - 2 * inset, face, face,
                              look_.ButtonsGradient, true);
    else
        toolbar::DrawGradient(surface_.hDC(), x + 1, y + inset, w - 2, h - 2 * inset, hot ? second : face,
                              second, look_.ButtonsGradient, true);
}

void ToolBarPainter::drawIcon(const forms::StdPicture& icon, long x, long y, long w, long h, bool enabled) {
    const long iw = icon.widthPixels(), ih = icon.heightPixels();
    const long left = forms::roundToLong(x + (w - iw) / 2.0);
    const long top = forms::roundToLong(y + (h - ih) / 2.0);
    if (enabled) {
        surface_.PaintPicture(icon, static_cast<float>(left), static_cast<float>(top));
        return;
    }
    HANDLE handle = icon.Type() == forms::PictureType::Icon ? static_cast<HANDLE>(icon.hIcon())
                                                            : static_cast<HANDLE>(icon.hBitmap());
    toolbar::PaintGrayScale(surface_.hDC(), handle, left, top, iw, ih);
}

void ToolBarPainter::drawCaption(const std::wstring& caption, long x, long y, long w, long h, bool enabled,
                                 long bias) {
    if (caption.empty()) return;
    const long lineHeight = forms::roundToLong(surface_.TextHeight(L"A"));
    forms::Surface& s = surface_;
    const std::vector<std::wstring> lines = SplitToLines(
        caption, w - CaptionMargin, true, [&s](const std::wstring& text) { return s.TextWidth(text); },
        &toolbar::IsDelim);
    long top = forms::roundToLong((h - (bias + static_cast<long>(lines.size())) * lineHeight) / 2.0 + y);
    const long colour = enabled ? toolbar::TranslateColor(ole(look_.Forecolor))
                                : toolbar::TranslateColor(ole(core::sysColor::GrayText));
    HDC dc = surface_.hDC();
    SetTextColor(dc, static_cast<COLORREF>(colour));
    for (const std::wstring& text : lines) {
        RECT area{x, top, x + w, surface_.heightPixels()};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER);
        top += lineHeight;
    }
}

void ToolBarPainter::drawSeparator(long index) {
    const ToolBarButton& record = buttons_.at(index);
    if (look_.ShowSeperator) {
        const long cx = forms::roundToLong(record.Left + look_.ButtonsSeperatorWidth / 2.0);
        const long y1 = record.Top + GrooveTop;
        const long y2 = y1 + look_.ButtonsHeight - GrooveShorter;
        line(cx, y1, cx, y2, darkOf(ole(look_.BackColor)));
        line(cx + 1, y1, cx + 1, y2, lightOf(ole(look_.BackColor)));
    }
    drawButtonFrame(record.Left, record.Top, index);
}

// In a designer: the button's number, and a small bar over the selected one.
void ToolBarPainter::drawButtonFrame(long x, long y, long index) {
    if (userMode_) return;
    surface_.setCurrentX(static_cast<float>(x));
    surface_.setCurrentY(static_cast<float>(y + 2));
    const long mode = look_.ButtonsMode;
    if (index == look_.Button_Index &&
        (mode == faceMode::HotEdge || mode == faceMode::BlackTopLeft || mode == faceMode::BlackBottom)) {
        const bool button = buttons_.has(index) && buttons_.at(index).Type == ButtonTypeButton;
        const long wi = button ? look_.ButtonsWidth : look_.ButtonsSeperatorWidth;
        Rectangle(surface_.hDC(), x + 1, y + 1, x + wi - 2, y + 4);
    }
    surface_.Print(std::to_wstring(index), true);
}

} // namespace widgets
