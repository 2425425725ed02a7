// The captioned frame: a group frame with a caption (VNI digits or Unicode) in one of six looks, five
// colour themes for the themed looks, and the mouse relayed to its host. It takes no focus, and
// controls may be placed on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"
#include "widgets/frame/frame_paint.h"

namespace widgets {

class Frame_KDQ : public forms::UserControl {
public:
    Frame_KDQ();
    // Lets layouts create frames by the type name "Frame_KDQ".
    static void registerType();

    // The stored properties: key, field, stored default, the value a new frame is created with where
    // it differs, and what a change does.
    static const forms::PropertyTable<Frame_KDQ>& properties();

    const std::shared_ptr<forms::StdFont>& Font() const { return font_; }
    void setFont(std::shared_ptr<forms::StdFont> value);
    const std::wstring& Caption() const { return look_.Caption; }
    void setCaption(std::wstring value) { set(L"Caption", value); }
    bool TiengViet() const { return look_.TiengViet; }
    void setTiengViet(bool value) { set(L"TiengViet", value); }
    std::int32_t FrameStyle() const { return look_.FrameStyle; }
    void setFrameStyle(std::int32_t value);
    std::int32_t AlignmentText() const { return look_.AlignmentText; }
    void setAlignmentText(std::int32_t value) { set(L"AlignmentText", value); }
    bool ShadowText() const { return look_.ShadowText; }
    void setShadowText(bool value) { set(L"ShadowText", value); }
    std::uint32_t ShadowColor() const { return look_.ShadowColor; }
    void setShadowColor(std::uint32_t value) { set(L"ShadowColor", value); }
    std::int32_t ThemeColor() const { return look_.ThemeColor; }
    void setThemeColor(std::int32_t value);
    std::uint32_t BorderColor() const { return look_.BorderColor; }
    void setBorderColor(std::uint32_t value) { set(L"BorderColor", value); }
    std::uint32_t BackTitleColor() const { return look_.BackTitleColor; }
    void setBackTitleColor(std::uint32_t value) { set(L"BackTitleColor", value); }
    std::uint32_t ForeTitleColor() const { return look_.ForeTitleColor; }
    void setForeTitleColor(std::uint32_t value) { set(L"ForeTitleColor", value); }
    std::uint32_t BackFrameColor() const { return look_.BackFrameColor; }
    void setBackFrameColor(std::uint32_t value) { set(L"BackFrameColor", value); }
    std::int16_t TitleHeight() const { return look_.TitleHeight; }
    void setTitleHeight(std::int16_t value) { set(L"TitleHeight", value); }
    bool RoundCorner() const { return look_.RoundCorner; }
    void setRoundCorner(bool value) { set(L"RoundCorner", value); }
    std::uint32_t BackColor() const { return look_.BackColor; }
    void setBackColor(std::uint32_t value);
    std::int32_t BorderGradientWidth() const { return look_.BorderGradientWidth; }
    void setBorderGradientWidth(std::int32_t value) { set(L"BorderGradientWidth", value); }
    std::uint32_t GradientOutColor() const { return look_.GradientOutColor; }
    void setGradientOutColor(std::uint32_t value) { set(L"GradientOutColor", value); }
    std::uint32_t GradientInColor() const { return look_.GradientInColor; }
    void setGradientInColor(std::uint32_t value) { set(L"GradientInColor", value); }
    // The frame's window, under the name its hosts use; read only.
    HWND Hwnd() { return hWnd(); }
    // Paints the frame again (unless a paint is held).
    void Refresh() override;
    // Shows the widget set's about box modally.
    void About();

    forms::Event<> Click;
    forms::Event<> DblClick;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseDown;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseMove;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseUp;

    // The run-time state (held paints, the current theme's colours), for tests and hosts that look.
    const FrameState& state() const { return state_; }
    // Called after every paint that was not held: a test seam.
    void setPaintObserver(std::function<void()> observer) { painted_ = std::move(observer); }

protected:
    void UserControl_Initialize() override;
    // A new frame keeps the values it was created with.
    void UserControl_InitProperties() override {}
    // The stored form is the property table's: read (a themed look rebuilds its theme right after
    // "ThemeColor"), then one paint; written as it stands.
    void UserControl_ReadProperties(forms::PropertyBag& bag) override {
        properties().read(*this, bag);
        Refresh();
    }
    void UserControl_WriteProperties(forms::PropertyBag& bag) override { properties().write(*this, bag); }
    void UserControl_Resize() override { Refresh(); }
    void propertyEffect(forms::OnChange effect) override;
    void UserControl_MouseDown(int button, int shift, float x, float y) override;
    void UserControl_MouseMove(int button, int shift, float x, float y) override;
    void UserControl_MouseUp(int button, int shift, float x, float y) override;
    void UserControl_Click() override { RaiseEvent(Click); }
    void UserControl_DblClick() override { RaiseEvent(DblClick); }

private:
    FrameLook look_;
    FrameState state_;
    std::shared_ptr<forms::StdFont> font_;
    std::function<void()> painted_;

    static forms::PropertyTable<Frame_KDQ> makeProperties();
    template <class T>
    void set(const wchar_t* key, const T& value) {
        setProperty(properties(), key, value);
    }
    // Sets the theme's colours, BorderColor and BackFrameColor from ThemeColor; paints nothing.
    void ApplyThemeColor();
    bool themed() const;
    void relay(const forms::Event<std::int16_t&, std::int16_t&, float&, float&>& event, int button, int shift,
               float x, float y);
};

} // namespace widgets
