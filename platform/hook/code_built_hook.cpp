#include "platform/hook/code_built_hook.h"

#include <cwchar>

namespace hook {

namespace {

std::wstring hexUpper(unsigned long value) {
    wchar_t text[16];
    swprintf(text, 16, L"%lX", value);
    return text;
}

// The table a when-flag names for the inspection calls.
When timeOf(long when) {
    return when == MSG_BEFORE ? When::Before : When::After;
}

template <class Change>
void eachTime(long when, Change change) {
    forEachTime(when, MSG_BEFORE, MSG_AFTER, change);
}

} // namespace

template <class Policy>
void CodeBuiltHook<Policy>::zError(const wchar_t* routine, const std::wstring& message) const {
    if constexpr (Policy::reports) {
        if (report_) report_(routine, message);
    } else {
        (void)routine;
        (void)message;
    }
}

template <class Policy>
bool CodeBuiltHook<Policy>::subclass(HWND window, long userValue, long ordinal, HookClient* callbackObject) {
    const HookFailure usable = HookEngine::checkWindow(window);
    if (usable != HookFailure::None) {
        zError(L"sc_Subclass", usable == HookFailure::NotAWindow
                                   ? L"Invalid window handle"
                                   : L"Window handle belongs to another process");
        return false;
    }
    // The callback is looked up at every hook, or once at the instance's first.
    HookClient* const owner = callbackObject ? callbackObject : registered_;
    if (Policy::callbackPerWindow || !engine_.started()) {
        if (ordinal != 1 || !owner || !engine_.start()) {
            zError(L"sc_Subclass", L"Callback method not found");
            return false;
        }
        owner_ = owner;
    }
    if (engine_.recordOf(window)) {
        zError(L"sc_Subclass", L"Window handle is already subclassed");
        return false;
    }
    const HookEngine::Hooked hooked = engine_.hook(window, owner_, userValue);
    if (hooked.failure == HookFailure::NoMemory)
        zError(L"sc_Subclass", L"VirtualAlloc failed, error: " + std::to_wstring(hooked.error));
    else if (hooked.failure != HookFailure::None)
        zError(L"sc_Subclass", L"SetWindowLong failed, error #" + std::to_wstring(hooked.error));
    return hooked.failure == HookFailure::None;
}

template <class Policy>
SubclassRecord* CodeBuiltHook<Policy>::zMap_hWnd(HWND window, const wchar_t* routine) {
    if (!engine_.started()) {
        zError(routine, L"Subclassing hasn't been started");
        return nullptr;
    }
    SubclassRecord* record = engine_.recordOf(window);
    if (!record) zError(routine, L"Window handle isn't subclassed");
    return record;
}

template <class Policy>
SubclassRecord* CodeBuiltHook<Policy>::readable(HWND window) {
    SubclassRecord* record = zMap_hWnd(window);
    if (!record || IsBadCodePtr(reinterpret_cast<FARPROC>(record->CodeBlock))) return nullptr;
    return record;
}

template <class Policy>
void CodeBuiltHook<Policy>::sc_AddMsg(HWND window, long message, long when) {
    SubclassRecord* record = readable(window);
    if (!record) return;
    eachTime(when, [&](When time) {
        if (!engine_.addMessage(*record, message, time))
            zError(L"zAddMsg",
                   L"Message table overflow. Either increase the value of Const MSG_ENTRIES or use "
                   L"ALL_MESSAGES instead of specific message values");
    });
}

template <class Policy>
void CodeBuiltHook<Policy>::sc_DelMsg(HWND window, long message, long when) {
    SubclassRecord* record = readable(window);
    if (!record) return;
    eachTime(when, [&](When time) {
        if (!engine_.deleteMessage(*record, message, time))
            zError(L"zDelMsg",
                   L"Message &H" + hexUpper(static_cast<unsigned long>(message)) + L" not found in table");
    });
}

// The block stays the window's procedure until the next message through it has returned.
template <class Policy>
void CodeBuiltHook<Policy>::sc_UnSubclass(HWND window) {
    if (!engine_.started()) {
        zError(L"sc_UnSubclass", L"Window handle isn't subclassed");
        return;
    }
    if (SubclassRecord* record = zMap_hWnd(window)) engine_.unhook(*record);
}

template <class Policy>
void CodeBuiltHook<Policy>::sc_UnSubclassAll() {
    if (!engine_.started()) return;
    engine_.unhookAll();
    engine_.forgetStart();
    owner_ = nullptr;
}

template <class Policy>
LRESULT CodeBuiltHook<Policy>::sc_CallOrigWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const SubclassRecord* record = readable(window);
    if (!record) return 0;
    const auto previous = reinterpret_cast<WNDPROC>(record->PrevWndProc);
    return IsWindowUnicode(window) ? CallWindowProcW(previous, window, message, wParam, lParam)
                                   : CallWindowProcA(previous, window, message, wParam, lParam);
}

template <class Policy>
long CodeBuiltHook<Policy>::sc_UserData(HWND window) {
    const SubclassRecord* record = readable(window);
    return record ? Policy::layout().userData(record->CodeBlock) : 0;
}

template <class Policy>
void CodeBuiltHook<Policy>::setSc_UserData(HWND window, long value) {
    if (const SubclassRecord* record = readable(window))
        Policy::layout().setUserData(record->CodeBlock, value);
}

template <class Policy>
std::uint8_t* CodeBuiltHook<Policy>::blockOf(HWND window) const {
    const SubclassRecord* record = engine_.recordOf(window);
    return record ? record->CodeBlock : nullptr;
}

template <class Policy>
long CodeBuiltHook<Policy>::tableCount(HWND window, long when) const {
    const SubclassRecord* record = engine_.recordOf(window);
    return record ? record->count(timeOf(when)) : 0;
}

template <class Policy>
std::vector<long> CodeBuiltHook<Policy>::tableEntries(HWND window, long when) const {
    std::vector<long> out;
    const SubclassRecord* record = engine_.recordOf(window);
    if (!record) return out;
    const std::vector<long>& table = record->table(timeOf(when));
    const long count = record->count(timeOf(when));
    for (long i = 0; i < count && i < MSG_ENTRIES && i < static_cast<long>(table.size()); ++i)
        out.push_back(table[static_cast<std::size_t>(i)]);
    return out;
}

template class CodeBuiltHook<OptionCheckHookPolicy>;
template class CodeBuiltHook<ButtonHookPolicy>;

} // namespace hook
