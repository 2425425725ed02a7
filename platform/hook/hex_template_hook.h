// The window hook of the list box and the tool bar under the routine names and when-flags those
// controls use: the hook engine with the hex-template block layout. Every registered message reaches
// the owner's hookMessage as a MessageFrame; the routines report nothing.
#pragma once
#include "platform/hook/dispatch.h"
#include "platform/hook/hook_engine.h"

#include <cstdint>
#include <vector>
#include <windows.h>

namespace hook {

class HexTemplateHook {
public:
    // The when-flags of sc_AddMsg and sc_DelMsg; 3 means both.
    static constexpr long HookAfter = 1;
    static constexpr long HookBefore = 2;

    explicit HexTemplateHook(HookClient& client);
    ~HexTemplateHook();
    HexTemplateHook(const HexTemplateHook&) = delete;
    HexTemplateHook& operator=(const HexTemplateHook&) = delete;

    // Hooks the window; the record index, or -1 when the window would not take the block.
    long sc_Subclass(HWND window);
    void sc_UnSubclass(HWND window);
    void sc_UnSubclassAll();
    // The before table first, then the after table, as the when-flags ask; windows not hooked are
    // left alone.
    void sc_AddMsg(HWND window, long message, long when = HookAfter);
    void sc_DelMsg(HWND window, long message, long when = HookAfter);
    // Whether the window is hooked, and whether its hook hands this message to the client at the
    // given time.
    bool isHooked(HWND window) const { return engine_.recordOf(window) != nullptr; }
    bool carries(HWND window, long message, long when = HookAfter) const;

    bool TrackAvailable = false;
    bool TrackInUser32 = false;
    // The start of every control that hooks: finds where TrackMouseEvent lives. False when neither
    // user32 nor comctl32 has it; the control then hooks nothing.
    bool startTracking();
    void TrackMouseLeave(HWND window) const;

    // The template (empty until the first hook) and the records (free ones included).
    const std::vector<std::uint8_t>& CodeTemplate() const { return engine_.codeTemplate(); }
    const std::vector<SubclassRecord>& SubclassRecords() const { return engine_.records(); }

private:
    HookEngine engine_;
};

// Bits 16-31 and 0-15 of a 32-bit value, as unsigned numbers 0-65535.
inline long HiWord(long value) {
    return static_cast<long>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFF);
}
inline long LoWord(long value) {
    return static_cast<long>(static_cast<std::uint32_t>(value) & 0xFFFF);
}

} // namespace hook
