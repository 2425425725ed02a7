#include "platform/forms/do_events.h"

#include "platform/forms/form.h"
#include "platform/forms/message_loop.h"

namespace forms {

int DoEvents() {
    // A bound on the pass, so messages posted while handling others cannot keep it going forever.
    constexpr int kMaxMessages = 10000;
    MSG msg;
    for (int n = 0; n < kMaxMessages && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        MessageLoop::process(msg);
    }
    return static_cast<int>(Forms::loaded().size());
}

void showWhatIsPainted() {
    constexpr UINT neverPosted = 0xBFFF; // the last message of the application's own range
    MSG none;
    PeekMessageW(&none, nullptr, neverPosted, neverPosted, PM_NOREMOVE);
}

} // namespace forms
