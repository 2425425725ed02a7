#pragma once

#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

#include <cstdint>

namespace forms {

// A vertical scroll bar. Min may be greater than Max (the bar then runs the other way). Values are
// 16-bit; a value outside the range is error 380. Change follows every change of Value (by code,
// arrows, page clicks and the end of a thumb drag); Scroll follows each move while the thumb is
// dragged.
class VScrollBar : public UserControl {
public:
    VScrollBar();
    static const PropertyTable<VScrollBar>& properties();

    int Min() const { return min_; }
    void setMin(int value);
    int Max() const { return max_; }
    void setMax(int value);
    int Value() const { return value_; }
    void setValue(int value);
    int SmallChange() const { return smallChange_; }
    void setSmallChange(int value);
    int LargeChange() const { return largeChange_; }
    void setLargeChange(int value);
    void setEnabled(bool enabled) override;
    HWND barWindow() const { return bar_; }

    Event<> Change;
    Event<> Scroll;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& bag) override;
    void UserControl_WriteProperties(PropertyBag& bag) override;
    void UserControl_Resize() override;
    void windowMessage(core::MessageFrame& m) override;
    // A scroll code of the bar, with the thumb position of a drag.
    void onVScroll(int code, int track);

private:
    HWND bar_ = nullptr;
    // Stored as the 16-bit values they are.
    int16_t min_ = 0, max_ = 32767, value_ = 0, smallChange_ = 1, largeChange_ = 1;
    bool dragging_ = false;
    int dragFrom_ = 0;

    int clampValue(int v) const;
    void applyRange();
    // Sets the value from the bar; raises Scroll while dragging, else Change when it changed.
    void moveTo(int v, bool scrolling);
};

} // namespace forms
