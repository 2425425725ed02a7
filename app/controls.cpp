#include "app/controls.h"

#include "app/sys_tray_icon.h"
#include "platform/forms/layout.h"
#include "platform/textbox/uni_text_box_ex.h"
#include "widgets/buttons/kt_button.h"
#include "widgets/buttons/morph_option_check.h"
#include "widgets/buttons/uc_slider.h"
#include "widgets/combo/s_combo_box.h"
#include "widgets/list/mc_list_box.h"
#include "widgets/list/mc_tool_bar.h"
#include "widgets/text/frame_kdq.h"
#include "widgets/text/label_kdq.h"

namespace app {

void registerControlTypes() {
    textbox::UniTextBoxEx::registerType();
    widgets::SComboBox::registerType();
    widgets::MorphOptionCheck::registerType();
    widgets::ktButton::registerType();
    widgets::Label_KDQ::registerType();
    widgets::Frame_KDQ::registerType();
    widgets::ucSlider::registerType();
    forms::registerControlType<widgets::McListBox>(L"McListBox");
    forms::registerControlType<widgets::McToolBar>(L"McToolBar");
    SysTrayIcon::registerType();
}

} // namespace app
