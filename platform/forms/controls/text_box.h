#pragma once

#include "platform/core/message_frame.h"
#include "platform/forms/controls/control_support.h"
#include "platform/forms/event.h"
#include "platform/core/constants.h"
#include "platform/forms/gdi.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

#include <cstdint>
#include <memory>
#include <string>

namespace forms {

// A box of editable Unicode text (a system edit window inside the control). Change is raised at
// once whenever the text really changes, by the user or by code; setting the same text again
// raises nothing.
class TextBox : public UserControl {
public:
    TextBox();
    ~TextBox() override;
    static const PropertyTable<TextBox>& properties();

    std::wstring Text() const;
    void setText(const std::wstring& text);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    std::wstring SelText() const;
    void setSelText(const std::wstring& text);
    bool Locked() const { return locked_; }
    void setLocked(bool locked);
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int length);
    // Design-time: several lines with wrapping (set before the control is placed).
    bool MultiLine() const { return multiLine_; }
    void setMultiLine(bool multi);
    // 0 none, 1 the sunken edge.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    uint32_t BackColor() const { return backColor_; }
    void setBackColor(uint32_t colour);
    uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(uint32_t colour);
    std::shared_ptr<StdFont> Font() const { return font_; }
    void setFont(std::shared_ptr<StdFont> font);
    void setEnabled(bool enabled) override;
    // The edit window inside.
    HWND editWindow() const { return edit_; }
    // While KeyDown is raised: whether the key was down already, so the keyboard repeats it.
    bool keyRepeats() const { return keyRepeats_; }

    Event<> Change;
    Event<int&, int> KeyDown;
    Event<int&, int> KeyUp;
    Event<int&> KeyPress;
    Event<> GotFocus;
    Event<> LostFocus;
    Event<> Click;
    Event<int, int, float, float> MouseDown;
    Event<int, int, float, float> MouseUp;
    Event<int, int, float, float> MouseMove;

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(PropertyBag& bag) override;
    void UserControl_WriteProperties(PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Terminate() override;
    void propertyEffect(OnChange effect) override;
    void windowMessage(core::MessageFrame& m) override;

private:
    HWND edit_ = nullptr;
    WNDPROC editProc_ = nullptr;
    std::wstring text_; // what Change last compared against
    bool locked_ = false, multiLine_ = false;
    int maxLength_ = 0;
    int16_t borderStyle_ = core::controlBorder::FixedSingle;
    uint32_t backColor_ = core::sysColor::WindowBackground;
    uint32_t foreColor_ = core::sysColor::WindowText;
    std::shared_ptr<StdFont> font_;
    controls::FontWatch fontWatch_;
    GdiBrush brush_;
    bool inSetText_ = false;
    bool keyRepeats_ = false;

    void createEdit();
    // Gives the stored values to the edit window, made anew when its styles changed.
    void applyStored(bool styleChanged);
    void applyFont();
    // Takes the font and gives its handle to the system window before the previous font can go.
    void useFont(std::shared_ptr<StdFont> font);
    void textChanged();
    // The control's window.
    void onCommand(core::MessageFrame& m);
    void onControlColour(core::MessageFrame& m);
    void onSetFocus(core::MessageFrame& m);
    // The edit window inside: one dispatch, a handler for each kind of message.
    void editMessage(core::MessageFrame& m);
    void onEditKey(core::MessageFrame& m);
    void onEditChar(core::MessageFrame& m);
    void onEditFocus(core::MessageFrame& m);
    void onEditMouse(core::MessageFrame& m);
    void onEditDialogCode(core::MessageFrame& m);
};

} // namespace forms
