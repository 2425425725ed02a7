#include "platform/hook/dispatch.h"

#include "platform/core/event_log.h"
#include "platform/hook/retired_blocks.h"

#include <cstdint>

namespace hook {

void deliverHookMessage(HookClient& client, bool before, long& handled, long& result, long& window,
                        long& message, long& wParam, long& lParam) {
    core::MessageFrame m;
    m.hwnd = reinterpret_cast<HWND>(window);
    m.msg = static_cast<UINT>(message);
    m.wParam = static_cast<WPARAM>(static_cast<unsigned long>(wParam));
    m.lParam = static_cast<LPARAM>(lParam);
    m.handled = handled != 0;
    m.result = static_cast<LRESULT>(result);
    client.hookMessage(m, before);
    // The block tests the flag for not 0; True is -1 as the block's own callers wrote it.
    if (m.handled != (handled != 0)) handled = m.handled ? -1 : 0;
    result = static_cast<long>(m.result);
    window = static_cast<long>(reinterpret_cast<std::uintptr_t>(m.hwnd));
    message = static_cast<long>(m.msg);
    wParam = static_cast<long>(m.wParam);
    lParam = static_cast<long>(m.lParam);
}

void deliverHookMessage(HookClient& client, bool before, bool& handled, long& result, HWND window,
                        UINT message, WPARAM wParam, LPARAM lParam) {
    core::MessageFrame m{window, message, wParam, lParam};
    m.handled = handled;
    m.result = static_cast<LRESULT>(result);
    client.hookMessage(m, before);
    handled = m.handled;
    result = static_cast<long>(m.result);
}

namespace {

// The block that called the trampoline (its return address) counts as running for the call.
template <class Call>
void guardedCall(const void* caller, Call&& call) {
    RunningBlock running(caller);
    core::HandlingMessage handling;
    try {
        call();
    } catch (...) {
        core::reportUnexpectedError(L"Window hook");
    }
}

} // namespace

extern "C" long __stdcall hookTrampoline(DispatchRecord* record, long before, long* handled, long* result,
                                         long* window, long* message, long* wParam, long* lParam) {
    guardedCall(__builtin_return_address(0), [&] {
        if (record && record->client)
            deliverHookMessage(*record->client, before != 0, *handled, *result, *window, *message, *wParam,
                               *lParam);
    });
    return 0;
}

extern "C" long __stdcall codeBlockTrampoline(HookClient* client, long before, long* handled, long* result,
                                              HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              long* /*userData*/) {
    guardedCall(__builtin_return_address(0), [&] {
        if (!client) return;
        bool isHandled = *handled != 0;
        deliverHookMessage(*client, before != 0, isHandled, *result, window, message, wParam, lParam);
        // The block tests the flag for not 0; True is -1 as the block's own callers wrote it.
        *handled = isHandled ? -1 : 0;
    });
    return 0;
}

} // namespace hook
