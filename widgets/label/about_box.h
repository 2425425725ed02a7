// The widget set's about box: a black-white-black ramp with an OK button, shown modally from each
// captioned widget's About.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/forms/form.h"

namespace widgets {

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
    void Form_KeyDown(int& keyCode, int shift) override;

private:
    std::vector<std::uint32_t> ramp_;
};

} // namespace widgets
