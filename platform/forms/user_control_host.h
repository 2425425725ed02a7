#pragma once

#include "platform/forms/window_object.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace forms {

class Form;
class StdFont;
class Surface;
class UserControl;

// What a control is placed in: a form or another control. It gives its controls their window
// parent and the ambient values they inherit.
class ControlHost : public WindowObject {
public:
    virtual ~ControlHost() = default;

    virtual HWND hWnd() = 0;
    // The form the host belongs to (the host itself for a form); null for a free-standing control.
    virtual Form* hostForm() = 0;
    virtual std::shared_ptr<StdFont> ambientFont() = 0;
    virtual uint32_t ambientBackColor() = 0;
    virtual uint32_t ambientForeColor() = 0;
    // The host's drawing surface DC and scale mode (1 twips, 3 pixels).
    virtual HDC hostDC() = 0;
    virtual int hostScaleMode() = 0;
    // The host's persistent image (what windowless-looking controls show behind themselves).
    virtual Surface* hostSurface() = 0;

    // Controls placed directly in this host, in creation order.
    const std::vector<UserControl*>& hostedControls() const { return hosted_; }

protected:
    // Tells the hosted controls that an ambient value changed.
    void notifyAmbientChanged(const std::wstring& name);

private:
    friend class UserControl;
    std::vector<UserControl*> hosted_;
};

} // namespace forms
