#pragma once

#include "platform/core/event_log.h"
#include "platform/forms/app.h"
#include "platform/forms/form.h"

#include <windows.h>

namespace forms {

// One message for the window of a run-time object (a form or a control): the object stays alive
// while it handles the message, unloaded objects are released only after the outermost message,
// and no exception gets out into the system. A paint that failed is not asked for again.
template <class Object, class Handle>
LRESULT guardedWindowProc(Object* self, HWND hwnd, UINT msg, const wchar_t* where, Handle handle) noexcept {
    core::HandlingMessage handling;
    try {
        auto keep = self->weak_from_this().lock();
        return handle();
    } catch (...) {
        if (msg == WM_PAINT) ValidateRect(hwnd, nullptr);
        core::reportUnexpectedError(where);
        return 0;
    }
}

} // namespace forms
