#include "platform/forms/controls/common_controls.h"

#include "platform/core/late_bound.h"

#include <windows.h>
#include <commctrl.h>

namespace forms {

void initCommonControls() {
    static const core::LateBound<decltype(InitCommonControlsEx)> init{L"comctl32.dll",
                                                                      "InitCommonControlsEx"};
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES};
    if (init) init(&classes);
}

} // namespace forms
