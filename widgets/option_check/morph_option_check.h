// The option/check box: one control that is an option button or a check box (ControlType), drawn
// with gradients, a curved border and a drawn or pictured check area; options select themselves and
// clear the selected options of the same container.
#pragma once

#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/user_control.h"
#include "platform/hook/code_built_hook.h"
#include "widgets/option_check/morph_option_check_paint.h"

#include <cstdint>
#include <memory>
#include <string>

namespace forms {
class StdFont;
class StdPicture;
template <class C>
class PropertyTable;
} // namespace forms

namespace widgets {

class MorphOptionCheck : public forms::UserControl, private hook::HookClient {
public:
    MorphOptionCheck();
    ~MorphOptionCheck() override;
    // The window hook's callback under its own name; it hands the message to the one dispatch.
    void zSubclass_Proc(bool bBefore, bool& bHandled, long& lReturn, HWND lng_hWnd, UINT uMsg, WPARAM wParam,
                        LPARAM lParam, long& lUserData);
    // How the window hook reports a failure: an error entry in the event log, then a message box.
    static void reportHookFailure(const wchar_t* routine, const std::wstring& message);
    // Lets layouts create the control by the type name "MorphOptionCheck".
    static void registerType();
    static const forms::PropertyTable<MorphOptionCheck>& properties();

    float BackAngle() const { return look_.BackAngle; }
    void setBackAngle(float v);
    std::uint32_t BackColor1() const { return look_.BackColor1; }
    void setBackColor1(std::uint32_t v);
    std::uint32_t BackColor2() const { return look_.BackColor2; }
    void setBackColor2(std::uint32_t v);
    bool BackMiddleOut() const { return look_.BackMiddleOut; }
    void setBackMiddleOut(bool v);
    std::uint32_t BorderColor() const { return look_.BorderColor; }
    void setBorderColor(std::uint32_t v);
    std::int16_t BorderCurvature() const { return look_.BorderCurvature; }
    void setBorderCurvature(std::int16_t v);
    bool BorderIfTransparent() const { return look_.BorderIfTransparent; }
    void setBorderIfTransparent(bool v);
    std::int32_t BorderWidth() const { return look_.BorderWidth; }
    void setBorderWidth(std::int32_t v);
    const std::wstring& Caption() const { return look_.Caption; }
    void setCaption(std::wstring v);
    std::uint32_t CaptionColor() const { return look_.CaptionColor; }
    void setCaptionColor(std::uint32_t v);
    std::uint32_t CheckBorderColor() const { return look_.CheckBorderColor; }
    void setCheckBorderColor(std::uint32_t v);
    std::int32_t CheckBoxAlignment() const { return look_.CheckBoxAlignment; }
    void setCheckBoxAlignment(std::int32_t v);
    float CheckBoxAngle() const { return look_.CheckBoxAngle; }
    void setCheckBoxAngle(float v);
    std::uint32_t CheckBoxColor1() const { return look_.CheckBoxColor1; }
    void setCheckBoxColor1(std::uint32_t v);
    std::uint32_t CheckBoxColor2() const { return look_.CheckBoxColor2; }
    void setCheckBoxColor2(std::uint32_t v);
    bool CheckBoxMiddleOut() const { return look_.CheckBoxMiddleOut; }
    void setCheckBoxMiddleOut(bool v);
    std::uint32_t CheckColor() const { return look_.CheckColor; }
    void setCheckColor(std::uint32_t v);
    const std::wstring& ContainerName() const { return look_.ContainerName; }
    void setContainerName(std::wstring v);
    std::int32_t ControlType() const { return look_.ControlType; }
    // 382 at run time; at design time stored without a repaint.
    void setControlType(std::int32_t v);
    std::uint32_t DisBackColor1() const { return look_.DisBackColor1; }
    void setDisBackColor1(std::uint32_t v);
    std::uint32_t DisBackColor2() const { return look_.DisBackColor2; }
    void setDisBackColor2(std::uint32_t v);
    std::uint32_t DisBorderColor() const { return look_.DisBorderColor; }
    void setDisBorderColor(std::uint32_t v);
    std::uint32_t DisCaptionColor() const { return look_.DisCaptionColor; }
    void setDisCaptionColor(std::uint32_t v);
    std::uint32_t DisCheckBorderColor() const { return look_.DisCheckBorderColor; }
    void setDisCheckBorderColor(std::uint32_t v);
    std::uint32_t DisCheckBoxColor1() const { return look_.DisCheckBoxColor1; }
    void setDisCheckBoxColor1(std::uint32_t v);
    std::uint32_t DisCheckBoxColor2() const { return look_.DisCheckBoxColor2; }
    void setDisCheckBoxColor2(std::uint32_t v);
    // The control's own flag: its window stays enabled. False also sets Value to 0.
    bool Enabled() const override { return look_.Enabled; }
    void setEnabled(bool v) override;
    std::uint32_t FocusRectColor() const { return look_.FocusRectColor; }
    void setFocusRectColor(std::uint32_t v);
    const std::shared_ptr<forms::StdFont>& Font() const { return look_.Font; }
    void setFont(std::shared_ptr<forms::StdFont> v);
    std::int32_t MouseOverActions() const { return look_.MouseOverActions; }
    void setMouseOverActions(std::int32_t v);
    std::uint32_t MOverBorderColor() const { return look_.MOverBorderColor; }
    void setMOverBorderColor(std::uint32_t v);
    std::uint32_t MOverCheckBoxColor() const { return look_.MOverCheckBoxColor; }
    void setMOverCheckBoxColor(std::uint32_t v);
    const std::shared_ptr<forms::StdPicture>& PicChecked() const { return look_.PicChecked; }
    void setPicChecked(std::shared_ptr<forms::StdPicture> v);
    bool PicForCheck() const { return look_.PicForCheck; }
    void setPicForCheck(bool v);
    const std::shared_ptr<forms::StdPicture>& PicUnchecked() const { return look_.PicUnchecked; }
    void setPicUnchecked(std::shared_ptr<forms::StdPicture> v);
    bool ShowFocusRect() const { return look_.ShowFocusRect; }
    void setShowFocusRect(bool v);
    bool Transparent() const { return look_.Transparent; }
    void setTransparent(bool v);
    std::int16_t Value() const { return look_.Value; }
    // Stores and repaints; no group handling.
    void setValue(std::int16_t v);

    forms::Event<> MouseEnter;
    forms::Event<> MouseLeave;
    forms::Event<std::int16_t&, std::int16_t&> KeyDown;
    forms::Event<std::int16_t&, std::int16_t&> KeyUp;
    forms::Event<std::int16_t&> KeyPress;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseDown;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseUp;
    forms::Event<> Click;

    // Inspection for tests.
    const OptionCheckState& state() const { return state_; }
    const hook::OptionCheckHook& hooks() const { return hook_; }
    int redrawCount() const { return redraws_; }

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Show() override;
    void UserControl_Resize() override;
    void UserControl_Terminate() override;
    void UserControl_KeyDown(int& KeyCode, int Shift) override;
    void UserControl_KeyUp(int& KeyCode, int Shift) override;
    void UserControl_MouseDown(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseUp(int Button, int Shift, float X, float Y) override;
    void propertyEffect(forms::OnChange effect) override;
    void hookMessage(core::MessageFrame& m, bool before) override;

private:
    OptionCheckLook look_;
    OptionCheckState state_;
    hook::OptionCheckHook hook_;
    bool redrawing_ = false;
    bool redrawAgain_ = false;
    int redraws_ = 0;

    void onMouseMove(HWND window);
    void onMouseLeave();
    void onSetFocus();
    void onKillFocus();

    void UseNormalColours() { state_.colours = OptionCheckColours::normal(look_); }
    void UseDisabledColours() { state_.colours = OptionCheckColours::disabled(look_); }
    void useColourSet() { look_.Enabled ? UseNormalColours() : UseDisabledColours(); }
    void RefreshColours();
    void SelectOption();
    void toggleOrSelect();
    // A colour of the normal (or disabled) set: stored, and shown when that set is in use.
    void setSetColour(const wchar_t* key, std::uint32_t value, bool normalSet,
                      std::uint32_t OptionCheckColours::*current);

    void Redraw();
    void paintOnce();
    void CheckAreaLayout();
    // Copies what lies behind the control; false when the control went meanwhile.
    bool CopyContainerBackground();
    forms::UserControl* findContainerByName() const;
};

} // namespace widgets
