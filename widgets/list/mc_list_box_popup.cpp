// The pop-up that shows the whole text of a row cut at the list's right edge.
#include "widgets/list/mc_list_box.h"

#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "platform/forms/functions.h"
#include "widgets/list/list_text.h"

#include <algorithm>

namespace widgets {

void McListBox::CreateCompletePopup() {
    if (PicComplete) return;
    HWND w = hWnd();
    HWND form = w ? GetAncestor(w, GA_ROOT) : nullptr;
    PicComplete = std::make_unique<CompletePopup>(form);
}

void McListBox::hideCompletePopup() {
    if (PicComplete) PicComplete->hide();
    popupRow_ = -100;
}

// The rows moved or changed under a shown pop-up (keys, a new search, a sort): it would show an item
// that is no longer on its row, and resting on that row would never mend it.
void McListBox::dropStalePopup() {
    if (popupRow_ == -100) return;
    const long index = bars_.SB_Value(SB_VERT) + popupRow_ - 1;
    if (!items_.has(index) || items_.at(index).text != popupText_ || items_.at(index).bold != popupBold_)
        hideCompletePopup();
}

void McListBox::ShowCompletePopup(long row) {
    if (!PicComplete || !PicComplete->hWnd()) return;
    try {
        forms::Surface& s = surface();
        const long top = bars_.SB_Value(SB_VERT);
        const ListItem& item = items_.at(top + row - 1);
        const std::wstring text = item.text;
        useFont(item.bold);
        if (!drawFont_) return;
        const long width = forms::roundToLong(s.TextWidth(text));
        if (s.ScaleWidth() - iconColumnWidth_ > width) {
            hideCompletePopup();
            return;
        }
        if (row == popupRow_ && text == popupText_ && item.bold == popupBold_) return;

        const double pitch = rowPitch();
        long topMargin = forms::roundToLong((pitch - textHeightA()) / 2 - 2);

        forms::Surface& box = PicComplete->surface();
        box.setFont((item.bold ? drawFontBold_ : drawFont_)->clone());
        box.Cls();

        RECT rect;
        GetWindowRect(hWnd(), &rect);
        const long avail = forms::Screen::pixelWidth() - (rect.left + iconColumnWidth_);
        const long left = rect.left + iconColumnWidth_ + 2;
        const long boxTop = static_cast<long>(forms::Int((row - 1) * pitch + rect.top + 3));
        std::wstring shown = text;
        if (avail < width) {
            // A line must hold any one character, or the wrapping makes empty lines.
            float widest = 0;
            for (wchar_t ch : text) widest = std::max(widest, box.TextWidth(std::wstring(1, ch)));
            if (widest >= static_cast<float>(avail - 15)) {
                hideCompletePopup();
                return;
            }
            const auto lines = widgets::SplitToLines(
                text, avail - 15, true, [&box](const std::wstring& t) { return box.TextWidth(t); });
            shown.clear();
            for (std::size_t i = 0; i < lines.size(); ++i) shown += (i ? L"\r\n" : L"") + lines[i];
            const long height = forms::roundToLong(box.TextHeight(shown));
            topMargin = height < pitch ? forms::roundToLong((pitch - height) / 2 - 2) : 5;
            PicComplete->Move(left, boxTop, avail - 10, height + 10);
        } else {
            PicComplete->Move(left, boxTop, width + 12, forms::roundToLong(pitch - 1));
        }
        box.Cls();
        RECT area{5, topMargin, forms::roundToLong(PicComplete->ScaleWidth()),
                  forms::roundToLong(PicComplete->ScaleHeight())};
        HDC dc = box.hDC();
        DrawTextW(dc, shown.c_str(), -1, &area, 0);
        PicComplete->show();
        popupRow_ = row;
        popupText_ = text;
        popupBold_ = item.bold;
    } catch (...) {
        hideCompletePopup();
    }
}

} // namespace widgets
