// The widget set's about box: a black-white-black ramp with an OK button, shown modally from each
// captioned widget's About.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/forms/event.h"
#include "platform/forms/form.h"
#include "platform/forms/user_control.h"

namespace widgets {

// The box's plain push button: raises Click on a click, and on Enter or Esc through its form.
class AboutButton : public forms::UserControl {
public:
    AboutButton();
    forms::Event<> Click;

protected:
    void UserControl_Resize() override { paint(); }
    void UserControl_GotFocus() override { paint(); }
    void UserControl_LostFocus() override { paint(); }
    void UserControl_Click() override { RaiseEvent(Click); }

private:
    void paint();
};

class fAbout : public forms::Form {
public:
    fAbout();
    // Shows the box modally and returns when it is closed; returns at once while it is already
    // loading or shown.
    static void showModal();
    // The box while it is loaded, else null.
    static fAbout* current();

    void bOK_Click();
    // The ramp colours drawn, one per row.
    const std::vector<std::uint32_t>& rows() const { return ramp_; }

protected:
    forms::Layout layout() const override;
    void Form_Load() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

private:
    std::vector<std::uint32_t> ramp_;
};

} // namespace widgets
