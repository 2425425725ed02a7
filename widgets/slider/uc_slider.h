// The slider: a thumb dragged along a rail to choose a whole number between Min and Max, lying
// horizontally or vertically, with a value tip beside the thumb while it is dragged.
#pragma once

#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/user_control.h"
#include "widgets/slider/slider_model.h"

#include <cstdint>
#include <memory>

namespace forms {
class StdPicture;
template <class C>
class PropertyTable;
enum class OnChange;
} // namespace forms

namespace widgets {

class ucSlider : public forms::UserControl, private SliderSurface {
public:
    ucSlider();
    ~ucSlider() override;
    // Lets layouts create sliders by the type name "ucSlider".
    static void registerType();
    static const forms::PropertyTable<ucSlider>& properties();

    // Value is what hosts read and write.
    int32_t Value() const { return model_.look.Value; }
    void setValue(int32_t value);
    int32_t Min() const { return model_.look.Min; }
    void setMin(int32_t value);
    int32_t Max() const { return model_.look.Max; }
    void setMax(int32_t value);
    // Gates only the start of a drag: the window stays enabled and still raises Click.
    bool Enabled() const override { return model_.look.Enabled; }
    void setEnabled(bool enabled) override;
    uint32_t BackColor() const { return model_.look.BackColor; }
    void setBackColor(uint32_t colour);
    int32_t MousePointer() const { return forms::UserControl::MousePointer(); }
    // Error 6 beyond 16 bits, 380 for a pointer the run time does not know.
    void setMousePointer(int32_t pointer);
    std::shared_ptr<forms::StdPicture> MouseIcon() const { return model_.look.MouseIcon; }
    void setMouseIcon(std::shared_ptr<forms::StdPicture> icon);
    // 0 horizontal, 1 vertical; any other number is kept and lays nothing out.
    int32_t Orientation() const { return model_.look.Orientation; }
    void setOrientation(int32_t orientation);
    // 0 to 4 edge styles, 99 picture rail; others draw no rail.
    int32_t RailStyle() const { return model_.look.RailStyle; }
    void setRailStyle(int32_t style);
    std::shared_ptr<forms::StdPicture> SliderImage() const { return model_.look.SliderImage; }
    void setSliderImage(std::shared_ptr<forms::StdPicture> picture);
    std::shared_ptr<forms::StdPicture> RailImage() const { return model_.look.RailImage; }
    void setRailImage(std::shared_ptr<forms::StdPicture> picture);
    bool ShowValueTip() const { return model_.look.ShowValueTip; }
    void setShowValueTip(bool show);

    forms::Event<> Click;
    forms::Event<> ArrivedFirst;
    forms::Event<> ArrivedLast;
    forms::Event<> Change;
    // Shift goes by reference; what the host does to it is ignored.
    forms::Event<int16_t&> MouseDown;
    forms::Event<int16_t&> MouseUp;

    // --- Inspection for tests
    const SliderState& state() const { return model_.state; }

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override { layOut(); }
    void UserControl_Show() override { model_.DrawRail(); }
    void UserControl_Terminate() override;
    void UserControl_MouseDown(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseMove(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseUp(int Button, int Shift, float X, float Y) override;
    void propertyEffect(forms::OnChange effect) override;
    void windowMessage(core::MessageFrame& m) override;

private:
    SliderModel model_;
    int tppX_, tppY_;
    // The layout sizes the control itself; the resize that causes must not lay out again.
    bool layingOut_ = false;

    // A plain write through the table: no notice to the host, then the row's effect.
    template <class T>
    void store(const wchar_t* key, const T& value);
    void layOut();
    void sizeTo(int widthPixels, int heightPixels);
    void thumbTakesPicture();
    void railTakesPicture();
    void onCaptureChanged(HWND newCapture);

    // SliderSurface
    float scaleWidth() const override;
    float scaleHeight() const override;
    void paint() override;
    bool raise(SliderEvent event, int16_t shift) override;
    void showTip() override;
    void closeTip() override;
};

} // namespace widgets
