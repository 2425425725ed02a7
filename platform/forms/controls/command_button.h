#pragma once

#include "platform/core/message_frame.h"
#include "platform/forms/controls/control_support.h"
#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

#include <memory>
#include <string>

namespace forms {

// A plain push button (a system button inside the control): Click on a mouse click, on Space, on
// Enter as the form's default button and on Escape as its cancel button. "&" in the caption marks
// the access key.
class CommandButton : public UserControl {
public:
    CommandButton();
    ~CommandButton() override;
    static const PropertyTable<CommandButton>& properties();

    const std::wstring& Caption() const { return caption_; }
    void setCaption(std::wstring caption);
    std::shared_ptr<StdFont> Font() const { return font_; }
    void setFont(std::shared_ptr<StdFont> font);
    void setEnabled(bool enabled) override;
    HWND buttonWindow() const { return button_; }
    // Clicks the button from code (the platform's Value = True).
    void click();

    Event<> Click;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& bag) override;
    void UserControl_WriteProperties(PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_AccessKeyPress(int keyAscii) override;
    void UserControl_AmbientChanged(const std::wstring& name) override;
    void UserControl_Terminate() override;
    void windowMessage(core::MessageFrame& m) override;

private:
    HWND button_ = nullptr;
    WNDPROC buttonProc_ = nullptr;
    std::wstring caption_;
    std::shared_ptr<StdFont> font_;
    controls::FontWatch fontWatch_;

    void applyCaption();
    void applyFont();
    // Takes the font and gives its handle to the system window before the previous font can go.
    void useFont(std::shared_ptr<StdFont> font);
    void showDefault();
    void onCommand(core::MessageFrame& m);
    void onSetFocus(core::MessageFrame& m);
    // The system button inside: keys typed on it reach the form first when it previews keys.
    void buttonMessage(core::MessageFrame& m);
    void onButtonKey(core::MessageFrame& m);
};

} // namespace forms
