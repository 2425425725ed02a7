#include "widgets/menu/menu_kdq_paint.h"

#include "platform/forms/functions.h"
#include "widgets/shared/color_ramp.h"
#include "widgets/shared/gdi_helpers.h"

namespace widgets {

namespace {

constexpr COLORREF kBackground = RGB(235, 233, 237);
constexpr COLORREF kBarTop = RGB(166, 167, 170);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kDropTop = RGB(51, 94, 168);
constexpr COLORREF kGrey = RGB(167, 166, 170);

// Drop-down items leave room for the check box before their text.
constexpr int kTextMargin = 23;
constexpr int kBoxLeft = 4;
constexpr int kBoxSize = 13;
constexpr int kLineInset = 5;
constexpr int kSeparatorOverhang = 40;
constexpr int kTitleGap = 2;
constexpr int kTitleHeight = 11;
constexpr wchar_t kTitleFace[] = L"Tahoma";
constexpr UINT kTextFlags = DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;
constexpr std::wstring_view kSeparatorMarker = L"[sep]";

} // namespace

HFONT MenuGdiCache::font(int height, const std::wstring& face) {
    auto& slot = fonts_[{height, face}];
    if (!slot)
        slot.reset(
            CreateFontW(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, face.c_str()));
    return slot.get();
}

HPEN MenuGdiCache::pen(COLORREF color) {
    auto& slot = pens_[color];
    if (!slot) slot.reset(CreatePen(PS_SOLID, 1, color));
    return slot.get();
}

HBRUSH MenuGdiCache::brush(COLORREF color) {
    auto& slot = brushes_[color];
    if (!slot) slot.reset(CreateSolidBrush(color));
    return slot.get();
}

void MenuGdiCache::clear() {
    fonts_.clear();
    pens_.clear();
    brushes_.clear();
}

bool IsSeparator(std::wstring_view caption) {
    return forms::LCase(std::wstring(caption.substr(0, kSeparatorMarker.size()))) == kSeparatorMarker;
}

std::wstring CaptionText(const std::wstring& caption) {
    const size_t tab = caption.find(L'\t');
    return tab == std::wstring::npos ? caption : caption.substr(0, tab);
}

std::wstring ShortcutText(const std::wstring& caption) {
    const size_t tab = caption.rfind(L'\t');
    return tab == std::wstring::npos ? std::wstring() : caption.substr(tab + 1);
}

void MenuPainter::DrawRectangle(const RECT& rc, COLORREF pen, COLORREF fill) {
    forms::ScopedSelect p(dc_, cache_.pen(pen)), b(dc_, cache_.brush(fill));
    Rectangle(dc_, rc.left, rc.top, rc.right, rc.bottom);
}

void MenuPainter::DrawLine(int x1, int y1, int x2, int y2, COLORREF color) {
    forms::ScopedSelect p(dc_, cache_.pen(color));
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void MenuPainter::DrawGradient(const RECT& rc, COLORREF c1, COLORREF c2) {
    const int n = rc.bottom - rc.top - 1;
    Ramp ramp;
    GradientColors(c1, c2, std::int16_t(n), ramp);
    for (int i = 0; i <= n && size_t(i) < ramp.size(); ++i)
        hline(rc.left, rc.right, rc.top + i, ramp[size_t(i)]);
}

void MenuPainter::DrawGradientMulti(const RECT& rc, COLORREF c1, COLORREF c2) {
    const int height = rc.bottom - rc.top;
    Ramp ramp;
    MultiGradientColors({c1, c2, c1}, height, ramp);
    for (int i = 0; i < height && size_t(i) < ramp.size(); ++i)
        hline(rc.left, rc.right, rc.top + i, ramp[size_t(i)]);
}

void MenuPainter::DrawItemText(RECT rc, const std::wstring& text, COLORREF color, UINT format) {
    const COLORREF previous = SetTextColor(dc_, color);
    forms::ScopedSelect f(dc_, cache_.font(font_.height, font_.name));
    DrawTextExW(dc_, const_cast<wchar_t*>(text.c_str()), int(text.size()), &rc, format | kTextFlags, nullptr);
    SetTextColor(dc_, previous);
}

void MenuPainter::drawCheckBox(const RECT& rc) {
    const int l = rc.left + kBoxLeft, t = rc.top + (rc.bottom - rc.top - kBoxSize) / 2;
    DrawLine(l, t, l + kBoxSize, t, kGrey);
    DrawLine(l, t, l, t + kBoxSize, kGrey);
    DrawLine(l + kBoxSize, t, l + kBoxSize, t + kBoxSize + 1, kWhite);
    DrawLine(l, t + kBoxSize, l + kBoxSize + 1, t + kBoxSize, kWhite);
    DrawLine(l + 3, t + 5, l + 3, t + 8, kBlack);
    DrawLine(l + 4, t + 6, l + 4, t + 9, kBlack);
    for (int k = 0; k <= 4; ++k) DrawLine(l + 5 + k, t + 7 - k, l + 5 + k, t + 10 - k, kBlack);
}

void MenuPainter::drawSeparator(RECT rc, const std::wstring& title, COLORREF textColor, int menuWidth) {
    const int y = rc.top + (rc.bottom - rc.top) / 2;
    if (title.empty()) {
        DrawLine(kLineInset, y, menuWidth + kSeparatorOverhang, y, kBlack);
        DrawLine(kLineInset, y + 1, menuWidth + kSeparatorOverhang, y + 1, kWhite);
        return;
    }
    // The title has a font of its own; the item font stays as the settings hold it.
    MenuPainter titled(dc_, cache_, {kTitleHeight, kTitleFace});
    ShiftRect(rc, 1);
    titled.DrawItemText(rc, title, kWhite, DT_CENTER);
    ShiftRect(rc, -1);
    titled.DrawItemText(rc, title, textColor, DT_CENTER);
    int w = 0;
    {
        forms::ScopedSelect f(dc_, cache_.font(kTitleHeight, kTitleFace));
        w = TextWidthW(dc_, title);
    }
    const int leftEnd = rc.left + (rc.right - rc.left - w) / 2 - kTitleGap;
    const int rightStart = rc.left + (rc.right - rc.left) / 2 + w / 2 + kTitleGap;
    for (auto [offset, color] : {std::pair{0, kBlack}, {1, kWhite}}) {
        DrawLine(kLineInset, y + offset, leftEnd, y + offset, color);
        DrawLine(rightStart, y + offset, rc.right - kLineInset, y + offset, color);
    }
}

void MenuPainter::DrawMenuItem(const DRAWITEMSTRUCT& record, const std::wstring& caption, int menuWidth) {
    RECT rc = record.rcItem;
    const bool bar = record.itemData % 1000 == 0;
    const UINT state = record.itemState;
    const int previousMode = SetBkMode(dc_, TRANSPARENT);
    DrawRectangle(rc, kBackground, kBackground);
    COLORREF textColor = kBlack;
    UINT format = 0;
    if (bar) {
        // A bar item marked as a separator keeps only its background.
        if (IsSeparator(caption)) {
            SetBkMode(dc_, previousMode);
            return;
        }
        if (state & ODS_SELECTED) {
            DrawGradient(rc, kBarTop, kWhite);
            DrawEdge(dc_, &rc, BDR_SUNKENOUTER, BF_RECT);
            ShiftRect(rc, 1);
        } else if (state & ODS_HOTLIGHT) {
            DrawGradientMulti(rc, kBarTop, kWhite);
            DrawEdge(dc_, &rc, BDR_RAISEDINNER, BF_RECT);
        }
        ShiftRect(rc, 1);
        DrawItemText(rc, CaptionText(caption), kWhite, DT_CENTER);
        ShiftRect(rc, -1);
        format = DT_CENTER;
    } else {
        if (state & ODS_DISABLED) {
            if (!IsSeparator(caption)) {
                textColor = kGrey;
                rc.left += kTextMargin;
                ShiftRect(rc, 1);
                DrawItemText(rc, CaptionText(caption), kWhite, 0);
                rc.left -= kTextMargin;
                ShiftRect(rc, -1);
            }
        } else if (state & ODS_SELECTED) {
            DrawGradient(rc, kDropTop, kWhite);
            ShiftRect(rc, 1);
            rc.left += kTextMargin;
            DrawItemText(rc, CaptionText(caption), kBlack, 0);
            rc.left -= kTextMargin;
            ShiftRect(rc, -1);
            textColor = kWhite;
        }
        if (state & ODS_CHECKED) drawCheckBox(rc);
        rc.left += kTextMargin;
        format = 0;
    }
    if (IsSeparator(caption)) {
        rc.left -= kTextMargin;
        drawSeparator(rc, caption.substr(kSeparatorMarker.size()), textColor, menuWidth);
    } else {
        DrawItemText(rc, CaptionText(caption), textColor, format);
        rc.right = rc.left + menuWidth;
        DrawItemText(rc, ShortcutText(caption), textColor, DT_RIGHT);
    }
    SetBkMode(dc_, previousMode);
}

} // namespace widgets
