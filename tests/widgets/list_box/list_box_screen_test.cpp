// What reaches the screen when a handler changes a list as a search does (Clear, AddItem..., Refresh,
// ListIndex): nothing while it runs, not even the scroll bar, then one paint, which shows what the
// same steps showed when each reached the screen at once, the scroll bar included.
#include "list_box_test_support.h"

#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "support/message_recorder.h"
#include "support/screenshot.h"

#include <functional>
#include <vector>

namespace {

using namespace listtest;

// The main window's lists as stored with their form, 200 x 100 pixels: four rows fit.
std::shared_ptr<widgets::McListBox> storedList(forms::Form& form, const wchar_t* name, int top) {
    forms::PropertyBag bag{{L"SortOrder", -1L},
                           {L"FocusRectangle", false},
                           {L"AutoHideScrollBars", true},
                           {L"BorderStyle", int16_t{0}}};
    auto l = forms::makeControl<widgets::McListBox>();
    l->place(form, name, -1, 150, top * 15, 3000, 1500);
    l->readStored(bag);
    return l;
}

void fill(widgets::McListBox& l, int count) {
    for (int i = 0; i < count; ++i) l.AddItem(L"word " + std::to_wstring(i * 37 % 101));
}

SCROLLINFO scrollState(HWND w) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(w, SB_VERT, &info);
    return info;
}

// Pixels that differ between what two windows show.
long differingPixels(HWND a, HWND b) {
    const auto x = testsupport::captureWindows({a}), y = testsupport::captureWindows({b});
    if (x.w != y.w || x.h != y.h) return -1;
    long n = 0;
    for (size_t i = 0; i < x.px.size(); ++i) n += x.px[i] != y.px[i];
    return n;
}

TEST(ListBoxScreen, ASearchReachesTheScreenOnceAndEndsAsStepByStep) {
    auto form = std::make_shared<ListForm>();
    form->Show();
    struct Case {
        int before, after, select;
    };
    const Case cases[] = {
        {3, 2, 1},   // fits, and fits again
        {30, 12, 5}, // needs the bar, and again (the old list scrolled to its end)
        {3, 20, 0},  // the bar comes
        {25, 3, 2},  // the bar goes
        {12, 0, -1}, // emptied
    };
    for (const Case& c : cases) {
        // The same handler twice: in one go, and with the screen brought up to date after each step
        // (as every step reached it before).
        std::shared_ptr<widgets::McListBox> lists[2] = {storedList(*form, L"once", 10),
                                                        storedList(*form, L"steps", 120)};
        for (auto& l : lists) {
            fill(*l, c.before);
            l->Refresh();
            SendMessageW(l->hWnd(), WM_VSCROLL, SB_BOTTOM, 0);
            forms::DoEvents();
        }
        testsupport::MessageRecorder seen(lists[0]->hWnd());
        for (auto& l : lists) {
            const bool stepwise = &l == &lists[1];
            auto step = [&] {
                if (stepwise) forms::DoEvents();
            };
            l->Clear();
            step();
            fill(*l, c.after);
            l->Refresh();
            step();
            if (c.select >= 0) l->setListIndex(c.select);
            if (!stepwise) {
                EXPECT_EQ(seen.count(WM_PAINT) + seen.count(WM_NCPAINT), 0u) << c.before << " -> " << c.after;
            }
        }
        forms::DoEvents();
        EXPECT_EQ(seen.count(WM_PAINT), 1u) << c.before << " -> " << c.after;

        const SCROLLINFO a = scrollState(lists[0]->hWnd()), b = scrollState(lists[1]->hWnd());
        EXPECT_EQ(lists[0]->scrollBars().windowShows(SB_VERT), c.after > lists[0]->visibleRowCount());
        EXPECT_EQ(lists[1]->scrollBars().windowShows(SB_VERT), c.after > lists[0]->visibleRowCount());
        EXPECT_TRUE(a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos)
            << c.before << " -> " << c.after << ": " << a.nMax << "/" << a.nPage << "/" << a.nPos
            << " against " << b.nMax << "/" << b.nPage << "/" << b.nPos;
        EXPECT_EQ(differingPixels(lists[0]->hWnd(), lists[1]->hWnd()), 0) << c.before << " -> " << c.after;
    }
    form->Unload();
}

// What the list's paint hands to the screen before it draws anything: the window as the handler left
// it, the old list whole, frame included, and the first paint message of the change still to come.
struct HandOver {
    static inline HWND window = nullptr;
    static inline testsupport::MessageRecorder* seen = nullptr;
    static inline std::vector<testsupport::Shot> shown;
    static inline std::vector<size_t> framesDrawn;
    static void record() {
        shown.push_back(testsupport::captureWindows({window}));
        framesDrawn.push_back(seen->count(WM_NCPAINT));
    }
};

// Under Wine a picture reaches the screen in the middle of the drawing of a scroll bar when the
// program last began to wait long before (a quick click, a key after a pause): a list that gets or
// keeps its bar would show it half drawn over the old rows, or whole before them. Each paint of a
// change first hands over what is drawn, while the window still shows the old list whole; then the
// frame and the rows are drawn.
TEST(ListBoxScreen, APaintHandsOverWhatIsDrawnBeforeItDrawsTheFrameAndRows) {
    auto form = std::make_shared<ListForm>();
    form->Show();
    struct Case {
        int before, after;
    };
    const Case cases[] = {{3, 20}, {25, 3}, {30, 12}, {3, 2}, {12, 0}};
    for (const Case& c : cases) {
        auto list = storedList(*form, L"list", 10);
        fill(*list, c.before);
        list->Refresh();
        SendMessageW(list->hWnd(), WM_VSCROLL, SB_BOTTOM, 0);
        forms::DoEvents();
        const testsupport::Shot old = testsupport::captureWindows({list->hWnd()});
        testsupport::MessageRecorder seen(list->hWnd());
        HandOver::window = list->hWnd();
        HandOver::seen = &seen;
        HandOver::shown.clear();
        HandOver::framesDrawn.clear();
        const auto real = widgets::McListBox::setScreenHandOver(&HandOver::record);
        // As a click on a headword fills the translations.
        list->Clear();
        fill(*list, c.after);
        list->Refresh();
        forms::DoEvents();
        widgets::McListBox::setScreenHandOver(real);
        ASSERT_EQ(HandOver::shown.size(), seen.count(WM_PAINT)) << c.before << " -> " << c.after;
        ASSERT_EQ(HandOver::shown.size(), 1u) << c.before << " -> " << c.after;
        EXPECT_TRUE(HandOver::shown[0].px == old.px) << c.before << " -> " << c.after;
        EXPECT_EQ(HandOver::framesDrawn[0], 0u) << c.before << " -> " << c.after;
        EXPECT_EQ(list->scrollBars().windowShows(SB_VERT), c.after > list->visibleRowCount())
            << c.before << " -> " << c.after;
    }
    form->Unload();
}

// A repaint that would draw what the window shows already is left out; whatever changes the rows
// is drawn, and what the screen then shows is what a paint from scratch shows.
TEST(ListBoxScreen, OnlyARepaintThatChangesSomethingReachesTheScreen) {
    auto form = std::make_shared<ListForm>();
    form->Show();
    auto list = storedList(*form, L"list", 10);
    fill(*list, 20);
    list->Refresh();
    forms::DoEvents();
    struct Case {
        const char* what;
        std::function<void(widgets::McListBox&)> change;
        bool paints;
    };
    const Case cases[] = {
        {"a refresh of the unchanged list", [](widgets::McListBox& l) { l.Refresh(); }, false},
        {"a row's text, then a refresh", [](widgets::McListBox& l) { l.setList(1, L"changed"), l.Refresh(); },
         true},
        {"a row made bold", [](widgets::McListBox& l) { l.setListBold(2, true); }, true},
        {"another current row", [](widgets::McListBox& l) { l.setListIndex(3); }, true},
        {"the same current row", [](widgets::McListBox& l) { l.setListIndex(3); }, false},
        {"a scroll", [](widgets::McListBox& l) { SendMessageW(l.hWnd(), WM_VSCROLL, SB_LINEDOWN, 0); }, true},
        {"a colour", [](widgets::McListBox& l) { l.setSelColor(0x3050D0); }, true},
        {"the font changed in place, then a refresh",
         [](widgets::McListBox& l) { l.Font()->setItalic(true), l.Refresh(); }, true},
        {"the focus, then a refresh",
         [](widgets::McListBox& l) {
             SetFocus(l.hWnd());
             l.Refresh();
         },
         true},
        {"a drawing on its DC, then a refresh",
         [](widgets::McListBox& l) {
             PatBlt(l.hDC(), 0, 0, 20, 20, BLACKNESS);
             l.Refresh();
         },
         true},
    };
    for (const Case& c : cases) {
        testsupport::MessageRecorder seen(list->hWnd());
        c.change(*list);
        forms::DoEvents();
        EXPECT_EQ(seen.count(WM_PAINT) > 0, c.paints) << c.what;
        const auto shown = testsupport::captureWindows({list->hWnd()}).px;
        // Anything drawn through the DC makes the list paint afresh.
        list->hDC();
        list->Refresh();
        forms::DoEvents();
        EXPECT_TRUE(shown == testsupport::captureWindows({list->hWnd()}).px) << c.what;
    }
    form->Unload();
}

} // namespace
