#include "platform/hook/dispatch.h"

#include "platform/core/event_log.h"
#include "platform/hook/retired_blocks.h"

namespace hook {

extern "C" long __stdcall hookTrampoline(DispatchRecord* record, long bBefore, long* bHandled, long* lReturn,
                                         long* hWnd, long* uMsg, long* wParam, long* lParam) {
    RunningBlock running(__builtin_return_address(0));
    core::HandlingMessage handling;
    try {
        if (record && record->client)
            record->client->zSubclass_Proc(bBefore != 0, *bHandled, *lReturn, *hWnd, *uMsg, *wParam, *lParam);
    } catch (...) {
        core::reportUnexpectedError(L"Window hook");
    }
    return 0;
}

} // namespace hook
