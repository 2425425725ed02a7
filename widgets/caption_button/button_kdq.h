// The captioned push button: a face painted in one of five looks, an optional picture and a
// caption (VNI digits or Unicode) with a shadow; it follows the pointer itself and presses with the
// left button, Space and its access key.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/message_frame.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"
#include "widgets/caption_button/button_kdq_paint.h"

namespace widgets {

class Button_KDQ : public forms::UserControl {
public:
    Button_KDQ();
    // Lets layouts create buttons by the type name "Button_KDQ".
    static void registerType();
    static const forms::PropertyTable<Button_KDQ>& properties();

    std::int32_t ButtonStyle() const { return look_.ButtonStyle; }
    void setButtonStyle(std::int32_t value) { set(L"ButtonStyle", value); }
    bool Enabled() const override { return look_.Enabled; }
    void setEnabled(bool value) override;
    bool TiengViet() const { return look_.TiengViet; }
    void setTiengViet(bool value);
    const std::wstring& Caption() const { return look_.Caption; }
    void setCaption(std::wstring value);
    const std::wstring& CaptionTV() const { return captionTV_; }
    std::uint32_t Forecolor() const { return look_.Forecolor; }
    void setForecolor(std::uint32_t value) { set(L"Forecolor", value); }
    std::uint32_t ShadowColor() const { return look_.ShadowColor; }
    void setShadowColor(std::uint32_t value) { set(L"ShadowColor", value); }
    bool Shadow() const { return look_.Shadow; }
    void setShadow(bool value) { set(L"Shadow", value); }
    std::int32_t AlignmentText() const { return look_.AlignmentText; }
    void setAlignmentText(std::int32_t value) { set(L"AlignmentText", value); }
    const std::shared_ptr<forms::StdFont>& Font() const { return font_; }
    void setFont(std::shared_ptr<forms::StdFont> value);
    std::shared_ptr<forms::StdPicture> Picture() const;
    void setPicture(std::shared_ptr<forms::StdPicture> value);
    std::int32_t AlignmentPicture() const { return look_.AlignmentPicture; }
    void setAlignmentPicture(std::int32_t value) { set(L"AlignmentPicture", value); }
    std::int32_t PictureSize() const { return look_.PictureSize; }
    void setPictureSize(std::int32_t value) { set(L"PictureSize", value); }
    bool TransPicture() const { return look_.TransPicture; }
    void setTransPicture(bool value) { set(L"TransPicture", value); }
    std::uint32_t TransColor() const { return look_.TransColor; }
    void setTransColor(std::uint32_t value) { set(L"TransColor", value); }
    std::int32_t PictureWidth() const { return look_.PictureWidth; }
    void setPictureWidth(std::int32_t value) { set(L"PictureWidth", value); }
    std::int32_t PictureHeight() const { return look_.PictureHeight; }
    void setPictureHeight(std::int32_t value) { set(L"PictureHeight", value); }
    bool TooltipTiengViet() const { return tooltipTiengViet_; }
    void setTooltipTiengViet(bool value) { set(L"ToolTipTiengViet", value); }

    // Shows the widget set's about box modally.
    void About();
    static void SignPic(std::int32_t wSrc, std::int32_t hSrc, std::int32_t wDes, std::int32_t hDes,
                        std::int32_t& wResult, std::int32_t& hResult);
    void PSetR(std::int16_t x, std::int16_t y, std::uint32_t color);
    void LineXG(std::int16_t x1, std::int16_t y, std::int16_t x2, std::uint32_t c1, std::uint32_t c2);
    void LineYG(std::int16_t x, std::int16_t y1, std::int16_t y2, std::uint32_t c1, std::uint32_t c2);

    // The look the face shows now (0 normal to 4 disabled), the pointer and key state behind it, and
    // the constituent that holds the picture.
    int faceLook() const;
    const ButtonState& state() const { return state_; }
    forms::PictureBox* PSrc() const { return pSrc_.get(); }

    forms::Event<> Click;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseDown;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseMove;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseUp;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseLeave;
    forms::Event<std::int16_t&, std::int16_t&> KeyDown;
    forms::Event<std::int16_t&> KeyPress;
    forms::Event<std::int16_t&, std::int16_t&> KeyUp;

protected:
    void UserControl_Initialize() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override { properties().write(*this, bag); }
    void propertyEffect(forms::OnChange effect) override;
    void UserControl_Resize() override { Redraw(); }
    void UserControl_Hide() override;
    void UserControl_Terminate() override;
    void UserControl_AmbientChanged(const std::wstring& name) override;
    void UserControl_MouseDown(int button, int shift, float x, float y) override;
    void UserControl_MouseMove(int button, int shift, float x, float y) override;
    void UserControl_MouseUp(int button, int shift, float x, float y) override;
    void UserControl_Click() override { clicked(); }
    void UserControl_DblClick() override;
    void UserControl_KeyDown(int& keyCode, int shift) override;
    void UserControl_KeyUp(int& keyCode, int shift) override;
    void UserControl_KeyPress(int& keyAscii) override;
    void UserControl_GotFocus() override;
    void UserControl_ExitFocus() override;
    void UserControl_AccessKeyPress(int keyAscii) override;
    void windowMessage(core::MessageFrame& m) override;

private:
    ButtonLook look_;
    ButtonState state_;
    std::wstring captionTV_;
    std::shared_ptr<forms::StdFont> font_;
    bool tooltipTiengViet_ = false;
    std::shared_ptr<forms::PictureBox> pSrc_;

    static forms::PropertyTable<Button_KDQ> makeProperties();
    template <class T>
    void set(const wchar_t* key, const T& value) {
        setProperty(properties(), key, value);
    }
    // The caption as shown follows Caption and TiengViet; so does the access key.
    void captionChanged();
    void Redraw();
    ButtonPictureSource pictureSource() const;
    // Each returns false when the control went during the event it raised.
    bool pressed(int button, int shift, float x, float y);
    bool released(int button, int shift, float x, float y);
    bool clicked();
    void moveFocus(bool forward);
};

} // namespace widgets
