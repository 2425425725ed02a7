#include "app/controls.h"

#include "app/sys_tray_icon.h"
#include "platform/forms/controls/uni_text_box_ex.h"
#include "platform/forms/layout.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/command_button/kt_button.h"
#include "widgets/frame/frame_kdq.h"
#include "widgets/label/label_kdq.h"
#include "widgets/list_box/mc_list_box.h"
#include "widgets/option_check/morph_option_check.h"
#include "widgets/slider/uc_slider.h"
#include "widgets/tool_bar/mc_tool_bar.h"

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
