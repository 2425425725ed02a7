// The list box's layout and painting.
#include "widgets/list_box/mc_list_box.h"

#include "platform/core/event_log.h"
#include "platform/forms/do_events.h"
#include "platform/forms/functions.h"
#include "platform/forms/surface.h"

namespace widgets {

namespace {

// Rows a page click scrolls; the vertical bar's page.
constexpr long PageRows = 5;
// SB_Max reads back as the maximum given plus the page, and the bar's last scroll position is that
// less the page, plus one: taking a page and one off the read-back leaves the last position at
// ListCount - visible rows.
constexpr long MaxReadBackExcess = PageRows + 1;

McListBox::ScreenHandOver screenHandOver = &forms::showWhatIsPainted;

} // namespace

McListBox::ScreenHandOver McListBox::setScreenHandOver(ScreenHandOver handOver) {
    ScreenHandOver was = screenHandOver;
    screenHandOver = handOver ? handOver : &forms::showWhatIsPainted;
    return was;
}

// What the handlers since the last paint asked of the bar and the rows reaches the window once, now.
// Under Wine a picture also reaches the screen at the end of every paint, and, when the thread last
// began to wait more than 50 ms before (a click or a key after a pause), in the middle of the
// platform's drawing of a scroll bar, which the paint's frame includes: the list would reach the
// screen in two pictures, the first with its bar half drawn (an arrow's corner over the old rows) or
// whole over the old rows. What is drawn when the paint begins is handed over first, which counts as
// that wait, so the frame and the rows reach the screen together, at the paint's end.
void McListBox::onPaint() {
    screenHandOver();
    bars_.showPending();
    paintIfDue();
}

void McListBox::Refresh() {
    core::bestEffort(L"McListBox layout", [this] {
        layoutRows();
        const long count = ListCount(), visible = cache_.visibleRows;
        if (count > visible) {
            bars_.SB_Visible(SB_VERT, true);
            bars_.SB_Enabled(SB_VERT, true);
            bars_.SB_Max(SB_VERT, count - visible);
            bars_.SB_Max(SB_VERT, bars_.SB_Max(SB_VERT) - MaxReadBackExcess);
            bars_.SB_SmallChange(SB_VERT, 1);
            bars_.SB_LargeChange(SB_VERT, PageRows);
        } else {
            bars_.SB_Value(SB_VERT, 0);
            bars_.SB_SmallChange(SB_VERT, 1);
            bars_.SB_LargeChange(SB_VERT, PageRows);
            if (look_.AutoHideScrollBars) {
                bars_.SB_Visible(SB_VERT, false);
                bars_.SB_Enabled(SB_VERT, true);
            } else {
                bars_.SB_Visible(SB_VERT, true);
                bars_.SB_Enabled(SB_VERT, false);
            }
        }
    });
    sortItems();
    redraw();
}

// Whole rows of RowHeight that fit, stretched to fill the height.
void McListBox::layoutRows() {
    const double height = surface().ScaleHeight();
    cache_.visibleRows = static_cast<long>(forms::Int(height / static_cast<double>(look_.RowHeight)));
    cache_.rowPitch = height / static_cast<double>(cache_.visibleRows);
}

// What a repaint changes besides the image happens at once; the image itself is drawn when the
// platform paints the window, so a handler that changes the list many times (a search empties it,
// fills it, refreshes it and selects a row) draws it once and the screen never shows a step between,
// and a repaint that would draw what the window shows already is left out. A window that is not on
// the screen gets no paint: its image is drawn at once.
void McListBox::redraw() {
    core::bestEffort(L"McListBox paint", [this] {
        clampIndex();
        addDesignSample();
        if (IsWindowVisible(hWnd())) {
            bars_.settle();
            if (cache_.paintDue || !shown_.known() || !(shown_ == imageNow())) {
                cache_.paintDue = true;
                InvalidateRect(hWnd(), nullptr, FALSE);
            }
        } else {
            // Not on the screen (its form still loading, or hidden): the bars take what was asked
            // of them now, so that the window's frame is right when it shows, and the rows are
            // drawn for the width they leave.
            bars_.showPending();
            cache_.paintDue = false;
            paintRows();
        }
        dropStalePopup();
    });
}

void McListBox::paintIfDue() {
    if (!cache_.paintDue) return;
    cache_.paintDue = false;
    core::bestEffort(L"McListBox paint", [this] { paintRows(); });
}

HDC McListBox::hDC() {
    paintIfDue();
    return UserControl::hDC();
}

// A sample row shows where the control is being placed on a form (not in one lower than a row).
void McListBox::addDesignSample() {
    if (Ambient().UserMode || !items_.empty() || cache_.visibleRows <= 0) return;
    items_.add({L"McListBox", -1, false});
    state_.selection.push_back(0);
}

float McListBox::textHeightA() {
    return surface().TextHeight(L"A");
}

ListBoxImage McListBox::imageNow() {
    const forms::Surface& s = surface();
    return ListBoxImage::of(look_, state_, cache_, items_, bars_.SB_Value(SB_VERT), s.widthPixels(),
                            s.heightPixels());
}

// Anything else drawn on the surface (through its DC, a resize) makes what it shows unknown.
void McListBox::UserControl_Initialize() {
    auto shown = surface().onChanged;
    surface().onChanged = [this, shown] {
        if (!drawingRows_) shown_ = {};
        if (shown) shown();
    };
}

void McListBox::paintRows() {
    shown_ = {};
    struct Drawing {
        bool& flag;
        explicit Drawing(bool& f) : flag(f) { flag = true; }
        ~Drawing() { flag = false; }
    } drawing(drawingRows_);
    forms::Surface& s = surface();
    s.Cls();
    cache_.iconColumnWidth = 0;
    clampIndex();
    // A control lower than one row shows only its background.
    if (cache_.visibleRows <= 0) return;
    cache_.rowPitch = s.ScaleHeight() / static_cast<double>(cache_.visibleRows);
    ListBoxPainter painter(s, look_, state_, cache_);
    painter.paint(items_, imageList_.get(), bars_.SB_Value(SB_VERT));
    shown_ = imageNow();
}

} // namespace widgets
