// The combo box's input: opening and closing the drop-down list, the mouse and keys in it, the
// hover look of the closed combo and the text typed into the edit box.
#include "widgets/combo_box/s_combo_box.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/message_frame.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/controls/vscroll_bar.h"
#include "platform/forms/form.h"
#include "platform/forms/screen.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

namespace widgets {

namespace {

constexpr int RowPixels = 20;       // a list row, for hit-testing
constexpr int RowTwips = 300;       // a list row, for the list's height
constexpr int EmptyListTwips = 240; // the height of a list without items
constexpr int ListGapTwips = 21;    // between the closed combo and the list
constexpr int ArrowZone = 18;       // the rightmost pixels of the closed combo
constexpr int ScrollBarWidth = 17;
constexpr int ScrollBarRight = 18; // from the list's right inner edge
constexpr auto PressedShown = std::chrono::milliseconds(90);
constexpr long OwnColoursScheme = 7;
constexpr int DeleteKey = VK_DELETE;
constexpr int BackspaceKey = VK_BACK;

// The combo whose list is open; the mouse hook closes it on a press elsewhere.
thread_local SComboBox* t_openCombo = nullptr;
thread_local HHOOK t_mouseHook = nullptr;

bool inside(const RECT& r, POINT p) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

} // namespace

bool SComboBox::listVisible() const {
    return picList_ && picList_->Visible();
}

long SComboBox::scrollMaximum() {
    return std::max(0L, MaxListLength() - NumberItemsToShow());
}

// Where the open list starts: the old rule when it shows the selected item, else that item on top.
long SComboBox::openingScroll(long selected, long maximum) {
    const long rows = NumberItemsToShow();
    long v = 0;
    if (selected > 1 && selected < maximum && items_.count() > rows)
        v = rows < selected - 1 ? std::labs(maximum - rows) : 1;
    else if (selected > maximum)
        v = maximum;
    if (selected >= 1 && !(selected > v && selected <= v + rows)) v = std::min(selected - 1, maximum);
    return std::clamp(v, 0L, maximum);
}

void SComboBox::openList() {
    createList();
    if (!picList_ || !scrollI_) return;
    listOpen_ = true;
    state_.hot = -1;
    const long selected = ListIndex();
    state_.cursor = selected;
    const long rows = NumberItemsToShow();
    const long count = items_.count();
    const long maximum = scrollMaximum();
    state_.scroll = openingScroll(selected, maximum);
    state_.listDrawn = false;
    stopHoverTimer();

    const int height = forms::Screen::twipsToPixelsY(count > rows ? static_cast<double>(rows) * RowTwips
                                                     : count > 0  ? static_cast<double>(count) * RowTwips
                                                                  : EmptyListTwips);
    RECT window;
    GetWindowRect(hWnd(), &window);
    const int gap = forms::Screen::twipsToPixelsY(ListGapTwips);
    const int top = look_.ListPositionShow == ListAbove ? window.top - gap - height : window.bottom + gap;
    const int width = window.right - window.left;
    picList_->Move(window.left, top, width, std::max(1, height));

    scrollI_->setMax(static_cast<int>(maximum));
    scrollI_->setValue(static_cast<int>(state_.scroll));
    scrollI_->Move(width - ScrollBarRight, 1, ScrollBarWidth, std::max(1, height - 2));
    scrollI_->setLargeChange(static_cast<int>(std::max(1L, rows)));
    // A list that shows all its items needs no bar.
    scrollI_->setVisible(rows < MaxListLength() && count > rows);
    state_.listDrawn = false;

    DrawCombo(comboState::Pressed);
    // These two looks show the pressed button for a moment before going back to normal.
    if (look_.AppearanceCombo == comboAppearance::ClassicSunken ||
        (look_.AppearanceCombo == comboAppearance::Scheme && look_.XpAppearance == OwnColoursScheme))
        Wait();
    state_.selected = items_.find(look_.Text, itemMatch::Exact);
    DrawList();
    picList_->setVisible(true);
    SetWindowPos(picList_->hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (forms::Form* form = Parent()) {
        GetWindowRect(form->hWnd(), &openFormRect_);
        formWasActive_ = GetActiveWindow() == form->hWnd();
    }
    watchOutsidePresses(true);
    if (tmrFocus_) tmrFocus_->setEnabled(true);
}

// Hides the list; a paint state other than 0 then paints the closed combo.
void SComboBox::closeList(int paintState) {
    const bool wasOpen = listVisible();
    if (picList_ && wasOpen) picList_->setVisible(false);
    listOpen_ = false;
    watchOutsidePresses(false);
    if (paintState != 0) DrawCombo(paintState);
}

// The pressed button shows for a moment without letting other events run.
void SComboBox::Wait() {
    DrawCombo(comboState::Pressed);
    UpdateWindow(hWnd());
    const auto until = std::chrono::steady_clock::now() + PressedShown;
    while (std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    DrawCombo(comboState::Normal);
}

void SComboBox::UserControl_MouseDown(int Button, int, float, float) {
    if (Button == core::mouse::Left && !listVisible())
        openList();
    else
        closeList(comboState::Hot);
}

void SComboBox::UserControl_MouseMove(int, int, float, float) {
    if (!listVisible()) startHoverTimer();
}

void SComboBox::UserControl_MouseUp(int, int, float, float) {
    if (!listVisible()) startHoverTimer();
}

void SComboBox::UserControl_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void SComboBox::UserControl_ExitFocus() {
    Redraw();
    startHoverTimer();
}

void SComboBox::UserControl_Show() {
    Redraw();
}

void SComboBox::UserControl_KeyDown(int& KeyCode, int) {
    switch (KeyCode) {
    case VK_RETURN:
        if (listVisible()) closeList(comboState::Hot);
        return;
    case VK_F4:
        UserControl_MouseDown(core::mouse::Left, 0, 0, 0);
        return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_UP:
    case VK_DOWN:
        onListKey(KeyCode);
        return;
    default:
        return;
    }
}

// The keyboard cursor moves through the items; the scroll then keeps it in view.
void SComboBox::onListKey(int key) {
    const long k = NumberItemsToShow(), n = items_.count(), m = scrollMaximum();
    long& c = state_.cursor;
    long& v = state_.scroll;
    switch (key) {
    case VK_PRIOR:
        if (c > k) {
            c = std::max(1L, c - k - 1);
            v = v - k - 1 > 0 ? v - k - 1 : 0;
        } else {
            c = 1;
            v = 0;
        }
        break;
    case VK_NEXT:
        if (c < n) {
            c = std::min(c + k - 1, n);
            v = v + k - 1 < m ? v + k - 1 : m;
        } else {
            c = n;
            v = m;
        }
        break;
    case VK_END:
        c = n;
        v = m;
        break;
    case VK_HOME:
        c = 1;
        v = 0;
        break;
    case VK_UP:
        if (c > 1) --c;
        if (c - k < k && v > 0) --v;
        break;
    case VK_DOWN:
        if (c < n) ++c;
        if (c > k && v < m) ++v;
        break;
    }
    if (n == 0) {
        c = -1;
        v = 0;
    } else {
        c = std::clamp(c, 1L, n);
        if (c <= v) v = c - 1;
        if (c > v + k) v = c - k;
        v = std::clamp(v, 0L, m);
    }
    setScrollQuietly(v);
    onScrollChange();
}

// Moves the list's bar without its change notice repainting the list.
void SComboBox::setScrollQuietly(long value) {
    if (!scrollI_) return;
    const bool previous = std::exchange(settingScroll_, true);
    try {
        scrollI_->setValue(static_cast<int>(value));
    } catch (...) {
        settingScroll_ = previous;
        throw;
    }
    settingScroll_ = previous;
}

void SComboBox::onScrollChange() {
    if (settingScroll_) return;
    if (scrollI_) state_.scroll = scrollI_->Value();
    state_.listDrawn = true;
    state_.hot = std::labs(state_.cursor - 1);
    DrawList();
}

void SComboBox::onListMouseMove(float y) {
    state_.listDrawn = true;
    const long row = static_cast<long>(y / RowPixels);
    const long number = row + 1 + state_.scroll;
    const long previous = state_.hot;
    if (row >= 0 && number <= MaxListLength() && items_.count() > 0) {
        state_.cursor = number;
        if (items_.exists(number) && items_.at(number).enabled)
            state_.hot =
                std::min({state_.scroll + row, state_.scroll + MaxListLength() - 1, items_.count() - 1});
        else
            state_.hot = -1;
    } else {
        state_.hot = -1;
    }
    if (state_.hot >= 0 && state_.hot != previous) DrawList();
}

void SComboBox::onListClick() {
    long chosen = -1;
    core::bestEffort(L"SComboBox.picList_Click", [&] {
        if (state_.hot < 0) return;
        if (state_.hot + 1 > items_.count()) state_.hot = items_.count() - 1;
        if (!items_.exists(state_.hot + 1) || !items_.at(state_.hot + 1).enabled) return;
        chosen = SetListIndex(state_.hot + 1);
        closeList(comboState::Normal);
        startHoverTimer();
    });
    if (chosen >= 1) RaiseEvent(SelectionMade, look_.Text, chosen);
}

// --- Hover and the open list's watch

void SComboBox::startHoverTimer() {
    if (tmrFocus_ && !tmrFocus_->Enabled()) tmrFocus_->setEnabled(true);
}

void SComboBox::stopHoverTimer() {
    if (tmrFocus_ && tmrFocus_->Enabled()) tmrFocus_->setEnabled(false);
}

void SComboBox::onHoverTick() {
    if (listVisible()) {
        // The list closes when its form is hidden, minimised, moved or no longer active.
        forms::Form* form = Parent();
        if (!form) return;
        HWND window = form->hWnd();
        RECT now;
        GetWindowRect(window, &now);
        if (!IsWindowVisible(window) || IsIconic(window) || !EqualRect(&now, &openFormRect_) ||
            (formWasActive_ && GetActiveWindow() != window))
            closeList(comboState::Normal);
        return;
    }
    if (!look_.Enabled) {
        Redraw();
        return;
    }
    const bool over = IsMouseOver();
    if (over) {
        if (!state_.hover) DrawCombo(comboState::Hot);
        state_.hover = true;
        return;
    }
    if (state_.hover) DrawCombo(comboState::Normal);
    state_.hover = false;
    stopHoverTimer();
}

bool SComboBox::IsMouseOver() {
    POINT cursor;
    RECT window;
    if (!GetCursorPos(&cursor) || !GetWindowRect(hWnd(), &window)) return false;
    core::bestEffort(L"SComboBox.IsMouseOver", [&] {
        UserControl::setMousePointer(static_cast<int>(look_.MousePointer));
        const bool overArrow = cursor.x >= window.left + pixelWidth() - ArrowZone && cursor.x <= window.right;
        UserControl::setMouseIcon(overArrow ? look_.MouseIcon : nullptr);
    });
    return inside(window, cursor);
}

void SComboBox::watchOutsidePresses(bool on) {
    if (on) {
        t_openCombo = this;
        if (!t_mouseHook)
            t_mouseHook =
                SetWindowsHookExW(WH_MOUSE, &SComboBox::outsidePressHook, nullptr, GetCurrentThreadId());
    } else if (t_openCombo == this) {
        t_openCombo = nullptr;
        if (t_mouseHook) UnhookWindowsHookEx(std::exchange(t_mouseHook, nullptr));
    }
}

LRESULT CALLBACK SComboBox::outsidePressHook(int code, WPARAM wParam, LPARAM lParam) {
    core::HandlingMessage handling;
    const HHOOK hook = t_mouseHook;
    if (code == HC_ACTION && t_openCombo) {
        switch (wParam) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: {
            const POINT at = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
            core::bestEffort(L"SComboBox outside press", [&] { t_openCombo->onOutsidePress(at); });
            break;
        }
        default:
            break;
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

void SComboBox::onOutsidePress(POINT at) {
    RECT control, list;
    GetWindowRect(hWnd(), &control);
    GetWindowRect(picList_->hWnd(), &list);
    if (inside(control, at) || inside(list, at)) return;
    closeList(comboState::Normal);
}

void SComboBox::windowMessage(core::MessageFrame& m) {
    // While the list is open Enter closes it instead of pressing the form's default button.
    if (m.msg == WM_GETDLGCODE && listVisible()) m.answer(wantedKeys() | DLGC_WANTALLKEYS);
}

// --- Typed text

void SComboBox::onEditKeyDown(int& key, int shift) {
    state_.lastKey = key;
    if (key == VK_F4) UserControl_KeyDown(key, shift);
}

void SComboBox::onEditChange() {
    if (textWrite_ == TextWrite::Silent || !txtCombo_) return;
    core::bestEffort(L"SComboBox.txtCombo_Change", [&] {
        const std::wstring typed = txtCombo_->Text();
        if (textWrite_ == TextWrite::ExactMatch || !look_.AutoCompleteWord) {
            const long i = items_.find(typed, itemMatch::Exact);
            if (i < 1 || !items_.at(i).enabled) return;
            if (textWrite_ == TextWrite::ExactMatch)
                SetListIndex(i);
            else
                selectTyped(i);
            state_.scroll = i > NumberItemsToShow() ? scrollMaximum() : 0;
            setScrollQuietly(state_.scroll);
            onScrollChange();
            return;
        }
        const int start = txtCombo_->SelStart();
        if (state_.lastKey == BackspaceKey || state_.lastKey == DeleteKey) {
            const long i = items_.find(typed, itemMatch::Exact);
            if (i >= 1 && items_.at(i).enabled)
                selectTyped(i);
            else if (i < 1)
                state_.selected = -1;
            Redraw();
            txtCombo_->setSelStart(start);
            return;
        }
        const long i = items_.findPrefix(typed);
        if (i < 1) {
            state_.selected = -1;
            Redraw();
            return;
        }
        const std::wstring& item = items_.at(i).text;
        const std::wstring completed = typed + item.substr(typed.size());
        if (completed != typed) {
            setEditText(completed, TextWrite::Silent);
            txtCombo_->setSelStart(static_cast<int>(typed.size()));
            txtCombo_->setSelLength(static_cast<int>(completed.size() - typed.size()));
        }
        const long j = items_.find(completed, itemMatch::Exact);
        if (j < 1)
            state_.selected = -1;
        else if (items_.at(j).enabled)
            selectTyped(j);
        const int selStart = txtCombo_->SelStart(), selLength = txtCombo_->SelLength();
        Redraw();
        txtCombo_->setSelStart(selStart);
        txtCombo_->setSelLength(selLength);
    });
}

// Typing selects without changing the stored text.
void SComboBox::selectTyped(long number) {
    state_.selected = number;
    state_.hot = number - 1;
    state_.cursor = number;
}

} // namespace widgets
