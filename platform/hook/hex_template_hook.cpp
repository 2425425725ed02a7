#include "platform/hook/hex_template_hook.h"

#include "platform/hook/exports.h"
#include "platform/hook/hex_template_block.h"

namespace hook {

namespace {

template <class Change>
void eachTime(long when, Change change) {
    forEachTime(when, HexTemplateHook::HookBefore, HexTemplateHook::HookAfter, change);
}

} // namespace

HexTemplateHook::HexTemplateHook(HookClient& client) : engine_(hexTemplateBlock(), &client) {}

HexTemplateHook::~HexTemplateHook() {
    sc_UnSubclassAll();
}

long HexTemplateHook::sc_Subclass(HWND window) {
    return engine_.hook(window).index;
}

void HexTemplateHook::sc_UnSubclass(HWND window) {
    if (SubclassRecord* record = engine_.recordOf(window)) engine_.unhook(*record);
}

void HexTemplateHook::sc_UnSubclassAll() {
    engine_.unhookAll();
}

void HexTemplateHook::sc_AddMsg(HWND window, long message, long when) {
    SubclassRecord* record = engine_.recordOf(window);
    if (record) eachTime(when, [&](When time) { engine_.addMessage(*record, message, time); });
}

void HexTemplateHook::sc_DelMsg(HWND window, long message, long when) {
    SubclassRecord* record = engine_.recordOf(window);
    if (record) eachTime(when, [&](When time) { engine_.deleteMessage(*record, message, time); });
}

bool HexTemplateHook::carries(HWND window, long message, long when) const {
    const SubclassRecord* record = engine_.recordOf(window);
    bool found = false;
    if (record) eachTime(when, [&](When time) { found = found || record->carries(message, time); });
    return found;
}

bool HexTemplateHook::startTracking() {
    TrackInUser32 = IsFunctionExported("TrackMouseEvent", "User32");
    TrackAvailable = TrackInUser32 || IsFunctionExported("_TrackMouseEvent", "Comctl32");
    return TrackAvailable;
}

void HexTemplateHook::TrackMouseLeave(HWND window) const {
    if (TrackAvailable) hook::TrackMouseLeave(window, TrackInUser32);
}

} // namespace hook
