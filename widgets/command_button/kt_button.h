// The skinnable command button: twelve drawing styles, four outline shapes, a caption with relief
// effects, up to three pictures chosen by state, a toggle mode, hover tracking through its window
// hook, and a popup-menu mode in which a press opens a menu of its form instead of clicking.
#pragma once

#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/user_control.h"
#include "platform/hook/code_built_hook.h"
#include "widgets/command_button/kt_button_paint.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace forms {
class StdFont;
class StdPicture;
template <class C>
class PropertyTable;
} // namespace forms

namespace widgets {

class ktButton : public forms::UserControl, private hook::HookClient {
public:
    ktButton();
    ~ktButton() override;
    // The window hook's callback under its own name; it hands the message to the one dispatch.
    void zSubclass_Proc(bool bBefore, bool& bHandled, long& lReturn, HWND lng_hWnd, UINT uMsg, WPARAM wParam,
                        LPARAM lParam, long& lUserData);
    // Lets layouts create the control by the type name "ktButton".
    static void registerType();
    static const forms::PropertyTable<ktButton>& properties();

    std::uint32_t BackColor() const { return look_.BackColor; }
    void setBackColor(std::uint32_t v);
    std::int32_t ButtonShape() const { return look_.ButtonShape; }
    void setButtonShape(std::int32_t v);
    std::int32_t ButtonStyle() const { return look_.ButtonStyle; }
    void setButtonStyle(std::int32_t v);
    const std::wstring& Caption() const { return look_.Caption; }
    void setCaption(std::wstring v);
    bool CheckBoxMode() const { return look_.CheckBoxMode; }
    void setCheckBoxMode(bool v);
    bool Enabled() const override { return look_.Enabled; }
    void setEnabled(bool v) override;
    const std::shared_ptr<forms::StdFont>& Font() const { return look_.Font; }
    void setFont(std::shared_ptr<forms::StdFont> v);
    bool FontBold() const;
    void setFontBold(bool v);
    bool FontItalic() const;
    void setFontItalic(bool v);
    std::wstring FontName() const;
    void setFontName(std::wstring v);
    float FontSize() const;
    void setFontSize(float v);
    bool FontStrikethru() const;
    void setFontStrikethru(bool v);
    bool FontUnderline() const;
    void setFontUnderline(bool v);
    std::uint32_t Forecolor() const { return look_.Forecolor; }
    void setForecolor(std::uint32_t v);
    bool HandPointer() const { return look_.HandPointer; }
    void setHandPointer(bool v);
    HWND Hwnd() { return hWnd(); }
    std::uint32_t MaskColor() const { return look_.MaskColor; }
    void setMaskColor(std::uint32_t v);
    std::shared_ptr<forms::StdPicture> MouseIcon() const { return UserControl::MouseIcon(); }
    void setMouseIcon(std::shared_ptr<forms::StdPicture> v);
    int MousePointer() const { return UserControl::MousePointer(); }
    void setMousePointer(int v);
    std::int32_t PictureAlignment() const { return look_.PictureAlignment; }
    void setPictureAlignment(std::int32_t v);
    const std::shared_ptr<forms::StdPicture>& PictureDown() const { return look_.PictureDown; }
    void setPictureDown(std::shared_ptr<forms::StdPicture> v);
    const std::shared_ptr<forms::StdPicture>& PictureHot() const { return look_.PictureHot; }
    void setPictureHot(std::shared_ptr<forms::StdPicture> v);
    const std::shared_ptr<forms::StdPicture>& PictureNormal() const { return look_.PictureNormal; }
    void setPictureNormal(std::shared_ptr<forms::StdPicture> v);
    // Percent: written values are kept to 10..100.
    std::int32_t PictureOpacity() const;
    void setPictureOpacity(float percent);
    std::int32_t PictureSize() const { return look_.PictureSize; }
    void setPictureSize(std::int32_t v);
    std::int32_t PictureSizeH() const { return look_.PictureSizeH; }
    void setPictureSizeH(std::int32_t v);
    std::int32_t PictureSizeW() const { return look_.PictureSizeW; }
    void setPictureSizeW(std::int32_t v);
    std::int32_t SpecialEffect() const { return look_.SpecialEffect; }
    void setSpecialEffect(std::int32_t v);
    bool UseMaskColor() const { return look_.UseMaskColor; }
    void setUseMaskColor(bool v);
    bool Value() const { return look_.Value; }
    void setValue(bool v);

    // Opens the control's page in the browser.
    void About();
    // BackColor := the style's colour (-1: the current style), palette again, repaint unless NoRedraw.
    void ColorScheme(long Style, bool NoRedraw);
    // Replaces palette slot P1, P2, P4, P5, P6 or P8 (Property 0 to 5); error 5 for another Property.
    void OverrideColor(long Property, std::uint32_t Color, bool NoRedraw);
    // Hands presses to a menu of the host form; anything else is ignored.
    void SetPopupMenu(HMENU Menu, long Align, long Flags = 0, std::optional<UINT> DefaultMenu = {});
    void UnsetPopupMenu();
    // Lays out again and repaints.
    void Refresh() override;

    forms::Event<> Click;
    forms::Event<> DblClick;
    forms::Event<std::int16_t&, std::int16_t&> KeyDown;
    forms::Event<std::int16_t&> KeyPress;
    forms::Event<std::int16_t&, std::int16_t&> KeyUp;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseDown;
    forms::Event<> MouseEnter;
    forms::Event<> MouseLeave;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseMove;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseUp;

    // The paint entry: state -1 is the current one; nothing is drawn while hidden or, unless forced,
    // when neither the state nor the focus changed. Returns the state the painter drew.
    long Redraw(long state, bool force);

    // Inspection for tests.
    const KtButtonLook& look() const { return look_; }
    const KtButtonState& state() const { return state_; }
    const KtButtonCache& cache() const { return cache_; }
    const hook::ButtonHook& hooks() const { return hook_; }
    int paintCount() const { return paints_; }

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Hide() override;
    void UserControl_Terminate() override;
    void UserControl_AmbientChanged(const std::wstring& PropertyName) override;
    void UserControl_MouseDown(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseMove(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseUp(int Button, int Shift, float X, float Y) override;
    void UserControl_Click() override { handleClick(); }
    void UserControl_DblClick() override;
    void UserControl_KeyDown(int& KeyCode, int Shift) override;
    void UserControl_KeyPress(int& KeyAscii) override;
    void UserControl_KeyUp(int& KeyCode, int Shift) override;
    void UserControl_AccessKeyPress(int KeyAscii) override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void propertyEffect(forms::OnChange effect) override;
    void windowMessage(core::MessageFrame& m) override;

private:
    KtButtonLook look_;
    KtButtonState state_;
    KtButtonCache cache_;
    hook::ButtonHook hook_;
    bool trackInUser32_ = true;
    HWND hostForm_ = nullptr;
    int paints_ = 0;

    void hookMessage(core::MessageFrame& m, bool before) override;
    // The one dispatch; hooked: the frame came through the hook, after the window's own procedure.
    void dispatch(core::MessageFrame& m, bool hooked);
    void onMouseLeave();
    void onFormActivation(WPARAM wParam);
    bool onSetCursor(LPARAM lParam);

    void SetColors();
    void handleClick();
    void ShowPopupMenu();
    void showHand() const;
    void loadHandCursor();
    void hookWindows();
    // Runs a font change and lays out again.
    template <class Change>
    void changeFont(Change change);
};

} // namespace widgets
