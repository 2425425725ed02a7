#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/core/late_bound.h"

#include <optional>

namespace widgets {

// The flat scroll-bar functions of the common-controls library. mingw's import library lacks them,
// so they are always bound at run time: a table made without values binds the library's (a test
// gives functions of its own, or nulls for a library without them).
struct FlatScrollBars {
    static constexpr const wchar_t* kLibrary = L"comctl32.dll";
    core::LateBound<decltype(::InitializeFlatSB)> initialize{kLibrary, "InitializeFlatSB"};
    core::LateBound<decltype(::UninitializeFlatSB)> uninitialize{kLibrary, "UninitializeFlatSB"};
    core::LateBound<decltype(::FlatSB_ShowScrollBar)> show{kLibrary, "FlatSB_ShowScrollBar"};
    core::LateBound<decltype(::FlatSB_EnableScrollBar)> enable{kLibrary, "FlatSB_EnableScrollBar"};
    core::LateBound<decltype(::FlatSB_GetScrollInfo)> getInfo{kLibrary, "FlatSB_GetScrollInfo"};
    core::LateBound<decltype(::FlatSB_SetScrollInfo)> setInfo{kLibrary, "FlatSB_SetScrollInfo"};
    core::LateBound<decltype(::FlatSB_SetScrollProp)> setProp{kLibrary, "FlatSB_SetScrollProp"};

    // The library's, bound (and the library loaded) at the first call.
    static const FlatScrollBars& commonControls();
};

// The list box's one way to its window's scroll bars: standard bars of user32 or the flat bars of
// comctl32, chosen anew on every call. It keeps the line step, which the window does not.
// Bar codes: 0 horizontal, 1 vertical.
//
// The window's bars are touched only when something really changes, and never redrawn per call:
// range, page and position go to the window at once without redrawing, and the frame is redrawn
// with the window's next paint when a bar looks other than it did; showing, hiding, enabling and
// disabling wait for that paint (showPending), so that a bar hidden and shown again by one handler
// never moves. A change of range or page first brings them over, since the window judges the
// range against what it shows, as it would have had each call reached it at once.
class ScrollBarLayer {
public:
    // Where the flat functions come from; asked only when one is needed, so that a layer of standard
    // bars loads nothing before its SB_Init.
    using FlatSource = const FlatScrollBars& (*)();

    explicit ScrollBarLayer(FlatSource flat = &FlatScrollBars::commonControls);
    ~ScrollBarLayer();
    ScrollBarLayer(const ScrollBarLayer&) = delete;
    ScrollBarLayer& operator=(const ScrollBarLayer&) = delete;

    HWND ScrollWindow = nullptr;
    bool UseStandardBars = true;
    long SmallChangeH = 0, SmallChangeV = 0;
    bool VisibleH = false, VisibleV = false;
    long FlatStyle = 0;

    void SB_Create(HWND window);
    // The window without SB_Init, which the owner of standard bars may leave until later: they call
    // no function of the flat library, whose initialisation loads it.
    void SB_Attach(HWND window);
    void SB_Init();
    bool SB_Initialised() const { return initialised_; }
    void SB_Destroy();

    bool SB_Visible(long bar) const { return bar == SB_HORZ ? VisibleH : VisibleV; }
    void SB_Visible(long bar, bool visible);
    void SB_Enabled(long bar, bool enabled);
    long SB_SmallChange(long bar) const { return bar == SB_HORZ ? SmallChangeH : SmallChangeV; }
    void SB_SmallChange(long bar, long value);

    void SB_GetInfo(long bar, SCROLLINFO& info, UINT mask);
    // Sends only when a field of the mask differs from the window's.
    void SB_SetInfo(long bar, SCROLLINFO& info, UINT mask);

    long SB_Min(long bar);
    long SB_Max(long bar);
    void SB_Max(long bar, long value);
    long SB_Value(long bar);
    void SB_Value(long bar, long value);
    long SB_LargeChange(long bar);
    void SB_LargeChange(long bar, long value);

    // Asks for the window's paint when what was asked of the bars since the last paint changes what
    // the screen shows: a bar to show or hide, to enable or disable, or one that no longer looks as
    // drawn (a range set and then set back does not). The owner calls it when it is done with the
    // bars: the list box with each repaint it asks for.
    void settle();
    // Gives the window the visibility and enabling asked for since its last paint, and redraws the
    // frame where a bar looks other than when drawn; the owner calls it when the window is about to
    // be painted, and when it changes the bars of a window not on the screen (a form still loading),
    // whose frame is then right before the form shows it.
    void showPending();
    // Whether the window shows the bar now (its scroll-bar style).
    bool windowShows(long bar) const;

private:
    bool initialised_ = false;
    const FlatScrollBars& flat() const { return flat_(); }
    struct Pending {
        std::optional<bool> visible, enabled;
    };
    struct BarLook {
        bool known = false;
        RECT bar{};
        int thumbTop = 0, thumbBottom = 0;
        DWORD states[CCHILDREN_SCROLLBAR + 1]{};
        bool operator==(const BarLook& other) const;
    };
    BarLook look(long bar) const;
    Pending& pending(long bar) { return pending_[bar == SB_HORZ ? 0 : 1]; }
    bool applyPending(long bar);
    void askForPaint();

    FlatSource flat_;
    Pending pending_[2];
    BarLook drawn_[2];            // as the bars were when the window was last painted
    bool sentSincePaint_ = false; // range, page or position sent to a shown bar
};

} // namespace widgets
