// The list box's layout and painting.
#include "widgets/list/mc_list_box.h"

#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "platform/forms/functions.h"
#include "widgets/list/list_color.h"
#include "widgets/list/list_gradient.h"

#include <algorithm>
#include <string>

namespace widgets {

namespace {

// The alignment and layout flags of DrawText; a stored value never asks it to measure only or to
// write into the text.
constexpr UINT TextFormatMask = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE |
                                DT_EXPANDTABS | DT_NOCLIP | DT_EXTERNALLEADING | DT_NOPREFIX |
                                DT_EDITCONTROL | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_RTLREADING |
                                DT_WORD_ELLIPSIS | DT_NOFULLWIDTHCHARBREAK | DT_HIDEPREFIX | DT_PREFIXONLY;

} // namespace

void McListBox::Refresh() {
    try {
        forms::Surface& s = surface();
        visibleRows_ = static_cast<long>(forms::Int(s.ScaleHeight() / static_cast<double>(rowHeight_)));
        if (ListCount() > visibleRows_) {
            bars_.SB_Visible(SB_VERT, true);
            bars_.SB_Enabled(SB_VERT, true);
            bars_.SB_Max(SB_VERT, ListCount() - visibleRows_);
            bars_.SB_Max(SB_VERT, bars_.SB_Max(SB_VERT) - 6);
            bars_.SB_SmallChange(SB_VERT, 1);
            bars_.SB_LargeChange(SB_VERT, 5);
        } else {
            bars_.SB_Value(SB_VERT, 0);
            bars_.SB_SmallChange(SB_VERT, 1);
            bars_.SB_LargeChange(SB_VERT, 5);
            if (autoHideScrollBars_) {
                bars_.SB_Visible(SB_VERT, false);
                bars_.SB_Enabled(SB_VERT, true);
            } else {
                bars_.SB_Visible(SB_VERT, true);
                bars_.SB_Enabled(SB_VERT, false);
            }
        }
    } catch (...) {
    }
    sortItems();
    Redraw();
}

void McListBox::Redraw() {
    try {
        paintRows();
        dropStalePopup();
    } catch (...) {
    }
}

void McListBox::useFont(bool bold) {
    forms::Surface& s = surface();
    if (font_ && (!drawFont_ || !drawFont_->sameAs(*font_))) {
        drawFont_ = font_->clone();
        drawFontBold_ = font_->clone();
        drawFontBold_->setBold(true);
    }
    if (!drawFont_) return;
    const auto& wanted = bold ? drawFontBold_ : drawFont_;
    if (s.Font() != wanted) s.setFont(wanted);
}

float McListBox::textHeightA() {
    return surface().TextHeight(L"A");
}

double McListBox::rowPitch() {
    return surface().ScaleHeight() / static_cast<double>(visibleRows_);
}

void McListBox::paintRows() {
    forms::Surface& s = surface();
    s.Cls();
    iconColumnWidth_ = 0;
    clampIndex();

    const long top = bars_.SB_Value(SB_VERT);
    const long last = top + visibleRows_;
    // A control lower than one row shows only its background.
    if (visibleRows_ <= 0) return;
    const double pitch = rowPitch();
    const double scaleWidth = s.ScaleWidth();

    s.setFillStyle(0);
    if (showIcon_) iconColumnWidth_ = forms::roundToLong(pitch + 3);
    if (!Ambient().UserMode && items_.empty()) {
        items_.add({L"McListBox", -1, false});
        selection_.push_back(0);
    }
    if (s.Picture() != picture_) s.setPicture(picture_);
    if (backGradient_ != 0)
        DrawGradient(s.hDC(), 0, 0, forms::roundToLong(scaleWidth), forms::roundToLong(s.ScaleHeight()),
                     backColor_, backGradientCol_, backGradient_, true);

    long outline, current, other;
    if (selectionStyle_ == 1) {
        outline = BlendColor(selColor_, 0, 250);
        if (hasFocus_) {
            current = BlendColor(selColor_, 0xFFFFFF, 150);
            other = BlendColor(selColor_, 0xFFFFFF, 100);
        } else {
            current = other = BlendColor(selColor_, 0xFFFFFF, 75);
        }
    } else {
        outline = current = other = selColor_;
    }

    for (long i = top; i <= last; ++i) {
        if (!items_.has(i)) return; // the rows end before the bottom edge: no bottom line
        const ListItem& item = items_.at(i);
        std::shared_ptr<forms::StdPicture> icon;
        const bool wantsIcon = item.icon != -1 && showIcon_;
        if (wantsIcon && imageList_) icon = imageList_->ListImages(item.icon);

        const bool selected = std::find(selection_.begin(), selection_.end(), i) != selection_.end();
        const long y = forms::roundToLong((i - top) * pitch);
        if (selected) {
            if (selGradient_ == 0) {
                s.setForeColor(static_cast<uint32_t>(outline));
                s.setFillColor(static_cast<uint32_t>(i == currentIndex_ ? current : other));
                Rectangle(s.hDC(), fullRowSelect_ ? 1 : iconColumnWidth_ + 1, y + 1,
                          forms::roundToLong(scaleWidth), forms::roundToLong(y + pitch));
            } else {
                const long x = fullRowSelect_ ? 0 : iconColumnWidth_;
                const long w = fullRowSelect_ ? forms::roundToLong(scaleWidth)
                                              : forms::roundToLong(scaleWidth - iconColumnWidth_);
                DrawGradient(s.hDC(), x, y + 1, w, forms::roundToLong(pitch), selColor_, selGradientCol_,
                             selGradient_, true);
            }
            if (iconFocus_ && !fullRowSelect_ && showIcon_ && hasFocus_) {
                s.setForeColor(0);
                const RECT cell{1, y + 1, forms::roundToLong(pitch), forms::roundToLong(y + pitch)};
                DrawFocusRect(s.hDC(), &cell);
            }
            s.setForeColor(static_cast<uint32_t>(selForeColor_));
        } else {
            s.setForeColor(static_cast<uint32_t>(foreColor_));
        }
        useFont(item.bold);
        DrawItemText(item.text, iconColumnWidth_, y + 1);
        // Without an image list, or without that image, the row goes without its icon.
        if (wantsIcon && icon)
            DrawItemIcon(*icon, 2, y + 2, forms::roundToLong(pitch - 4), forms::roundToLong(pitch - 4));
        if (gridLines_) {
            s.setForeColor(static_cast<uint32_t>(gridColor_));
            s.Line(0, static_cast<float>(y), static_cast<float>(scaleWidth), static_cast<float>(y));
        }
        if (i == currentIndex_ && focusRectangle_) {
            s.setForeColor(0);
            const RECT frame{showIcon_ && !fullRowSelect_ ? iconColumnWidth_ : -1, y,
                             forms::roundToLong(scaleWidth + 1), forms::roundToLong(y + pitch + 1)};
            DrawFocusRect(s.hDC(), &frame);
        }
    }
    const float bottom = static_cast<float>(forms::roundToLong((last - top) * pitch));
    s.Line(0, bottom, static_cast<float>(scaleWidth), bottom);
    UserControl::Refresh();
}

void McListBox::DrawItemText(const std::wstring& text, long x, long y) {
    forms::Surface& s = surface();
    RECT rc{x + 5, forms::roundToLong((rowHeight_ - textHeightA()) / 2.0 + y),
            forms::roundToLong(s.ScaleWidth()), rowHeight_ + y};
    const UINT format = static_cast<UINT>(textAlignment_) & TextFormatMask;
    HDC dc = s.hDC();
    if (IsWinNT()) {
        DrawTextW(dc, text.c_str(), -1, &rc, format);
    } else {
        const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<std::size_t>(std::max(size, 1)), '\0');
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
        DrawTextA(dc, ansi.c_str(), -1, &rc, format);
    }
}

void McListBox::DrawItemIcon(const forms::StdPicture& picture, long x, long y, long width, long height) {
    forms::Surface& s = surface();
    if (strechIcon_) {
        s.PaintPicture(picture, static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                       static_cast<float>(height));
        return;
    }
    const long left = forms::roundToLong((width - picture.widthPixels()) / 2.0 + x);
    const long top = forms::roundToLong((height - picture.heightPixels()) / 2.0 + y);
    s.PaintPicture(picture, static_cast<float>(left), static_cast<float>(top));
}

bool McListBox::IsWinNT() {
    if (isNT_ < 0) {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        isNT_ = GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT ? 1 : 0;
#pragma GCC diagnostic pop
    }
    return isNT_ == 1;
}

} // namespace widgets
