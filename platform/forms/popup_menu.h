#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace forms {

// One pop-up menu to show: where (screen pixels), with which TPM_ alignment flags, for which owner
// window and with which default item (a command id, shown bold).
struct PopupMenuCall {
    HMENU menu = nullptr;
    UINT flags = 0;
    POINT screen{};
    HWND owner = nullptr;
    std::optional<UINT> defaultItem;
};

// Shows the menu and returns the chosen command (0 for none): TrackPopupMenuEx, unless a test put
// its own in, which then records the call and opens no real menu.
int showPopupMenu(const PopupMenuCall& call);
using PopupMenuShow = std::function<int(const PopupMenuCall&)>;
// An empty function stands for the real menu; the previous one is returned.
PopupMenuShow setPopupMenuShow(PopupMenuShow show);

} // namespace forms
