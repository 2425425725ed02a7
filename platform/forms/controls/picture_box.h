#pragma once

#include "platform/core/constants.h"
#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

#include <cstdint>
#include <memory>

namespace forms {

// A drawing area with its own persistent surface and mouse events, placed in its container or
// floating above the form as a topmost tool window that never takes the activation.
class PictureBox : public UserControl {
public:
    PictureBox();
    static const PropertyTable<PictureBox>& properties();

    uint32_t BackColor() const;
    void setBackColor(uint32_t colour);
    uint32_t ForeColor() const;
    void setForeColor(uint32_t colour);
    std::shared_ptr<StdFont> Font() const;
    void setFont(std::shared_ptr<StdFont> font);
    std::shared_ptr<StdPicture> Picture() const;
    void setPicture(std::shared_ptr<StdPicture> picture);
    // 0 none, 1 a thin border.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    // Whether the box takes the size of its picture (the picture's size inside the border).
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    int ScaleMode() const;
    void setScaleMode(int mode);
    double ScaleWidth();
    double ScaleHeight();
    void Cls();

    // A floating picture box is a top-level tool window owned by its form; Left and Top are then
    // screen positions in twips. It shows without activation and stays above other windows.
    bool Floating() const { return floating_; }
    void setFloating(bool floating);

    Event<> Click;
    Event<> DblClick;
    Event<int, int, float, float> MouseDown;
    Event<int, int, float, float> MouseMove;
    Event<int, int, float, float> MouseUp;
    Event<> Resize;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& bag) override;
    void UserControl_WriteProperties(PropertyBag& bag) override;
    void UserControl_Resize() override { RaiseEvent(Resize); }
    void UserControl_Click() override { RaiseEvent(Click); }
    void UserControl_DblClick() override { RaiseEvent(DblClick); }
    void UserControl_MouseDown(int b, int s, float x, float y) override;
    void UserControl_MouseMove(int b, int s, float x, float y) override;
    void UserControl_MouseUp(int b, int s, float x, float y) override;
    void windowMessage(core::MessageFrame& m) override;
    // Relayout: the border and, with AutoSize, the picture's size.
    void propertyEffect(OnChange effect) override;
    void surfaceMade(Surface& s) override;

private:
    int borderStyle_ = core::controlBorder::FixedSingle;
    bool floating_ = false;
    bool autoSize_ = false;
    HWND tip_ = nullptr; // the standard tooltip that shows ToolTipText
    std::wstring tipText_;

    void applyBorder();
    void updateTip();
    void fitPicture();
    float toScaleX(float pixels);
    float toScaleY(float pixels);
};

} // namespace forms
