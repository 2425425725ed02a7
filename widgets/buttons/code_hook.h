// The window hook carried by the command button and the option/check box: every hooked window gets
// a block of memory holding a header, code assembled in memory, and two fixed tables of message
// numbers (before and after the window's previous procedure). The code hands the messages the tables
// name to the owner's zSubclass_Proc. One object per control instance; the two controls' copies
// differ only in their policy.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace widgets {

// The owner side of the hook. lUserData is the block's own user slot, so a change is kept for later
// messages; bHandled set in the before call keeps the message from the previous procedure.
class CodeHookClient {
public:
    virtual void zSubclass_Proc(bool bBefore, bool& bHandled, long& lReturn, HWND lng_hWnd, UINT uMsg,
                                WPARAM wParam, LPARAM lParam, long& lUserData) = 0;

protected:
    ~CodeHookClient() = default;
};

// Where a copy keeps things in its block. Slots 0 to 6 are the same in both copies.
struct CodeHookLayout {
    std::size_t headerSlots;
    std::size_t blockSize;
    std::size_t beforeTable; // byte offsets of the tables
    std::size_t afterTable;
    int slotIsBadCodePtr; // -1: the copy does not test the callback before calling it
    int slotOwner, slotPrevious, slotCallback, slotBefore, slotAfter, slotUser;

    std::size_t codeOffset() const { return headerSlots * 4; }
    std::size_t codeRoom() const { return beforeTable - codeOffset(); }
};

inline constexpr int SlotInUse = 0;   // calls into the previous procedure not yet returned
inline constexpr int SlotRelease = 1; // -1 once unhooked: the next outermost message releases
inline constexpr int SlotWindow = 2;
inline constexpr int SlotDesign = 3;       // stays 0: no design environment
inline constexpr int SlotCallPrevious = 4; // hook::callPreviousW / callPreviousA
inline constexpr int SlotReleaseRoutine = 5;
inline constexpr int SlotSetProcedure = 6; // SetWindowLongW / SetWindowLongA, as the window was hooked

inline constexpr std::size_t MSG_ENTRIES = 32;
inline constexpr long ALL_MESSAGES = -1;
inline constexpr long MSG_BEFORE = 1;
inline constexpr long MSG_AFTER = 2;

// The code of a block for a layout, and the offset (within the code) of the immediate that holds
// the block's own address.
struct HookCode {
    std::vector<std::uint8_t> bytes;
    std::size_t blockAddressAt = 0;
};
HookCode assembleHookCode(const CodeHookLayout& layout);

// The callback trampoline the blocks call. It counts as a window procedure of the run time: no
// exception reaches the machine code or user32, an unexpected error is reported and the message goes on.
extern "C" long __stdcall codeHookTrampoline(CodeHookClient* owner, long bBefore, long* bHandled,
                                             long* lReturn, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                             long* lUserData);

// The option/check box's copy: reports its failures, one callback for the instance.
struct OptionCheckHookPolicy {
    static constexpr CodeHookLayout layout{13, 512, 248, 380, -1, 7, 8, 9, 10, 11, 12};
    static constexpr const wchar_t* className = L"MorphOptionCheck";
    static constexpr bool reports = true;
    static constexpr bool callbackPerWindow = false;
};

// The command button's copy: silent, the callback looked up (and tested) per window.
struct ButtonHookPolicy {
    static constexpr CodeHookLayout layout{14, 524, 260, 392, 7, 8, 9, 10, 11, 12, 13};
    static constexpr const wchar_t* className = L"ktButton";
    static constexpr bool reports = false;
    static constexpr bool callbackPerWindow = true;
};

template <class Policy>
class CodeHook {
public:
    static constexpr const CodeHookLayout& L = Policy::layout;

    CodeHook() = default;
    ~CodeHook() { sc_UnSubclassAll(); }
    CodeHook(const CodeHook&) = delete;
    CodeHook& operator=(const CodeHook&) = delete;

    // The control registers the object whose zSubclass_Proc is its callback (ordinal 1).
    void zRegisterCallback(CodeHookClient* client) { registered_ = client; }

    // The option/check box's form: (window, user value, design-environment flag, ordinal).
    bool sc_Subclass(HWND window, long userValue, bool designEnvironment,
                     long ordinal) requires(!Policy::callbackPerWindow) {
        (void)designEnvironment;
        return subclass(window, userValue, ordinal, nullptr);
    }
    // The button's form: (window, user value, ordinal, callback object or none, design flag).
    bool sc_Subclass(HWND window, long userValue, long ordinal, CodeHookClient* callbackObject,
                     bool designEnvironment) requires(Policy::callbackPerWindow) {
        (void)designEnvironment;
        return subclass(window, userValue, ordinal, callbackObject);
    }

    void sc_UnSubclass(HWND window);
    void sc_UnSubclassAll();
    void sc_AddMsg(HWND window, long uMsg, long when);
    void sc_DelMsg(HWND window, long uMsg, long when);
    LRESULT sc_CallOrigWndProc(HWND window, UINT uMsg, WPARAM wParam, LPARAM lParam);
    long sc_UserData(HWND window);
    void setSc_UserData(HWND window, long value);

    // Inspection: the block of a hooked window (null when none), and a table's count and entries.
    std::uint8_t* blockOf(HWND window) const;
    long tableCount(HWND window, long when) const;
    std::vector<long> tableEntries(HWND window, long when) const;
    bool started() const { return started_; }

private:
    CodeHookClient* registered_ = nullptr;
    bool started_ = false; // the collection exists
    std::vector<std::pair<std::wstring, std::uint8_t*>> collection_;
    std::vector<std::uint8_t> template_; // header and code, written once (per instance or window)
    std::size_t blockAddressAt_ = 0;
    std::uint8_t* z_Base = nullptr;

    bool subclass(HWND window, long userValue, long ordinal, CodeHookClient* callbackObject);
    bool buildTemplate();
    std::uintptr_t zCallbackAddress(long ordinal, CodeHookClient* object) const;
    std::uint8_t* zMap_hWnd(HWND window, const wchar_t* routine = L"zMap_hWnd");
    void zAddMsg(long uMsg, int tableSlot);
    void zDelMsg(long uMsg, int tableSlot);
    long zReadLong(int slot) const;
    void zWriteLong(int slot, long value);
    void zError(const wchar_t* routine, const std::wstring& message) const;
    static std::wstring keyOf(HWND window);
    // Block step 6. The block jumps here with its own address and the previous procedure's result
    // in place of the window and the message, so this returns straight to the window's caller and
    // the block can be freed at once when nothing else runs it.
    static LRESULT __stdcall zRelease(std::uint8_t* block, LRESULT result, WPARAM, LPARAM);
    std::size_t indexOf(HWND window) const;
};

using OptionCheckHook = CodeHook<OptionCheckHookPolicy>;
using ButtonHook = CodeHook<ButtonHookPolicy>;

extern template class CodeHook<OptionCheckHookPolicy>;
extern template class CodeHook<ButtonHookPolicy>;

} // namespace widgets
