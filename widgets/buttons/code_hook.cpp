#include "widgets/buttons/code_hook.h"

#include "platform/core/event_log.h"
#include "platform/forms/msgbox.h"
#include "platform/hook/exec_memory.h"
#include "platform/hook/retired_blocks.h"
#include "platform/hook/x86_emitter.h"

#include <cstring>

namespace widgets {

namespace {

using hook::Cond;
using hook::Reg;
using hook::X86Emitter;

std::int8_t slotDisp(int slot) {
    return static_cast<std::int8_t>(slot * 4);
}

// The frame of a block's window procedure: [ebp+8] window, +12 message, +16 wParam, +20 lParam;
// [ebp-4] lReturn, [ebp-8] bHandled. ebx holds the block's address, edi is free for the scan.
constexpr std::int8_t ArgWindow = 8, ArgMsg = 12, ArgWParam = 16, ArgLParam = 20;
constexpr std::int8_t LocalReturn = -4, LocalHandled = -8;

std::uintptr_t procAddress(const char* module, const char* function) {
    HMODULE handle = GetModuleHandleA(module);
    return handle ? reinterpret_cast<std::uintptr_t>(GetProcAddress(handle, function)) : 0;
}

std::uintptr_t setProcedureFunction(bool unicode) {
    return procAddress("user32", unicode ? "SetWindowLongW" : "SetWindowLongA");
}

LONG_PTR windowProc(HWND window, bool unicode) {
    return unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

LONG_PTR setWindowProc(HWND window, bool unicode, LONG_PTR proc) {
    return unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                   : SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
}

long readSlot(const std::uint8_t* block, int slot) {
    long v;
    std::memcpy(&v, block + slot * 4, sizeof v);
    return v;
}

void writeSlot(std::uint8_t* block, int slot, long value) {
    std::memcpy(block + slot * 4, &value, sizeof value);
}

std::wstring hexUpper(unsigned long value) {
    wchar_t text[16];
    swprintf(text, 16, L"%lX", value);
    return text;
}

} // namespace

HookCode assembleHookCode(const CodeHookLayout& layout) {
    X86Emitter a;
    const auto before = a.newLabel(), previous = a.newLabel(), after = a.newLabel(), done = a.newLabel(),
               release = a.newLabel(), scan = a.newLabel(), matched = a.newLabel(), none = a.newLabel(),
               dispatch = a.newLabel(), skip = a.newLabel();
    (void)before;
    HookCode out;

    // Step 1: frame, lReturn and bHandled zeroed, the block's address in ebx.
    a.push(Reg::ebp);
    a.movRegReg(Reg::ebp, Reg::esp);
    a.subRegImm8(Reg::esp, 8);
    a.push(Reg::ebx);
    a.push(Reg::edi);
    a.xorRegReg(Reg::eax, Reg::eax);
    a.movMemReg(Reg::ebp, LocalReturn, Reg::eax);
    a.movMemReg(Reg::ebp, LocalHandled, Reg::eax);
    out.blockAddressAt = a.movRegPatched(Reg::ebx);

    // Steps 3 and 4: before table; a handled message ends here. The scan leaves eax = 1 on a match,
    // which is bBefore True.
    a.movRegMem(Reg::edx, Reg::ebx, slotDisp(layout.slotBefore));
    a.call(scan);
    a.testRegReg(Reg::eax, Reg::eax);
    a.jcc(Cond::equal, previous);
    a.call(dispatch);
    a.cmpMemImm8(Reg::ebp, LocalHandled, 0);
    a.jcc(Cond::notEqual, done);

    // Step 5: the previous procedure, counted as in use.
    a.bind(previous);
    a.incMem(Reg::ebx);
    a.pushMem(Reg::ebp, ArgLParam);
    a.pushMem(Reg::ebp, ArgWParam);
    a.pushMem(Reg::ebp, ArgMsg);
    a.pushMem(Reg::ebp, ArgWindow);
    a.pushMem(Reg::ebx, slotDisp(layout.slotPrevious));
    a.callMem(Reg::ebx, slotDisp(SlotCallPrevious));
    a.movMemReg(Reg::ebp, LocalReturn, Reg::eax);
    a.decMem(Reg::ebx);
    // Step 6: the outermost call returned and the window was unhooked.
    a.jcc(Cond::notEqual, after);
    a.cmpMemImm8(Reg::ebx, slotDisp(SlotRelease), 0);
    a.jcc(Cond::notEqual, release);

    // Steps 7 and 8: after table, then lReturn.
    a.bind(after);
    a.movRegMem(Reg::edx, Reg::ebx, slotDisp(layout.slotAfter));
    a.call(scan);
    a.testRegReg(Reg::eax, Reg::eax);
    a.jcc(Cond::equal, done);
    a.xorRegReg(Reg::eax, Reg::eax);
    a.call(dispatch);
    a.bind(done);
    a.movRegMem(Reg::eax, Reg::ebp, LocalReturn);
    a.pop(Reg::edi);
    a.pop(Reg::ebx);
    a.leave();
    a.retPop(16);

    // The release: the window and message arguments become (block, lReturn) and the routine takes
    // over the return to the caller.
    a.bind(release);
    a.movRegReg(Reg::ecx, Reg::ebx);
    a.movRegMem(Reg::eax, Reg::ebp, LocalReturn);
    a.pop(Reg::edi);
    a.pop(Reg::ebx);
    a.leave();
    a.movMemReg(Reg::esp, 4, Reg::ecx);
    a.movMemReg(Reg::esp, 8, Reg::eax);
    a.jmpMem(Reg::ecx, slotDisp(SlotReleaseRoutine));

    // Table test, edx = table: count 0 none, negative all, else the message among the entries.
    a.bind(scan);
    a.movRegMem(Reg::ecx, Reg::edx, 0);
    a.testRegReg(Reg::ecx, Reg::ecx);
    a.jcc(Cond::equal, none);
    a.jcc(Cond::sign, matched);
    a.movRegMem(Reg::eax, Reg::ebp, ArgMsg);
    a.lea(Reg::edi, Reg::edx, 4);
    a.repneScasd();
    a.jcc(Cond::notEqual, none);
    a.bind(matched);
    a.movRegImm(Reg::eax, 1);
    a.ret();
    a.bind(none);
    a.xorRegReg(Reg::eax, Reg::eax);
    a.ret();

    // The callback, eax = bBefore: (owner, bBefore, &bHandled, &lReturn, window, message, wParam,
    // lParam, &lUserData).
    a.bind(dispatch);
    if (layout.slotIsBadCodePtr >= 0) {
        a.push(Reg::eax);
        a.pushMem(Reg::ebx, slotDisp(layout.slotCallback));
        a.callMem(Reg::ebx, slotDisp(layout.slotIsBadCodePtr));
        a.testRegReg(Reg::eax, Reg::eax);
        a.pop(Reg::eax);
        a.jcc(Cond::notEqual, skip);
    }
    a.lea(Reg::ecx, Reg::ebx, slotDisp(layout.slotUser));
    a.push(Reg::ecx);
    a.pushMem(Reg::ebp, ArgLParam);
    a.pushMem(Reg::ebp, ArgWParam);
    a.pushMem(Reg::ebp, ArgMsg);
    a.pushMem(Reg::ebx, slotDisp(SlotWindow));
    a.lea(Reg::ecx, Reg::ebp, LocalReturn);
    a.push(Reg::ecx);
    a.lea(Reg::ecx, Reg::ebp, LocalHandled);
    a.push(Reg::ecx);
    a.push(Reg::eax);
    a.pushMem(Reg::ebx, slotDisp(layout.slotOwner));
    a.callMem(Reg::ebx, slotDisp(layout.slotCallback));
    a.bind(skip);
    a.ret();

    if (!a.finish() || a.bytes().size() > layout.codeRoom()) return {};
    out.bytes = a.bytes();
    return out;
}

extern "C" long __stdcall codeHookTrampoline(CodeHookClient* owner, long bBefore, long* bHandled,
                                             long* lReturn, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                             long* lUserData) {
    hook::RunningBlock running(__builtin_return_address(0));
    core::HandlingMessage handling;
    try {
        if (owner) {
            bool handled = *bHandled != 0;
            owner->zSubclass_Proc(bBefore != 0, handled, *lReturn, hwnd, msg, wParam, lParam, *lUserData);
            *bHandled = handled ? -1 : 0;
        }
    } catch (...) {
        core::reportUnexpectedError(L"Window hook");
    }
    return 0;
}

template <class Policy>
LRESULT __stdcall CodeHook<Policy>::zRelease(std::uint8_t* block, LRESULT result, WPARAM, LPARAM) {
    // Released once: from now on the block only forwards (its tables are empty).
    writeSlot(block, SlotRelease, 0);
    const bool unicode =
        static_cast<std::uintptr_t>(readSlot(block, SlotSetProcedure)) == setProcedureFunction(true);
    hook::RetiredBlock retired;
    retired.block = block;
    retired.entry = block + L.codeOffset();
    retired.window = reinterpret_cast<HWND>(readSlot(block, SlotWindow));
    retired.previous = readSlot(block, L.slotPrevious);
    retired.unicode = unicode;
    if (IsWindow(retired.window)) {
        // Only while the block is the window's procedure; under another subclasser it stays a
        // pass-through and leaves the chain when it is on top again.
        if (windowProc(retired.window, unicode) == reinterpret_cast<LONG_PTR>(retired.entry))
            setWindowProc(retired.window, unicode, retired.previous);
        else
            retired.chained = true;
    }
    core::bestEffort(L"Window hook release", [&] { hook::retireBlock(retired); });
    return result;
}

template <class Policy>
std::wstring CodeHook<Policy>::keyOf(HWND window) {
    return std::to_wstring(static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(window))) + L"h";
}

template <class Policy>
std::size_t CodeHook<Policy>::indexOf(HWND window) const {
    const std::wstring key = keyOf(window);
    for (std::size_t i = 0; i < collection_.size(); ++i)
        if (collection_[i].first == key) return i;
    return collection_.size();
}

template <class Policy>
void CodeHook<Policy>::zError(const wchar_t* routine, const std::wstring& message) const {
    if constexpr (Policy::reports) {
        const std::wstring where = std::wstring(Policy::className) + L"." + routine;
        core::logEvent(where + L": " + message, core::LogError);
        forms::MsgBox(message + L".", forms::mb::Exclamation, L"Error in " + where);
    } else {
        (void)routine;
        (void)message;
    }
}

template <class Policy>
long CodeHook<Policy>::zReadLong(int slot) const {
    return readSlot(z_Base, slot);
}

template <class Policy>
void CodeHook<Policy>::zWriteLong(int slot, long value) {
    writeSlot(z_Base, slot, value);
}

template <class Policy>
std::uintptr_t CodeHook<Policy>::zCallbackAddress(long ordinal, CodeHookClient* object) const {
    if (ordinal != 1 || !object) return 0;
    return reinterpret_cast<std::uintptr_t>(&codeHookTrampoline);
}

template <class Policy>
bool CodeHook<Policy>::buildTemplate() {
    const HookCode code = assembleHookCode(L);
    if (code.bytes.empty()) return false;
    template_.assign(L.beforeTable, 0);
    std::memcpy(template_.data() + L.codeOffset(), code.bytes.data(), code.bytes.size());
    blockAddressAt_ = L.codeOffset() + code.blockAddressAt;
    auto put = [&](int slot, std::uintptr_t value) {
        writeSlot(template_.data(), slot, static_cast<long>(value));
    };
    put(SlotDesign, 0);
    put(SlotReleaseRoutine, reinterpret_cast<std::uintptr_t>(&CodeHook::zRelease));
    if (L.slotIsBadCodePtr >= 0) put(L.slotIsBadCodePtr, procAddress("kernel32", "IsBadCodePtr"));
    return true;
}

template <class Policy>
bool CodeHook<Policy>::subclass(HWND window, long userValue, long ordinal, CodeHookClient* callbackObject) {
    // Blocks that waited for their last message to finish go now, when nothing of ours runs them.
    hook::releaseRetiredBlocks();
    if (!IsWindow(window)) {
        zError(L"sc_Subclass", L"Invalid window handle");
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) {
        zError(L"sc_Subclass", L"Window handle belongs to another process");
        return false;
    }
    CodeHookClient* owner = callbackObject ? callbackObject : registered_;
    std::uintptr_t callback = 0;
    if (Policy::callbackPerWindow || !started_) {
        callback = zCallbackAddress(ordinal, owner);
        if (callback == 0) {
            zError(L"sc_Subclass", L"Callback method not found");
            return false;
        }
        if (!started_) {
            if (!buildTemplate()) {
                zError(L"sc_Subclass", L"Callback method not found");
                return false;
            }
            started_ = true;
            collection_.clear();
        }
        // Written once per instance, or per window for the copy that looks the callback up each time.
        writeSlot(template_.data(), L.slotOwner, static_cast<long>(reinterpret_cast<std::uintptr_t>(owner)));
        writeSlot(template_.data(), L.slotCallback, static_cast<long>(callback));
    }

    auto* block = static_cast<std::uint8_t*>(hook::allocExecutable(L.blockSize));
    if (!block) {
        zError(L"sc_Subclass", L"VirtualAlloc failed, error: " + std::to_wstring(GetLastError()));
        return false;
    }
    z_Base = block;
    if (indexOf(window) < collection_.size()) {
        zError(L"sc_Subclass", L"Window handle is already subclassed");
        hook::freeExecutable(block);
        return false;
    }
    collection_.emplace_back(keyOf(window), block);

    // The block is complete before it is installed, so no message finds it half written.
    const bool unicode = IsWindowUnicode(window) != FALSE;
    std::uint8_t* const tpl = template_.data();
    const auto self = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block));
    std::memcpy(tpl + blockAddressAt_, &self, sizeof self);
    writeSlot(tpl, SlotWindow, static_cast<long>(reinterpret_cast<std::uintptr_t>(window)));
    writeSlot(tpl, SlotCallPrevious,
              static_cast<long>(unicode ? reinterpret_cast<std::uintptr_t>(&hook::callPreviousW)
                                        : reinterpret_cast<std::uintptr_t>(&hook::callPreviousA)));
    writeSlot(tpl, SlotSetProcedure, static_cast<long>(setProcedureFunction(unicode)));
    writeSlot(tpl, L.slotBefore, static_cast<long>(reinterpret_cast<std::uintptr_t>(block + L.beforeTable)));
    writeSlot(tpl, L.slotAfter, static_cast<long>(reinterpret_cast<std::uintptr_t>(block + L.afterTable)));
    writeSlot(tpl, L.slotUser, userValue);
    writeSlot(tpl, L.slotPrevious, static_cast<long>(windowProc(window, unicode)));
    std::memcpy(block, tpl, template_.size());
    hook::flushCode(block, L.blockSize);

    SetLastError(0);
    const LONG_PTR was = setWindowProc(window, unicode, reinterpret_cast<LONG_PTR>(block + L.codeOffset()));
    if (was == 0) {
        const DWORD error = GetLastError();
        collection_.pop_back();
        hook::freeExecutable(block);
        zError(L"sc_Subclass", L"SetWindowLong failed, error #" + std::to_wstring(error));
        return false;
    }
    hook::trackBlock(block, L.blockSize);
    if (readSlot(block, L.slotPrevious) != static_cast<long>(was))
        writeSlot(block, L.slotPrevious, static_cast<long>(was));
    return true;
}

template <class Policy>
std::uint8_t* CodeHook<Policy>::zMap_hWnd(HWND window, const wchar_t* routine) {
    if (!started_) {
        zError(routine, L"Subclassing hasn't been started");
        return nullptr;
    }
    const std::size_t i = indexOf(window);
    if (i == collection_.size()) {
        zError(routine, L"Window handle isn't subclassed");
        return nullptr;
    }
    z_Base = collection_[i].second;
    return z_Base;
}

template <class Policy>
void CodeHook<Policy>::zAddMsg(long uMsg, int tableSlot) {
    std::uint8_t* const saved = z_Base;
    z_Base = reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(zReadLong(tableSlot)));
    long count = zReadLong(0);
    if (uMsg == ALL_MESSAGES) {
        zWriteLong(0, ALL_MESSAGES);
    } else if (count < 0) {
        // Every message reaches the callback already.
    } else if (count >= static_cast<long>(MSG_ENTRIES)) {
        zError(L"zAddMsg", L"Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
                           L"ALL_MESSAGES instead of specific message values");
    } else {
        bool placed = false;
        for (long i = 1; i <= count && !placed; ++i) {
            const long entry = zReadLong(i);
            if (entry == 0) zWriteLong(i, uMsg);
            placed = entry == 0 || entry == uMsg;
        }
        if (!placed) {
            const long at = count < 1 ? 1 : count + 1;
            zWriteLong(at, uMsg);
            zWriteLong(0, at);
        }
    }
    z_Base = saved;
}

template <class Policy>
void CodeHook<Policy>::zDelMsg(long uMsg, int tableSlot) {
    std::uint8_t* const saved = z_Base;
    z_Base = reinterpret_cast<std::uint8_t*>(static_cast<std::uintptr_t>(zReadLong(tableSlot)));
    if (uMsg == ALL_MESSAGES) {
        zWriteLong(0, 0);
    } else {
        const long count = zReadLong(0);
        bool found = false;
        for (long i = 1; i <= count && !found; ++i)
            if (zReadLong(i) == uMsg) {
                zWriteLong(i, 0);
                found = true;
            }
        if (!found)
            zError(L"zDelMsg",
                   L"Message &H" + hexUpper(static_cast<unsigned long>(uMsg)) + L" not found in table");
    }
    z_Base = saved;
}

template <class Policy>
void CodeHook<Policy>::sc_AddMsg(HWND window, long uMsg, long when) {
    std::uint8_t* block = zMap_hWnd(window);
    if (!block || IsBadCodePtr(reinterpret_cast<FARPROC>(block))) return;
    if (when & MSG_BEFORE) zAddMsg(uMsg, L.slotBefore);
    if (when & MSG_AFTER) zAddMsg(uMsg, L.slotAfter);
}

template <class Policy>
void CodeHook<Policy>::sc_DelMsg(HWND window, long uMsg, long when) {
    std::uint8_t* block = zMap_hWnd(window);
    if (!block || IsBadCodePtr(reinterpret_cast<FARPROC>(block))) return;
    if (when & MSG_BEFORE) zDelMsg(uMsg, L.slotBefore);
    if (when & MSG_AFTER) zDelMsg(uMsg, L.slotAfter);
}

template <class Policy>
void CodeHook<Policy>::sc_UnSubclass(HWND window) {
    if (!started_) {
        zError(L"sc_UnSubclass", L"Window handle isn't subclassed");
        return;
    }
    // A window that is not hooked is reported by the lookup and left alone.
    std::uint8_t* block = zMap_hWnd(window);
    if (!block) return;
    collection_.erase(collection_.begin() + static_cast<std::ptrdiff_t>(indexOf(window)));
    if (IsBadCodePtr(reinterpret_cast<FARPROC>(block))) return;
    zWriteLong(SlotRelease, -1);
    zDelMsg(ALL_MESSAGES, L.slotBefore);
    zDelMsg(ALL_MESSAGES, L.slotAfter);
    if (!IsWindow(window)) {
        // No message will come to release it.
        hook::RetiredBlock retired;
        retired.block = block;
        retired.entry = block + L.codeOffset();
        core::bestEffort(L"Window hook release", [&] { hook::retireBlock(retired); });
    }
}

template <class Policy>
void CodeHook<Policy>::sc_UnSubclassAll() {
    if (!started_) return;
    while (!collection_.empty()) {
        const std::size_t before = collection_.size();
        z_Base = collection_.back().second;
        const HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(zReadLong(SlotWindow)));
        sc_UnSubclass(window);
        if (collection_.size() == before) collection_.pop_back();
    }
    started_ = false;
    template_.clear();
}

template <class Policy>
LRESULT CodeHook<Policy>::sc_CallOrigWndProc(HWND window, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    std::uint8_t* block = zMap_hWnd(window);
    if (!block || IsBadCodePtr(reinterpret_cast<FARPROC>(block))) return 0;
    const auto previous = reinterpret_cast<WNDPROC>(static_cast<std::uintptr_t>(zReadLong(L.slotPrevious)));
    return IsWindowUnicode(window) ? CallWindowProcW(previous, window, uMsg, wParam, lParam)
                                   : CallWindowProcA(previous, window, uMsg, wParam, lParam);
}

template <class Policy>
long CodeHook<Policy>::sc_UserData(HWND window) {
    std::uint8_t* block = zMap_hWnd(window);
    if (!block || IsBadCodePtr(reinterpret_cast<FARPROC>(block))) return 0;
    return zReadLong(L.slotUser);
}

template <class Policy>
void CodeHook<Policy>::setSc_UserData(HWND window, long value) {
    std::uint8_t* block = zMap_hWnd(window);
    if (!block || IsBadCodePtr(reinterpret_cast<FARPROC>(block))) return;
    zWriteLong(L.slotUser, value);
}

template <class Policy>
std::uint8_t* CodeHook<Policy>::blockOf(HWND window) const {
    const std::size_t i = indexOf(window);
    return i < collection_.size() ? collection_[i].second : nullptr;
}

template <class Policy>
long CodeHook<Policy>::tableCount(HWND window, long when) const {
    const std::uint8_t* block = blockOf(window);
    if (!block) return 0;
    return readSlot(block + (when == MSG_BEFORE ? L.beforeTable : L.afterTable), 0);
}

template <class Policy>
std::vector<long> CodeHook<Policy>::tableEntries(HWND window, long when) const {
    std::vector<long> out;
    const std::uint8_t* block = blockOf(window);
    if (!block) return out;
    const std::uint8_t* table = block + (when == MSG_BEFORE ? L.beforeTable : L.afterTable);
    const long count = readSlot(table, 0);
    for (long i = 1; i <= count && i <= static_cast<long>(MSG_ENTRIES); ++i)
        out.push_back(readSlot(table, static_cast<int>(i)));
    return out;
}

template class CodeHook<OptionCheckHookPolicy>;
template class CodeHook<ButtonHookPolicy>;

} // namespace widgets
