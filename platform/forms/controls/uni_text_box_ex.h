#pragma once

#include "platform/forms/controls/text_box.h"

namespace textbox {

// The search box: one line of Unicode text. Text, colours, font, selection, focus, the key events
// (KeyCode and the Shift mask 1/2/4) and Change are the run time's text box, kept to one line: Enter
// and Escape never beep, and text pasted with line breaks keeps its first line, as the system's
// one-line edit box does.
class UniTextBoxEx : public forms::TextBox {
public:
    // Lets layouts create the box by the type name "UniTextBoxEx".
    static void registerType();
};

} // namespace textbox
