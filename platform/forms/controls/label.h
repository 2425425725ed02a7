#pragma once

#include "platform/core/constants.h"
#include "platform/forms/controls/control_support.h"
#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

#include <cstdint>
#include <memory>
#include <string>

namespace forms {

// A caption on its container, with an opaque or transparent background.
class Label : public UserControl {
public:
    Label();
    static const PropertyTable<Label>& properties();

    const std::wstring& Caption() const { return caption_; }
    void setCaption(std::wstring caption);
    // 0 left, 1 right, 2 centre.
    int Alignment() const { return alignment_; }
    void setAlignment(int alignment);
    // 0 transparent, 1 opaque.
    int BackStyle() const { return backStyle_; }
    void setBackStyle(int style);
    uint32_t BackColor() const { return backColor_; }
    void setBackColor(uint32_t colour);
    uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(uint32_t colour);
    std::shared_ptr<StdFont> Font() const { return font_; }
    void setFont(std::shared_ptr<StdFont> font);

    Event<> Click;
    Event<> DblClick;
    Event<> Change;
    Event<int, int, float, float> MouseDown;
    Event<int, int, float, float> MouseMove;
    Event<int, int, float, float> MouseUp;

protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& bag) override;
    void UserControl_WriteProperties(PropertyBag& bag) override;
    void propertyEffect(OnChange effect) override;
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
    std::wstring caption_;
    int alignment_ = 0;
    int backStyle_ = 1;
    uint32_t backColor_ = core::sysColor::ButtonFace;
    uint32_t foreColor_ = core::sysColor::ButtonText;
    std::shared_ptr<StdFont> font_;
    controls::FontWatch fontWatch_;

    void useFont(std::shared_ptr<StdFont> font);
    void redraw();
};

} // namespace forms
