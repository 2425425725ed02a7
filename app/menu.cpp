#include "app/menu.h"

#include "app/captions.h"
#include "app/form_parts.h"
#include "app/main_window.h"
#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/controls/label.h"
#include "widgets/label/label_kdq.h"

#include <algorithm>

namespace app {

namespace {

constexpr std::uint32_t kHot = 0xECBF9B;
constexpr std::uint32_t kBack = 0xF9F9F9;

} // namespace

std::optional<speech::Language> spokenLanguage(const std::wstring& origin, int direction) {
    using speech::Language;
    if (origin == L"list") {
        if (direction == 1 || direction == 2) return Language::English;
        if (direction == 3 || direction == 4) return Language::Russian;
    } else if (origin == L"ul") {
        if (direction == 3 || direction == 5) return Language::English;
        if (direction == 2 || direction == 6) return Language::Russian;
    }
    return std::nullopt;
}

VoiceCall voiceCall(speech::Gender gender, speech::Language language, const Speeds& stored) {
    const bool russian = language == speech::Language::Russian;
    const int speed =
        gender == speech::Gender::Man ? (russian ? 120 : 180) : (russian ? stored.russian : stored.english);
    return {russian ? speech::kRussianId : speech::kEnglishId, speech::modeIdOf({language, gender}), speed};
}

std::optional<PopupCaptions> popupCaptions(const std::wstring& code) {
    if (code == L"az") return PopupCaptions{L" Ki\u015Fi s\u0259si", L" Qad\u0131n s\u0259si"};
    if (code == L"tr") return PopupCaptions{L" Erkek sesi", L" Kad\u0131n sesi"};
    if (code == L"ru")
        return PopupCaptions{
            L" \u041C\u0443\u0436\u0441\u043A\u0438\u0445 \u0433\u043E\u043B\u043E\u0441\u0430",
            L" \u0416\u0435\u043D\u0441\u043A\u0438\u0445 \u0433\u043E\u043B\u043E\u0441\u0430"};
    if (code == L"en") return PopupCaptions{L"Man voice", L" Woman voice"};
    return std::nullopt;
}

POINT wordPopupPlace(POINT pointer, SIZE popup, const RECT& work) {
    POINT p{pointer.x + 4, pointer.y - popup.cy};
    p.x = std::max(work.left, std::min(p.x, work.right - popup.cx));
    p.y = std::max(work.top, std::min(p.y, work.bottom - popup.cy));
    return p;
}

Menu::Menu() {
    setName(L"Menu");
    setBorderStyle(1);
    setControlBox(false);
    setMinButton(false);
    setMaxButton(false);
    setShowInTaskbar(false);
    setBackColor(kBack);
    setClientSize(2340, 1005);
}

forms::Layout Menu::layout() const {
    const forms::PropertyBag row{{L"BackStyle", 0},
                                 {L"BackColor", core::Variant::colour(kBack)},
                                 {L"ForeColor", core::Variant::colour(0x80000008)}};
    auto font = tahoma(8.25);
    forms::LayoutEntry word = entry(L"Label_KDQ", L"soz", 0, 0, 300, 300, captionLabel(L"", font));
    word.visible = false;
    // The row backgrounds come last: windows made later lie below the ones made before.
    return {
        word,
        entry(L"Label_KDQ", L"kisi", 720, 135, 1560, 270, captionLabel(L" Man voice", font)),
        entry(L"Label_KDQ", L"qadin", 720, 630, 1560, 270, captionLabel(L" Woman voice", font)),
        entry(L"Image", L"Image2", 375, 40, 300, 375),
        entry(L"Image", L"Image3", 375, 570, 300, 375),
        entry(L"Image", L"Image1", 45, 300, 270, 405),
        entry(L"Label", L"k", 360, 45, 1920, 420, row),
        entry(L"Label", L"q", 360, 540, 1920, 420, row),
    };
}

void Menu::Form_Load() {
    control<forms::Image>(L"Image2").setPicture(glyphPicture(L'\u2642', 20, 25, 0x8B4513));
    control<forms::Image>(L"Image3").setPicture(glyphPicture(L'\u2640', 20, 25, 0x7A1FA0));
    control<forms::Image>(L"Image1").setPicture(glyphPicture(L'\u266B', 18, 27, 0xA0A0A0));

    auto& k = control<forms::Label>(L"k");
    auto& q = control<forms::Label>(L"q");
    k.Click.handle([this] { k_Click(); });
    control<widgets::Label_KDQ>(L"kisi").Click.handle([this] { k_Click(); });
    control<forms::Image>(L"Image2").Click.handle([this] { k_Click(); });
    q.Click.handle([this] { q_Click(); });
    control<widgets::Label_KDQ>(L"qadin").Click.handle([this] { q_Click(); });
    control<forms::Image>(L"Image3").Click.handle([this] { q_Click(); });
    control<widgets::Label_KDQ>(L"soz").Click.handle([this] { Unload(); });
    k.MouseMove.handle([this](int, int, float, float) { highlight(true); });
    q.MouseMove.handle([this](int, int, float, float) { highlight(false); });
    control<widgets::Label_KDQ>(L"kisi").MouseMove.handle(
        [this](int16_t&, int16_t&, float&, float&) { highlight(true); });
    control<widgets::Label_KDQ>(L"qadin").MouseMove.handle(
        [this](int16_t&, int16_t&, float&, float&) { highlight(false); });

    danis_ = speech::createSpeech();
    danis_->Select(speech::kRussianId);
    danis_->setModeId(speech::modeIdOf({speech::Language::Russian, speech::Gender::Man}));
    danis_->setSpeed(120);
}

void Menu::Form_Activate() {
    // An unreadable settings database leaves the speeds as they were; the voices still speak.
    core::bestEffort(L"Menu.speeds", [&] { speeds_ = readSpeeds(cn_, rs_, programFolder(), speeds_); });
    if (auto c = popupCaptions(interfaceLanguage())) {
        control<widgets::Label_KDQ>(L"kisi").setText(c->man);
        control<widgets::Label_KDQ>(L"qadin").setText(c->woman);
    }
}

void Menu::showAt(const std::wstring& word, POINT screenPoint) {
    control<widgets::Label_KDQ>(L"soz").setText(word);
    movePopup(*this, screenPoint, wordPopupPlace);
    Show();
}

void Menu::k_Click() {
    speakWith(speech::Gender::Man);
}

void Menu::q_Click() {
    speakWith(speech::Gender::Woman);
}

void Menu::speakWith(speech::Gender gender) {
    Hide();
    const std::wstring origin = mainLabel(L"gond");
    const auto language = spokenLanguage(origin, directionOf(origin));
    if (!language) return;
    const VoiceCall call = voiceCall(gender, *language, speeds_);
    try {
        danis_->Select(call.language);
        danis_->setModeId(call.mode);
        danis_->setSpeed(call.speed);
        danis_->Speak(control<widgets::Label_KDQ>(L"soz").Text());
    } catch (const core::RuntimeError& e) {
        tell(speechFailureText(e, interfaceLanguage()));
    }
}

void Menu::highlight(bool manRow) {
    auto& on = control<forms::Label>(manRow ? L"k" : L"q");
    auto& off = control<forms::Label>(manRow ? L"q" : L"k");
    on.setBackColor(kHot);
    on.setBackStyle(1);
    off.setBackColor(kBack);
    off.setBackStyle(0);
    control<widgets::Label_KDQ>(L"kisi").Refresh();
    control<widgets::Label_KDQ>(L"qadin").Refresh();
}

} // namespace app
