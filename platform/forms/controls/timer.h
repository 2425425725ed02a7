#pragma once

#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

namespace forms {

// Raises Timer every Interval milliseconds while Enabled and Interval > 0. Setting Enabled or
// Interval (even to the same value) starts the wait afresh. Never visible.
class Timer : public UserControl {
public:
    Timer();
    static const PropertyTable<Timer>& properties();

    int Interval() const { return interval_; }
    // 0 to 65535 (error 380 otherwise).
    void setInterval(int ms);
    bool Enabled() const override { return timerEnabled_; }
    void setEnabled(bool enabled) override;

    // The platform's Timer event (a member cannot share the class's name).
    Event<> Tick;

protected:
    void UserControl_ReadProperties(PropertyBag& bag) override;
    void UserControl_WriteProperties(PropertyBag& bag) override;
    void UserControl_InitProperties() override;
    void UserControl_Terminate() override;
    void windowMessage(core::MessageFrame& m) override;

private:
    int interval_ = 0;
    bool timerEnabled_ = true;
    bool running_ = false;

    void restart();
    void onTimer(core::MessageFrame& m);
};

} // namespace forms
