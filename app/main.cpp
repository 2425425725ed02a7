#include "app/controls.h"
#include "app/esas.h"

#include "platform/core/event_log.h"
#include "platform/core/start_trace.h"
#include "platform/forms/app.h"
#include "platform/forms/message_loop.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    core::startTrace::mark(L"WinMain");
    try {
        app::registerControlTypes();
        return forms::MessageLoop::runProgram(forms::instance<app::esas>());
    } catch (...) {
        core::reportUnexpectedError(L"Start-up");
        return 1;
    }
}
