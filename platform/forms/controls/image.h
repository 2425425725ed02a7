#pragma once

#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

#include <memory>
#include <string>

namespace forms {

// A picture on its container (transparent where the picture is), at its natural size or stretched.
class Image : public UserControl {
public:
    Image();
    static const PropertyTable<Image>& properties();

    std::shared_ptr<StdPicture> Picture() const { return picture_; }
    void setPicture(std::shared_ptr<StdPicture> picture);
    bool Stretch() const { return stretch_; }
    void setStretch(bool stretch);

    Event<> Click;
    Event<> DblClick;
    Event<int, int, float, float> MouseDown;
    Event<int, int, float, float> MouseMove;
    Event<int, int, float, float> MouseUp;

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& bag) override;
    void UserControl_WriteProperties(PropertyBag& bag) override;
    void propertyEffect(OnChange effect) override {
        if (effect != OnChange::None) redraw();
    }
    void UserControl_Resize() override { redraw(); }
    void UserControl_Show() override { redraw(); }
    // What shows through a transparent background follows the container's colour.
    void UserControl_AmbientChanged(const std::wstring&) override { redraw(); }
    void UserControl_Click() override { RaiseEvent(Click); }
    void UserControl_DblClick() override { RaiseEvent(DblClick); }
    void UserControl_MouseDown(int b, int s, float x, float y) override { RaiseEvent(MouseDown, b, s, x, y); }
    void UserControl_MouseMove(int b, int s, float x, float y) override { RaiseEvent(MouseMove, b, s, x, y); }
    void UserControl_MouseUp(int b, int s, float x, float y) override { RaiseEvent(MouseUp, b, s, x, y); }

private:
    std::shared_ptr<StdPicture> picture_;
    bool stretch_ = false;

    void redraw();
};

// A rectangle outline (and optional fill) on its container; it takes no mouse input.
class Shape : public UserControl {
public:
    Shape();
    static const PropertyTable<Shape>& properties();

    uint32_t BorderColor() const { return borderColor_; }
    void setBorderColor(uint32_t colour);
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);
    // 0 transparent, 1 opaque.
    int BackStyle() const { return backStyle_; }
    void setBackStyle(int style);
    uint32_t BackColor() const { return backColor_; }
    void setBackColor(uint32_t colour);
    // 0 solid, 1 transparent.
    int FillStyle() const { return fillStyle_; }
    void setFillStyle(int style);
    uint32_t FillColor() const { return fillColor_; }
    void setFillColor(uint32_t colour);

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& bag) override;
    void UserControl_WriteProperties(PropertyBag& bag) override;
    void propertyEffect(OnChange effect) override {
        if (effect != OnChange::None) redraw();
    }
    void UserControl_Resize() override { redraw(); }
    void UserControl_Show() override { redraw(); }
    // What shows through a transparent background follows the container's colour.
    void UserControl_AmbientChanged(const std::wstring&) override { redraw(); }
    void windowMessage(core::MessageFrame& m) override;

private:
    uint32_t borderColor_ = core::sysColor::WindowText;
    int borderWidth_ = 1;
    int backStyle_ = 0;
    uint32_t backColor_ = core::sysColor::WindowBackground;
    int fillStyle_ = 1;
    uint32_t fillColor_ = 0;

    void redraw();
};

} // namespace forms
