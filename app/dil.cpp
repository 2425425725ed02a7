#include "app/dil.h"

#include "app/captions.h"
#include "app/form_parts.h"
#include "app/main_window.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/wait_pointer.h"
#include "widgets/command_button/kt_button.h"
#include "app/settings.h"
#include "widgets/option_check/morph_option_check.h"

namespace app {

namespace {

const wchar_t* const kNames[] = {L"Az\u0259rbaycan dili", L"T\u00FCrk\u00E7e",
                                 L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 \u044F\u0437\u044B\u043A",
                                 L"English"};

} // namespace

const wchar_t* languageName(int option) {
    return option >= 0 && option < 4 ? kNames[option] : L"";
}

int optionOfCode(const std::wstring& code) {
    for (int i = 0; i < 4; ++i)
        if (code == kLanguageOptions[i]) return i;
    return 0;
}

std::wstring chosenCode(const std::array<int16_t, 4>& values) {
    for (int i = 0; i < 4; ++i)
        if (values[i] != 0) return kLanguageOptions[i];
    return L"az";
}

dil::dil() {
    setName(L"dil");
    setCaption(L"Vexa R7 Edition");
    setBorderStyle(3);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(0xF9F9F9);
    setClientSize(3600, 2700);
    setFont(tahoma(8.25));
}

forms::Layout dil::layout() const {
    forms::Layout l;
    for (int i = 0; i < 4; ++i) {
        forms::LayoutEntry e = entry(L"MorphOptionCheck", kLanguageOptions[i], 480, 240 + i * 420, 2640, 330,
                                     {{L"ControlType", widgets::OptionButtonType},
                                      {L"Font", core::Variant(tahoma(9, true))},
                                      {L"BackColor1", core::Variant::colour(0xF5E8DC)},
                                      {L"BackColor2", core::Variant::colour(0xFFFFFF)},
                                      {L"BackAngle", 0.0f},
                                      {L"BackMiddleOut", false},
                                      {L"BorderColor", core::Variant::colour(0x800000)},
                                      {L"BorderCurvature", int16_t(6)},
                                      {L"CheckBorderColor", core::Variant::colour(0x800000)},
                                      {L"CheckBoxColor1", core::Variant::colour(0xFFFFFF)},
                                      {L"CheckBoxColor2", core::Variant::colour(0xFFFFFF)},
                                      {L"CheckColor", core::Variant::colour(0x800000)},
                                      {L"CaptionColor", core::Variant::colour(0x400000)}});
        e.tabIndex = i;
        l.push_back(std::move(e));
    }
    forms::LayoutEntry ok = entry(L"ktButton", L"UniButton1", 1200, 2010, 1200, 420, buttonLook(L"Ok"));
    ok.tabIndex = 4;
    ok.isDefault = true;
    l.push_back(std::move(ok));
    return l;
}

void dil::Form_Load() {
    if (auto missing = missingDatabase()) {
        tellFormRefused(ToolForm::Language, messageText(Message::FileMissing, interfaceLanguage(), *missing));
        Unload();
        return;
    }
    for (int i = 0; i < 4; ++i) {
        auto& option = control<widgets::MorphOptionCheck>(kLanguageOptions[i]);
        option.setCaption(languageName(i));
        option.Click.handle([this, i] { optionClicked(i); });
    }
    control<widgets::ktButton>(L"UniButton1").Click.handle([this] { ok(); });

    std::wstring code;
    try {
        // Another program's hold on the file is waited for.
        forms::WaitPointer busy;
        OperationScope scope{cn_, rs_};
        cn_.Open(settingsConnectionString(programFolder()), L"", L"", -1);
        rs_.Open(L"select * from dil", cn_, 1, 3, -1);
        const core::Variant v = rs_.Fields(L"dil").Value();
        if (!v.isNull() && !v.isEmpty()) code = v.toString();
    } catch (const core::RuntimeError& e) {
        tellFormRefused(ToolForm::Language, failureText(e, interfaceLanguage()));
        Unload();
        return;
    }
    control<widgets::MorphOptionCheck>(kLanguageOptions[optionOfCode(code)]).setValue(1);
}

void dil::optionClicked(int option) {
    for (int i = 0; i < 4; ++i)
        if (i != option) control<widgets::MorphOptionCheck>(kLanguageOptions[i]).setValue(0);
}

void dil::ok() {
    std::array<int16_t, 4> values{};
    for (int i = 0; i < 4; ++i) values[i] = control<widgets::MorphOptionCheck>(kLanguageOptions[i]).Value();
    try {
        forms::WaitPointer busy;
        storeSetting(cn_, rs_, programFolder(), L"dil", L"dil", core::Variant(chosenCode(values)));
    } catch (const core::RuntimeError& e) {
        // Nothing was stored: the form stays open and the main window keeps its language.
        tell(notSavedText(e, interfaceLanguage()));
        return;
    }
    setMainLabel(L"flo", mainLabel(L"flo") + L"dil");
    Unload();
}

} // namespace app
