#pragma once
#include <windows.h>

namespace widgets {

// The list box's one way to its window's scroll bars: standard bars of user32 or the flat bars of
// comctl32, chosen anew on every call. It keeps the line step, which the window does not.
// Bar codes: 0 horizontal, 1 vertical.
class ScrollBarLayer {
public:
    // Finds a flat scroll-bar function of the common-controls library by name (0 when absent).
    // mingw's import library lacks them, so they are always bound at run time.
    using Resolver = FARPROC (*)(const char* name);
    static FARPROC commonControlsResolver(const char* name);

    explicit ScrollBarLayer(Resolver resolver = &commonControlsResolver);
    ~ScrollBarLayer();
    ScrollBarLayer(const ScrollBarLayer&) = delete;
    ScrollBarLayer& operator=(const ScrollBarLayer&) = delete;

    HWND ScrollWindow = nullptr;
    bool UseStandardBars = true;
    long SmallChangeH = 0, SmallChangeV = 0;
    bool VisibleH = false, VisibleV = false;
    long FlatStyle = 0;

    void SB_Create(HWND window);
    void SB_Init();
    void SB_Destroy();

    bool SB_Visible(long bar) const { return bar == SB_HORZ ? VisibleH : VisibleV; }
    void SB_Visible(long bar, bool visible);
    void SB_Enabled(long bar, bool enabled);
    long SB_SmallChange(long bar) const { return bar == SB_HORZ ? SmallChangeH : SmallChangeV; }
    void SB_SmallChange(long bar, long value);

    void SB_GetInfo(long bar, SCROLLINFO& info, UINT mask);
    void SB_SetInfo(long bar, SCROLLINFO& info, UINT mask);

    long SB_Min(long bar);
    long SB_Max(long bar);
    void SB_Max(long bar, long value);
    long SB_Value(long bar);
    void SB_Value(long bar, long value);
    long SB_LargeChange(long bar);
    void SB_LargeChange(long bar, long value);

private:
    template <typename Fn>
    Fn flat(const char* name);

    Resolver resolver_;
};

} // namespace widgets
