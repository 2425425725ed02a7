// The control that configures the owner-drawn menu engine on a form and starts it with Setup.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

namespace widgets {

class Menu_KDQ : public forms::UserControl {
public:
    Menu_KDQ() = default;
    static void registerType();
    static const forms::PropertyTable<Menu_KDQ>& properties();

    // The engine's settings: there is one engine per process.
    bool TiengViet() const;
    void setTiengViet(bool value) { setProperty(properties(), L"TiengViet", value); }
    // The control's font, named as the engine's item font.
    std::shared_ptr<forms::StdFont> FontName();
    void setFontName(std::shared_ptr<forms::StdFont> value);
    std::int32_t FontHeight() const;
    void setFontHeight(std::int32_t value) { setProperty(properties(), L"FontHeight", value); }

    // Starts the engine for the form hWnd.
    void Setup(HWND hWnd);
    void Refresh() override;
    void About();

protected:
    void UserControl_Initialize() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override { properties().read(*this, bag); }
    void UserControl_WriteProperties(forms::PropertyBag& bag) override { properties().write(*this, bag); }
    void UserControl_Resize() override;
    void UserControl_Terminate() override;

private:
    static forms::PropertyTable<Menu_KDQ> makeProperties();
};

} // namespace widgets
