#include "platform/forms/popup_menu.h"

#include <utility>

namespace forms {

namespace {

PopupMenuShow& current() {
    static PopupMenuShow show;
    return show;
}

} // namespace

int showPopupMenu(const PopupMenuCall& call) {
    if (current()) return current()(call);
    const UINT previousDefault = GetMenuDefaultItem(call.menu, FALSE, 0);
    if (call.defaultItem) SetMenuDefaultItem(call.menu, *call.defaultItem, FALSE);
    const int id = TrackPopupMenuEx(call.menu, call.flags | TPM_RETURNCMD | TPM_NONOTIFY, call.screen.x,
                                    call.screen.y, call.owner, nullptr);
    if (call.defaultItem) SetMenuDefaultItem(call.menu, previousDefault, FALSE);
    return id;
}

PopupMenuShow setPopupMenuShow(PopupMenuShow show) {
    return std::exchange(current(), std::move(show));
}

} // namespace forms
