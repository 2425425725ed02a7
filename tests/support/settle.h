#pragma once

#include "platform/forms/do_events.h"
#include "platform/forms/form.h"

#include <windows.h>

namespace testsupport {

// Lets a form paint and its timers run until a shown form has been painted and nothing waits for its
// first paint any more (half a second at most).
inline void settle(forms::Form& form) {
    for (int i = 0; i < 100 && (form.hasDeferred() || (form.Visible() && !form.firstPaintDone())); ++i) {
        forms::DoEvents();
        Sleep(5);
    }
}

} // namespace testsupport
