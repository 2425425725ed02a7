#include "app/tesdiq.h"

#include "app/form_parts.h"
#include "app/main_window.h"
#include "widgets/command_button/kt_button.h"
#include "platform/forms/controls/image.h"
#include "widgets/label/label_kdq.h"

namespace app {

std::optional<ConfirmTexts> confirmTexts(const std::wstring& code) {
    if (code == L"az")
        return ConfirmTexts{L"\u00C7\u0131xmaq ist\u0259diyinizd\u0259n \u0259minsinizmi ?", L"H\u0259",
                            L"Yox"};
    if (code == L"tr") return ConfirmTexts{L"Eminmisiniz ?", L"Evet", L"Hay\u0131r"};
    if (code == L"ru")
        return ConfirmTexts{L"\u0412\u044B \u0443\u0432\u0435\u0440\u0435\u043D\u044B, \u0447\u0442\u043E "
                            L"\u0445\u043E\u0442\u0438\u0442\u0435 \u0432\u044B\u0439\u0442\u0438 ?",
                            L"\u0414\u0430", L"\u041D\u0435\u0442"};
    if (code == L"en") return ConfirmTexts{L"Are you sure ?", L"Yes", L" No"};
    return std::nullopt;
}

tesdiq::tesdiq() {
    setName(L"tesdiq");
    setCaption(L"Vexa R7 Edition");
    setBorderStyle(3);
    setMinButton(false);
    setMaxButton(false);
    setBackColor(0xF9F9F9);
    setClientSize(5100, 1800);
    setFont(tahoma(8.25));
}

forms::Layout tesdiq::layout() const {
    forms::LayoutEntry he = entry(L"ktButton", L"he", 1200, 1140, 1200, 420, buttonLook(L"Yes"));
    forms::LayoutEntry yox = entry(L"ktButton", L"yox", 2700, 1140, 1200, 420, buttonLook(L"No"));
    yox.tabIndex = 1;
    yox.isCancel = true;
    yox.isDefault = true;
    return {entry(L"Image", L"Image1", 240, 240, 600, 600),
            entry(L"Label_KDQ", L"cix", 1020, 390, 3900, 330,
                  captionLabel(L"Cixmaq istediyinizden eminsinizmi", tahoma(9.75, true), 0x800000)),
            he, yox};
}

void tesdiq::Form_Load() {
    control<forms::Image>(L"Image1").setPicture(glyphPicture(L'?', 40, 40, 0x8B4513));
    control<widgets::ktButton>(L"he").Click.handle([this] { he_Click(); });
    control<widgets::ktButton>(L"yox").Click.handle([this] { yox_Click(); });
}

void tesdiq::Form_Activate() {
    const auto t = confirmTexts(interfaceLanguage());
    if (!t) return;
    control<widgets::Label_KDQ>(L"cix").setText(t->question);
    control<widgets::ktButton>(L"he").setCaption(t->yes);
    control<widgets::ktButton>(L"yox").setCaption(t->no);
}

void tesdiq::he_Click() {
    Unload();
    endProgram();
}

} // namespace app
