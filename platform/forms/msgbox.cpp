#include "platform/forms/msgbox.h"

#include "platform/forms/app.h"

#include <windows.h>

namespace forms {

namespace {

MsgBoxHandler& handlerSlot() {
    static MsgBoxHandler handler;
    return handler;
}

} // namespace

int MsgBox(const std::wstring& prompt, int buttons, const std::wstring& title) {
    const std::wstring t = title.empty() ? App::Title() : title;
    if (MsgBoxHandler h = handlerSlot()) return h(prompt, buttons, t);
    return MessageBoxW(GetActiveWindow(), prompt.c_str(), t.c_str(),
                       static_cast<UINT>(buttons) | MB_TASKMODAL);
}

MsgBoxHandler setMsgBoxHandler(MsgBoxHandler handler) {
    MsgBoxHandler old = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return old;
}

} // namespace forms
