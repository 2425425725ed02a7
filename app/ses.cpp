#include "app/ses.h"

#include "app/captions.h"
#include "app/form_parts.h"
#include "app/main_window.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/wait_pointer.h"
#include "widgets/command_button/kt_button.h"
#include "widgets/slider/uc_slider.h"
#include "widgets/frame/frame_kdq.h"
#include "widgets/label/label_kdq.h"

#include <utility>

namespace app {

std::optional<SpeedCaptions> speedCaptions(const std::wstring& code) {
    if (code == L"az")
        return SpeedCaptions{L"Rusca dan\u0131\u015F\u0131q s\u00FCr\u0259ti",
                             L"\u0130ngilisc\u0259 dan\u0131\u015F\u0131q s\u00FCr\u0259ti", L"Q\u0259bul"};
    if (code == L"tr")
        return SpeedCaptions{L"Rus\u00E7a konu\u015Fma s\u00FCrati",
                             L"\u0130ngilizce konu\u015Fma s\u00FCrati", L"Tamam"};
    if (code == L"ru")
        return SpeedCaptions{
            L"\u0421\u043A\u043E\u0440\u043E\u0441\u0442\u044C \u0440\u0443\u0441\u0441\u043A\u043E\u0439 "
            L"\u0440\u0435\u0447\u0438",
            L"\u0421\u043A\u043E\u0440\u043E\u0441\u0442\u044C \u0440\u0435\u0447\u0438 \u043D\u0430 "
            L"\u0430\u043D\u0433\u043B\u0438\u0439\u0441\u043A\u043E\u043C \u044F\u0437\u044B\u043A\u0435",
            L"\u041F\u0440\u0438\u043D\u044F\u0442\u044C"};
    if (code == L"en") return SpeedCaptions{L"Russian speech speed", L"English speech speed", L"Ok"};
    return std::nullopt;
}

ses::ses() {
    setName(L"ses");
    setCaption(L"Vexa R7 Edition");
    setBorderStyle(3);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(0xF9F9F9);
    setClientSize(5400, 3120);
    setFont(tahoma(8.25));
}

forms::Layout ses::layout() const {
    auto frame = [](const wchar_t* name, int top, const wchar_t* caption) {
        return entry(L"Frame_KDQ", name, 240, top, 4920, 1080,
                     {{L"Font", core::Variant(tahoma(8.25, true))},
                      {L"Caption", core::Variant(std::wstring(caption))},
                      {L"FrameStyle", 1},
                      {L"AlignmentText", 2},
                      {L"ShadowText", false},
                      {L"ShadowColor", core::Variant::colour(0)},
                      {L"BorderColor", core::Variant::colour(0x800000)},
                      {L"BackTitleColor", core::Variant::colour(0x800000)},
                      {L"BackFrameColor", core::Variant::colour(0xF9F9F9)},
                      {L"RoundCorner", false}});
    };
    // Each slider inside its frame, whose scale is pixels.
    auto slider = [](const wchar_t* name, const wchar_t* frame, int tab) {
        forms::LayoutEntry e = entry(
            L"ucSlider", name, 24, 34, 280, 16,
            {{L"Min", 1}, {L"Max", 19}, {L"Orientation", 0}, {L"BackColor", core::Variant::colour(0xF9F9F9)}},
            frame);
        e.tabIndex = tab;
        return e;
    };
    forms::LayoutEntry ok = entry(L"ktButton", L"UniButton2", 2100, 2520, 1200, 420, buttonLook(L"OK"));
    ok.tabIndex = 2;
    ok.isDefault = true;
    return {frame(L"en", 120, L"English"), frame(L"ru", 1320, L"Russian"), slider(L"ens", L"en", 0),
            slider(L"rus", L"ru", 1), ok};
}

void ses::Form_Load() {
    if (auto missing = missingDatabase()) {
        tellFormRefused(ToolForm::Speech, messageText(Message::FileMissing, interfaceLanguage(), *missing));
        Unload();
        return;
    }
    if (auto c = speedCaptions(interfaceLanguage())) {
        control<widgets::Frame_KDQ>(L"ru").setCaption(c->russian);
        control<widgets::Frame_KDQ>(L"en").setCaption(c->english);
        control<widgets::ktButton>(L"UniButton2").setCaption(c->button);
    }
    control<widgets::ktButton>(L"UniButton2").Click.handle([this] { ok(); });
    Speeds speeds;
    try {
        // Another program's hold on the file is waited for.
        forms::WaitPointer busy;
        speeds = readSpeeds(cn_, rs_, programFolder(), speeds);
    } catch (const core::RuntimeError& e) {
        tellFormRefused(ToolForm::Speech, failureText(e, interfaceLanguage()));
        Unload();
        return;
    }
    control<widgets::ucSlider>(L"ens").setValue(stepOfSpeed(speeds.english));
    control<widgets::ucSlider>(L"rus").setValue(stepOfSpeed(speeds.russian));
}

void ses::ok() {
    const Speeds speeds{speedOfStep(control<widgets::ucSlider>(L"ens").Value()),
                        speedOfStep(control<widgets::ucSlider>(L"rus").Value())};
    try {
        forms::WaitPointer busy;
        storeSpeeds(cn_, programFolder(), speeds);
    } catch (const core::RuntimeError& e) {
        tell(notSavedText(e, interfaceLanguage()));
        return;
    }
    if (forms::Form* main = mainWindow()) showSpeeds(*main, speeds);
    Unload();
}

} // namespace app
