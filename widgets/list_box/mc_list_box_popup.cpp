// The pop-up that shows the whole text of a row cut at the list's right edge.
#include "widgets/list_box/mc_list_box.h"

#include "platform/core/event_log.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "platform/forms/functions.h"
#include "widgets/shared/list_text.h"

#include <algorithm>

namespace widgets {

void McListBox::createCompletePopup() {
    if (popup_ || !loaded()) return;
    HWND window = hWnd();
    HWND form = window ? GetAncestor(window, GA_ROOT) : nullptr;
    popup_ = std::make_unique<CompletePopup>(form);
}

void McListBox::hideCompletePopup() {
    if (popup_) popup_->hide();
    state_.popupRow = NoPopupRow;
}

// The rows moved or changed under a shown pop-up (keys, a new search, a sort): it would show an item
// that is no longer on its row, and resting on that row would never mend it.
void McListBox::dropStalePopup() {
    if (state_.popupRow == NoPopupRow) return;
    const long index = bars_.SB_Value(SB_VERT) + state_.popupRow - 1;
    if (!items_.has(index) || items_.at(index).text != state_.popupText ||
        items_.at(index).bold != state_.popupBold)
        hideCompletePopup();
}

void McListBox::showCompletePopup(long row) {
    if (!loaded()) return;
    // A row without an item, or a failure, leaves the pop-up hidden.
    if (!items_.has(bars_.SB_Value(SB_VERT) + row - 1)) {
        hideCompletePopup();
        return;
    }
    const bool shown = core::bestEffort(L"McListBox pop-up", [&] {
        forms::Surface& s = surface();
        const long top = bars_.SB_Value(SB_VERT);
        const ListItem& item = items_.at(top + row - 1);
        const std::wstring text = item.text;
        useFont(item.bold);
        if (!cache_.drawFont) return;
        const long width = forms::roundToLong(s.TextWidth(text));
        if (s.ScaleWidth() - cache_.iconColumnWidth > width) {
            hideCompletePopup();
            return;
        }
        if (row == state_.popupRow && text == state_.popupText && item.bold == state_.popupBold) return;
        createCompletePopup();
        if (!popup_ || !popup_->hWnd()) return;

        const double pitch = rowPitch();
        long topMargin = forms::roundToLong((pitch - textHeightA()) / 2 - 2);

        forms::Surface& box = popup_->surface();
        box.setFont((item.bold ? cache_.drawFontBold : cache_.drawFont)->clone());
        box.Cls();

        RECT rect;
        GetWindowRect(hWnd(), &rect);
        const long avail = forms::Screen::pixelWidth() - (rect.left + cache_.iconColumnWidth);
        const long left = rect.left + cache_.iconColumnWidth + 2;
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
            popup_->Move(left, boxTop, avail - 10, height + 10);
        } else {
            popup_->Move(left, boxTop, width + 12, forms::roundToLong(pitch - 1));
        }
        box.Cls();
        RECT area{5, topMargin, forms::roundToLong(popup_->ScaleWidth()),
                  forms::roundToLong(popup_->ScaleHeight())};
        HDC dc = box.hDC();
        DrawTextW(dc, shown.c_str(), -1, &area, 0);
        popup_->show();
        state_.popupRow = row;
        state_.popupText = text;
        state_.popupBold = item.bold;
    });
    if (!shown) hideCompletePopup();
}

} // namespace widgets
