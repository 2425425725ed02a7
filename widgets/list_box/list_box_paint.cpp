#include "widgets/list_box/list_box_paint.h"

#include "platform/forms/functions.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "widgets/list_box/image_list.h"
#include "widgets/list_box/list_items.h"
#include "widgets/shared/list_color.h"
#include "widgets/shared/list_gradient.h"

#include <algorithm>

namespace widgets {

namespace {

// The alignment and layout flags of DrawText; a stored value never asks it to measure only or to
// write into the text.
constexpr UINT TextFormatMask = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE |
                                DT_EXPANDTABS | DT_NOCLIP | DT_EXTERNALLEADING | DT_NOPREFIX |
                                DT_EDITCONTROL | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_RTLREADING |
                                DT_WORD_ELLIPSIS | DT_NOFULLWIDTHCHARBREAK | DT_HIDEPREFIX | DT_PREFIXONLY;

constexpr long White = 0xFFFFFF;
constexpr long Black = 0;
constexpr int16_t SolidFill = 0;

} // namespace

bool ListBoxState::selected(long index) const {
    return std::find(selection.begin(), selection.end(), index) != selection.end();
}

void ListBoxCache::useFont(forms::Surface& surface, const std::shared_ptr<forms::StdFont>& font, bool bold) {
    if (font && (!drawFont || !drawFont->sameAs(*font))) {
        drawFont = font->clone();
        drawFontBold = font->clone();
        drawFontBold->setBold(true);
    }
    if (!drawFont) return;
    const auto& wanted = bold ? drawFontBold : drawFont;
    if (surface.Font() != wanted) surface.setFont(wanted);
}

bool ListBoxPainter::paint(const ListItems& items, const ImageList* images, long top) {
    forms::Surface& s = surface_;
    const long last = top + cache_.visibleRows;
    const double pitch = cache_.rowPitch;
    const double scaleWidth = s.ScaleWidth();

    s.setFillStyle(SolidFill);
    if (look_.ShowIcon) cache_.iconColumnWidth = forms::roundToLong(pitch + 3);
    if (s.Picture() != look_.Picture) s.setPicture(look_.Picture);
    if (look_.BackGradient != gradient::None)
        DrawGradient(s.hDC(), 0, 0, forms::roundToLong(scaleWidth), forms::roundToLong(s.ScaleHeight()),
                     look_.BackColor, look_.BackGradientCol, look_.BackGradient, true);

    long outline, current, other;
    if (look_.SelectionStyle == BlendedSelection) {
        outline = BlendColor(look_.SelColor, Black, 250);
        if (state_.hasFocus) {
            current = BlendColor(look_.SelColor, White, 150);
            other = BlendColor(look_.SelColor, White, 100);
        } else {
            current = other = BlendColor(look_.SelColor, White, 75);
        }
    } else {
        outline = current = other = look_.SelColor;
    }

    const long iconColumn = cache_.iconColumnWidth;
    for (long i = top; i <= last; ++i) {
        if (!items.has(i)) return false; // the rows end before the bottom edge: no bottom line
        const ListItem& item = items.at(i);
        std::shared_ptr<forms::StdPicture> icon;
        const bool wantsIcon = item.icon != -1 && look_.ShowIcon;
        if (wantsIcon && images) icon = images->ListImages(item.icon);

        const long y = forms::roundToLong((i - top) * pitch);
        if (state_.selected(i)) {
            if (look_.SelGradient == gradient::None) {
                s.setForeColor(static_cast<uint32_t>(outline));
                s.setFillColor(static_cast<uint32_t>(i == state_.currentIndex ? current : other));
                Rectangle(s.hDC(), look_.FullRowSelect ? 1 : iconColumn + 1, y + 1,
                          forms::roundToLong(scaleWidth), forms::roundToLong(y + pitch));
            } else {
                const long x = look_.FullRowSelect ? 0 : iconColumn;
                const long width = look_.FullRowSelect ? forms::roundToLong(scaleWidth)
                                                       : forms::roundToLong(scaleWidth - iconColumn);
                DrawGradient(s.hDC(), x, y + 1, width, forms::roundToLong(pitch), look_.SelColor,
                             look_.SelGradientCol, look_.SelGradient, true);
            }
            if (look_.IconFocus && !look_.FullRowSelect && look_.ShowIcon && state_.hasFocus) {
                s.setForeColor(Black);
                const RECT cell{1, y + 1, forms::roundToLong(pitch), forms::roundToLong(y + pitch)};
                DrawFocusRect(s.hDC(), &cell);
            }
            s.setForeColor(static_cast<uint32_t>(look_.SelForeColor));
        } else {
            s.setForeColor(static_cast<uint32_t>(look_.Forecolor));
        }
        cache_.useFont(s, look_.Font, item.bold);
        drawItemText(item.text, iconColumn, y + 1);
        // Without an image list, or without that image, the row goes without its icon.
        if (wantsIcon && icon)
            drawItemIcon(*icon, 2, y + 2, forms::roundToLong(pitch - 4), forms::roundToLong(pitch - 4));
        if (look_.GridLines) {
            s.setForeColor(static_cast<uint32_t>(look_.GridColor));
            s.Line(0, static_cast<float>(y), static_cast<float>(scaleWidth), static_cast<float>(y));
        }
        if (i == state_.currentIndex && look_.FocusRectangle) {
            s.setForeColor(Black);
            const RECT frame{look_.ShowIcon && !look_.FullRowSelect ? iconColumn : -1, y,
                             forms::roundToLong(scaleWidth + 1), forms::roundToLong(y + pitch + 1)};
            DrawFocusRect(s.hDC(), &frame);
        }
    }
    const float bottom = static_cast<float>(forms::roundToLong((last - top) * pitch));
    s.Line(0, bottom, static_cast<float>(scaleWidth), bottom);
    return true;
}

void ListBoxPainter::drawItemText(const std::wstring& text, long x, long y) {
    forms::Surface& s = surface_;
    RECT area{x + 5, forms::roundToLong((look_.RowHeight - s.TextHeight(L"A")) / 2.0 + y),
              forms::roundToLong(s.ScaleWidth()), look_.RowHeight + y};
    DrawTextW(s.hDC(), text.c_str(), -1, &area, static_cast<UINT>(look_.TextAlignment) & TextFormatMask);
}

void ListBoxPainter::drawItemIcon(const forms::StdPicture& picture, long x, long y, long width, long height) {
    forms::Surface& s = surface_;
    if (look_.StrechIcon) {
        s.PaintPicture(picture, static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                       static_cast<float>(height));
        return;
    }
    const long left = forms::roundToLong((width - picture.widthPixels()) / 2.0 + x);
    const long top = forms::roundToLong((height - picture.heightPixels()) / 2.0 + y);
    s.PaintPicture(picture, static_cast<float>(left), static_cast<float>(top));
}

} // namespace widgets
