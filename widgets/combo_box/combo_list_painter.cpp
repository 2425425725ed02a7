#include "widgets/combo_box/combo_list_painter.h"

#include "platform/core/constants.h"
#include "platform/forms/functions.h"
#include "platform/forms/gdi.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_picture.h"
#include "widgets/combo_box/combo_frame.h"
#include "widgets/combo_box/combo_picture.h"

#include <algorithm>
#include <cstdlib>

namespace widgets {

namespace {

constexpr int TwipsPerPixel = 15;
constexpr int RowPitch = 295;
constexpr int RowOrigin = 67;
constexpr int TextBelowRow = 20;
constexpr int SingleItemRaise = 9;
constexpr int LeftTextX = 390;
constexpr int RightMarginFits = 120;
constexpr int RightMarginScrolls = 650;
// The bar's width in its own pixels, added to twips as the list always did.
constexpr int ScrollBarWidth = 17;
constexpr int SeparatorLeft = 20;
constexpr int SeparatorMarginScrolls = 240;
constexpr int SeparatorMarginFits = 30;
constexpr int SeparatorBelowPrint = 32;
constexpr int ShadowOffset = 15;
constexpr int ShadowTextBelowRow = 35;
constexpr int PictureX = 4;
constexpr int PictureTop = 3;
constexpr int PictureWidth = 50;
constexpr int PictureHeight = 12;
constexpr int RowPixels = 20;

} // namespace

int listPixels(double twips) {
    return forms::Screen::twipsToPixelsY(twips);
}

std::wstring ComboListPainter::PadText(const std::wstring& text, const std::wstring& fill,
                                       const std::wstring& longest) {
    if (text.size() >= longest.size()) return text;
    std::wstring padded;
    for (size_t i = 0; i < longest.size() - text.size(); ++i) padded += fill;
    return padded + text;
}

int ComboListPainter::textWidth(const std::wstring& text) const {
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx) * TwipsPerPixel;
}

// A box in twips with both corners inside, as the list's own box drawing gave it.
void ComboListPainter::box(int x1, int y1, int x2, int y2, uint32_t colour, bool filled) {
    const int l = listPixels(std::min(x1, x2)), t = listPixels(std::min(y1, y2));
    const int r = listPixels(std::max(x1, x2)), b = listPixels(std::max(y1, y2));
    if (filled)
        APIFillSolidRect(dc_, RECT{l, t, r + 1, b + 1}, colour);
    else
        APILineEx(dc_, l, t, r - l, b - t, colour);
}

bool ComboListPainter::highlighted(long k) const {
    const ComboItems& items = in_.items;
    if (!items.exists(k) || !items.at(k).enabled) return false;
    if (!in_.state.listDrawn)
        return !in_.editText.empty() && k == in_.state.selected && in_.editText == items.at(k).text;
    return k - 1 == in_.state.hot;
}

ListHighlight ComboListPainter::DrawList(long top, long rows) {
    const ComboLook& look = in_.look;
    const int w = in_.width, h = in_.height;
    ListHighlight result;
    APIFillSolidRect(dc_, RECT{0, 0, w, h}, look.ListColor);
    if (look.ListGradient)
        DrawGradient(dc_, 0, 0, w, h, ContrastColor(TranslateColor(look.GradientColor1)),
                     ContrastColor(TranslateColor(look.GradientColor2)), false);
    APILineEx(dc_, 0, 0, w - 1, h - 1, in_.state.listFrameColor);
    const long count = in_.items.count();
    if (count < 1) return result;

    forms::ScopedSelect font(dc_, in_.font);
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    const int W = w * TwipsPerPixel, H = h * TwipsPerPixel;
    const int SW = W, SH = H;
    const int separatorMargin = in_.scrollBarVisible ? SeparatorMarginScrolls : SeparatorMarginFits;
    long lastHighlighted = -1;
    printY_ = 0;
    for (long k = top; k <= top + rows; ++k) {
        const long s = k - top - 1;
        const long p = k - 1;
        const int yT = static_cast<int>(RowPitch * s + RowOrigin);
        const int yP = yT + TextBelowRow - (count == 1 ? SingleItemRaise : 0);
        if (!in_.items.exists(k)) continue;
        const ComboItem& item = in_.items.at(k);
        if (highlighted(k)) {
            const long v = in_.state.scroll, n = in_.rows;
            const bool first = count > 1 && std::labs(k - v) == 1;
            const bool last = count > 1 && std::labs(k - v) == n;
            const int lastBottom = yT + std::abs(H - (yT + 20));
            if (in_.scrollBarVisible)
                box(3, yT - 45, W - 290, yT + 245, look.SelectListColor, true);
            else
                box(3, yT - 45, W, last ? lastBottom : yT + 255, look.SelectListColor, true);
            if (first) {
                box(3, yT - 65, W - 15, yT + 255, look.SelectListBorderColor, false);
            } else if (last) {
                box(3, yT - 45, W - 15, lastBottom, look.SelectListBorderColor, false);
            } else if (count != 1) {
                const int m = in_.scrollBarVisible ? 95 : 15;
                box(3, yT - 45, W - m, yT + std::min(255, std::abs(H - (yT + 21))),
                    look.SelectListBorderColor, false);
            } else {
                const int m = in_.scrollBarVisible ? 88 : 8;
                box(0, 0, SW - m, SH - 8, look.SelectListBorderColor, false);
            }
            DrawListPicture(k, RowPixels * static_cast<int>(s));
            DrawListItems(p, 0, yP, look.HighLightColorText);
            result.any = true;
            result.toolTip = item.toolTip;
            result.mouseIcon = item.mouseIcon;
            lastHighlighted = p;
            continue;
        }
        const uint32_t colour = item.enabled ? item.colour : look.disabledRead();
        if (p != lastHighlighted + 1 && p < count && count >= 2 && in_.items.exists(p) &&
            in_.items.at(p).separator) {
            const int y = listPixels(printY_ + SeparatorBelowPrint);
            APILine(dc_, listPixels(SeparatorLeft), y, listPixels(SW - separatorMargin), y,
                    core::sysColor::ButtonShadow);
        }
        DrawListPicture(k, RowPixels * static_cast<int>(s));
        if (item.textShadow) {
            DrawListItems(p, 0, yP, look.ShadowColorText);
            DrawListItems(p, ShadowOffset, yT + ShadowTextBelowRow, colour);
        } else {
            DrawListItems(p, 0, yP, colour);
        }
    }
    SetBkMode(dc_, oldMode);
    return result;
}

void ComboListPainter::DrawListItems(long p, int xOffset, int y, uint32_t colour) {
    const ComboItem& item = in_.items.at(p + 1);
    const int SW = in_.width * TwipsPerPixel;
    const bool scrolls = in_.rows < in_.maxListLength;
    std::wstring shown;
    int x = 0;
    switch (in_.look.Alignment) {
    case rowAlign::Left:
        shown = CompactItemText(dc_, SW, item.text, L"", 0, TwipsPerPixel);
        x = xOffset + LeftTextX;
        break;
    case rowAlign::Right: {
        const std::wstring padded = PadText(item.text, L" ", in_.items.longestText());
        shown = CompactItemText(dc_, SW, padded, item.text, textWidth(item.text) / 2, TwipsPerPixel);
        const int bar = scrolls ? ScrollBarWidth : 0;
        const int margin = scrolls ? RightMarginScrolls : RightMarginFits;
        x = static_cast<int16_t>(std::abs(SW + bar - (textWidth(shown) + margin)));
        break;
    }
    case rowAlign::Centre: {
        const std::wstring padded = PadText(item.text, L" ", in_.items.longestText());
        shown = CompactItemText(dc_, SW, padded, item.text, textWidth(item.text) / 2, TwipsPerPixel);
        x = SW / 2 - textWidth(shown) / 2;
        break;
    }
    default:
        break;
    }
    SetTextColor(dc_, TranslateColor(colour));
    TextOutW(dc_, listPixels(x), listPixels(y), shown.c_str(), static_cast<int>(shown.size()));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    printY_ = y + static_cast<int>(metrics.tmHeight) * TwipsPerPixel;
}

bool ComboListPainter::DrawListPicture(long number, int y) {
    if (!in_.items.exists(number) || !in_.items.at(number).picture) return false;
    const ComboItem& item = in_.items.at(number);
    DrawTransparentPicture(*item.picture, dc_, PictureX, y + PictureTop, item.enabled, PictureHeight,
                           PictureWidth);
    return true;
}

} // namespace widgets
