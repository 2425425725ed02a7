#pragma once
#include "platform/hook/dispatch.h"

#include <array>
#include <cstdint>
#include <vector>
#include <windows.h>

namespace widgets {

// The window hook carried by the list box and the tool bar: each hooked window gets its own
// 200-byte block of machine code (copied from a template and patched) that becomes the window's
// procedure and hands registered messages to the owner's hookMessage as a MessageFrame.
class SelfSubclass {
public:
    static constexpr long ALL_MESSAGES = -1;
    static constexpr long HookAfter = 1;
    static constexpr long HookBefore = 2;
    static constexpr std::size_t BlockSize = 200;

    // Offsets of the patched fields of a block.
    static constexpr std::size_t PatchRunState = 18, PatchPrevProc1 = 68, PatchSetWindowLong = 78,
                                 PatchBeforeTable = 88, PatchBeforeCount = 93, PatchPrevProc2 = 116,
                                 PatchCallWindowProc = 121, PatchAfterTable = 132, PatchAfterCount = 137,
                                 PatchObject = 186;
    // Displacement of the dispatching call into the object's table of operations.
    static constexpr std::size_t DispatchSlot = 1956;

    struct SubclassRecord {
        HWND WindowHandle = nullptr; // nullptr marks a free record
        std::uint8_t* CodeBlock = nullptr;
        LONG_PTR PrevWndProc = 0;
        long AfterCount = 0;
        long BeforeCount = 0;
        std::vector<long> AfterTable; // slot k is element k - 1
        std::vector<long> BeforeTable;
        bool Unicode = false; // installed with SetWindowLongW / CallWindowProcW
    };

    explicit SelfSubclass(hook::HookClient& client);
    ~SelfSubclass();
    SelfSubclass(const SelfSubclass&) = delete;
    SelfSubclass& operator=(const SelfSubclass&) = delete;

    // Hooks the window; the record index, or -1 when the window would not take the block.
    long sc_Subclass(HWND window);
    void sc_UnSubclass(HWND window);
    void sc_UnSubclassAll();
    void sc_AddMsg(HWND window, long message, long when = HookAfter);
    void sc_DelMsg(HWND window, long message, long when = HookAfter);
    // Whether the window is hooked, and whether its hook hands this message to the client at the
    // given time.
    bool isHooked(HWND window) const { return recordOf(window) != nullptr; }
    bool carries(HWND window, long message, long when = HookAfter) const;

    bool TrackAvailable = false;
    bool TrackInUser32 = false;
    // The start of every control that hooks: finds where TrackMouseEvent lives. False when neither
    // user32 nor comctl32 has it; the control then hooks nothing.
    bool startTracking();
    void TrackMouseLeave(HWND window) const;

    const std::array<std::uint8_t, BlockSize>& CodeTemplate() const { return template_; }
    const std::vector<SubclassRecord>& SubclassRecords() const { return records_; }

private:
    void addMessage(long message, std::vector<long>& table, long& count, long when, std::uint8_t* block);
    void deleteMessage(long message, std::vector<long>& table, long& count, long when, std::uint8_t* block);
    // The record of a window (free: the highest free record instead), or -1.
    long findRecord(HWND window, bool free) const;
    using TableChange = void (SelfSubclass::*)(long, std::vector<long>&, long&, long, std::uint8_t*);
    void changeTables(HWND window, long message, long when, TableChange change);
    SubclassRecord* recordOf(HWND window);
    const SubclassRecord* recordOf(HWND window) const;
    static std::uintptr_t procAddress(const char* module, const char* function);
    static void patchLong(std::uint8_t* block, std::size_t offset, std::uint32_t value);
    static void patchCall(std::uint8_t* block, std::size_t offset, std::uintptr_t target);

    hook::DispatchRecord dispatch_;
    std::array<std::uint8_t, BlockSize> template_{};
    std::vector<SubclassRecord> records_;
    std::uintptr_t callWindowProcA_ = 0, callWindowProcW_ = 0;
    std::uintptr_t setWindowLongA_ = 0, setWindowLongW_ = 0;
};

// The template's bytes, decoded from its hexadecimal text.
std::array<std::uint8_t, SelfSubclass::BlockSize> decodeHookTemplate();

// Bits 16-31 and 0-15 of a 32-bit value, as unsigned numbers 0-65535.
inline long HiWord(long value) {
    return static_cast<long>((static_cast<std::uint32_t>(value) >> 16) & 0xFFFF);
}
inline long LoWord(long value) {
    return static_cast<long>(static_cast<std::uint32_t>(value) & 0xFFFF);
}

} // namespace widgets
