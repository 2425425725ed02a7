#include "platform/forms/controls/intrinsic.h"

#include "platform/forms/controls/command_button.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/controls/label.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/controls/vscroll_bar.h"
#include "platform/forms/layout.h"

namespace forms {

void registerIntrinsicControls() {
    registerControlType<Label>(L"Label");
    registerControlType<Image>(L"Image");
    registerControlType<Shape>(L"Shape");
    registerControlType<TextBox>(L"TextBox");
    registerControlType<PictureBox>(L"PictureBox");
    registerControlType<VScrollBar>(L"VScrollBar");
    registerControlType<Timer>(L"Timer");
    registerControlType<CommandButton>(L"CommandButton");
}

} // namespace forms
