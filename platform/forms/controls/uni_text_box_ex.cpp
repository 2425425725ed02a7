#include "platform/forms/controls/uni_text_box_ex.h"

#include "platform/forms/layout.h"

namespace textbox {

void UniTextBoxEx::registerType() {
    forms::registerControlType<UniTextBoxEx>(L"UniTextBoxEx");
}

} // namespace textbox
