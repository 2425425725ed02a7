// The window hook of the command button and the option/check box under the routine names, when-flags
// and failure reports those controls use: the hook engine with the code-built block layout, one
// object per control instance. Every registered message reaches the owner's hookMessage as a
// MessageFrame. The two controls' hooks differ only in their policy.
#pragma once
#include "platform/hook/code_built_block.h"
#include "platform/hook/dispatch.h"
#include "platform/hook/hook_engine.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace hook {

// The when-flags of sc_AddMsg and sc_DelMsg; 3 means both.
inline constexpr long MSG_BEFORE = 1;
inline constexpr long MSG_AFTER = 2;

// Where a hook that reports its failures sends them: the routine's name and the message.
using HookFailureReport = std::function<void(const wchar_t* routine, const std::wstring& message)>;

// The option/check box's hook: reports its failures, one callback for the instance.
struct OptionCheckHookPolicy {
    static const CodeBuiltBlock& layout() { return optionCheckCodeBlock(); }
    static constexpr bool reports = true;
    static constexpr bool callbackPerWindow = false;
};

// The command button's hook: silent, the callback looked up per window.
struct ButtonHookPolicy {
    static const CodeBuiltBlock& layout() { return buttonCodeBlock(); }
    static constexpr bool reports = false;
    static constexpr bool callbackPerWindow = true;
};

template <class Policy>
class CodeBuiltHook {
public:
    CodeBuiltHook() : engine_(Policy::layout(), nullptr) {}
    ~CodeBuiltHook() { sc_UnSubclassAll(); }
    CodeBuiltHook(const CodeBuiltHook&) = delete;
    CodeBuiltHook& operator=(const CodeBuiltHook&) = delete;

    // The control registers the object whose hookMessage is its callback (ordinal 1).
    void zRegisterCallback(HookClient* client) { registered_ = client; }
    // Where failures go, for a hook whose policy reports them.
    void setFailureReport(HookFailureReport report) { report_ = std::move(report); }

    // The option/check box's form: (window, user value, design-environment flag, ordinal).
    bool sc_Subclass(HWND window, long userValue, bool designEnvironment,
                     long ordinal) requires(!Policy::callbackPerWindow) {
        (void)designEnvironment;
        return subclass(window, userValue, ordinal, nullptr);
    }
    // The button's form: (window, user value, ordinal, callback object or none, design flag).
    bool sc_Subclass(HWND window, long userValue, long ordinal, HookClient* callbackObject,
                     bool designEnvironment) requires(Policy::callbackPerWindow) {
        (void)designEnvironment;
        return subclass(window, userValue, ordinal, callbackObject);
    }

    void sc_UnSubclass(HWND window);
    void sc_UnSubclassAll();
    void sc_AddMsg(HWND window, long message, long when);
    void sc_DelMsg(HWND window, long message, long when);
    LRESULT sc_CallOrigWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    long sc_UserData(HWND window);
    void setSc_UserData(HWND window, long value);

    // Inspection: the block of a hooked window (null when none), and a table's count and entries.
    std::uint8_t* blockOf(HWND window) const;
    long tableCount(HWND window, long when) const;
    std::vector<long> tableEntries(HWND window, long when) const;
    bool started() const { return engine_.started(); }

private:
    HookEngine engine_;
    HookClient* registered_ = nullptr;
    HookClient* owner_ = nullptr; // the instance's callback object, found at its first hook
    HookFailureReport report_;

    bool subclass(HWND window, long userValue, long ordinal, HookClient* callbackObject);
    // The window's record; reported and null when there is none.
    SubclassRecord* zMap_hWnd(HWND window, const wchar_t* routine = L"zMap_hWnd");
    // The record of a window whose block can be read, or null.
    SubclassRecord* readable(HWND window);
    void zError(const wchar_t* routine, const std::wstring& message) const;
};

using OptionCheckHook = CodeBuiltHook<OptionCheckHookPolicy>;
using ButtonHook = CodeBuiltHook<ButtonHookPolicy>;

extern template class CodeBuiltHook<OptionCheckHookPolicy>;
extern template class CodeBuiltHook<ButtonHookPolicy>;

} // namespace hook
