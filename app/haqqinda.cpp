#include "app/haqqinda.h"

#include "app/form_parts.h"
#include "app/main_window.h"
#include "widgets/command_button/kt_button.h"
#include "platform/forms/controls/image.h"
#include "widgets/label/label_kdq.h"

namespace app {

namespace {

constexpr const wchar_t* kLabels[] = {L"versiya", L"tarix", L"destek", L"proqramci",
                                      L"psayt",   L"ozel",  L"osayt"};
constexpr const wchar_t kProject[] = L"Vexa R7 Edition";
constexpr const wchar_t kSources[] = L"Mueller 7, FreeDict eng-rus, eng-tur, tur-eng";
constexpr const wchar_t kSite[] = L"freedict.org";

} // namespace

std::optional<AboutTexts> aboutTexts(const std::wstring& code) {
    if (code == L"az")
        return AboutTexts{L"Q\u0259bul",
                          L"Versiya: 1.0",
                          L"D\u0259st\u0259k",
                          L"Tarix: 19 mart 2007",
                          kProject,
                          L"L\u00FC\u011F\u0259t: Mueller 7, FreeDict",
                          L"Lisenziya: GNU GPL 2 v\u0259 sonrak\u0131",
                          kSite};
    if (code == L"tr")
        return AboutTexts{L"Tamam",
                          L"Versiyon: 1.0",
                          L"Destek",
                          L"Tarih: 19 mart 2007",
                          kProject,
                          L"S\u00F6zl\u00FCk: Mueller 7, FreeDict",
                          L"Lisans: GNU GPL 2 ve sonras\u0131",
                          kSite};
    if (code == L"ru")
        return AboutTexts{L"\u0417\u0430\u043A\u0440\u044B\u0442\u044C",
                          L"\u0412\u0435\u0440\u0441\u0438\u044F : 1.0",
                          L"\u041F\u043E\u0434\u0434\u0435\u0440\u0436\u043A\u0430",
                          L"\u0412\u0440\u0435\u043C\u044F : 19 \u043C\u0430\u0440\u0442 2007",
                          kProject,
                          L"\u0421\u043B\u043E\u0432\u0430\u0440\u044C: Mueller 7, FreeDict",
                          L"\u041B\u0438\u0446\u0435\u043D\u0437\u0438\u044F: GNU GPL 2 \u0438\u043B\u0438 "
                          L"\u043F\u043E\u0437\u0434\u043D\u0435\u0435",
                          kSite};
    if (code == L"en")
        return AboutTexts{L"Ok",
                          L"Version : 1.0",
                          L"Support",
                          L"Date: 19 mart 2007",
                          kProject,
                          L"Dictionary: Mueller 7, FreeDict",
                          L"Licence: GNU GPL 2 or later",
                          kSite};
    return std::nullopt;
}

haqqinda::haqqinda() {
    setName(L"haqqinda");
    setCaption(L"Vexa R7 Edition");
    setBorderStyle(3);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(0xF9F9F9);
    setClientSize(5400, 3660);
    setFont(tahoma(8.25));
}

forms::Layout haqqinda::layout() const {
    forms::Layout l;
    l.push_back(entry(L"Image", L"Image2", 240, 240, 720, 720));
    const std::wstring design[] = {L"Version : 1.0", L"Date: 19 mart 2007", L"Support", kProject,
                                   kSources,         L"GNU GPL 2",          kSite};
    for (int i = 0; i < 7; ++i) {
        const bool heading = i == 0 || i == 2;
        l.push_back(entry(
            L"Label_KDQ", kLabels[i], 1200, 240 + i * 390 + (i >= 2 ? 120 : 0), 3960, 330,
            captionLabel(design[i], tahoma(heading ? 9.75 : 8.25, heading), heading ? 0x800000 : 0x202020)));
    }
    forms::LayoutEntry button = entry(L"ktButton", L"ktButton1", 2100, 3090, 1200, 420, buttonLook(L""));
    button.isDefault = true;
    button.isCancel = true;
    l.push_back(std::move(button));
    return l;
}

void haqqinda::Form_Load() {
    control<forms::Image>(L"Image2").setPicture(glyphPicture(L'\u2139', 48, 48, 0x8B4513));
    control<widgets::ktButton>(L"ktButton1").Click.handle([this] { Unload(); });
    const auto t = aboutTexts(interfaceLanguage());
    if (!t) return;
    control<widgets::ktButton>(L"ktButton1").setCaption(t->button);
    const wchar_t* texts[] = {t->versiya, t->tarix, t->destek, t->proqramci, t->psayt, t->ozel, t->osayt};
    for (int i = 0; i < 7; ++i) control<widgets::Label_KDQ>(kLabels[i]).setText(texts[i]);
}

} // namespace app
