#include "app/traymenu.h"

#include "app/form_parts.h"
#include "app/main_window.h"
#include "platform/core/variant.h"
#include "platform/forms/controls/image.h"
#include "platform/forms/controls/label.h"
#include "widgets/label/label_kdq.h"

namespace app {

namespace {

constexpr std::uint32_t kHot = 0xECBF9B;
constexpr std::uint32_t kBack = 0xF9F9F9;

} // namespace

std::optional<TrayCaptions> trayCaptions(const std::wstring& code) {
    if (code == L"az") return TrayCaptions{L" G\u00F6st\u0259r", L" \u00C7\u0131x\u0131\u015F"};
    if (code == L"tr") return TrayCaptions{L" G\u00F6ster", L" Kapat"};
    if (code == L"ru")
        return TrayCaptions{L" \u041E\u0442\u043A\u0440\u044B\u0442\u044C",
                            L" \u0412\u044B\u0445\u043E\u0434"};
    if (code == L"en") return TrayCaptions{L" Open", L" Exit"};
    return std::nullopt;
}

traymenu::traymenu() {
    setName(L"traymenu");
    setBorderStyle(1);
    setControlBox(false);
    setMinButton(false);
    setMaxButton(false);
    setShowInTaskbar(false);
    setTopMost(true);
    setBackColor(kBack);
    setClientSize(2340, 1005);
}

forms::Layout traymenu::layout() const {
    const forms::PropertyBag row{{L"BackStyle", 0}, {L"BackColor", core::Variant::colour(kBack)}};
    auto font = tahoma(8.25);
    // The row backgrounds come last: windows made later lie below the ones made before.
    return {
        entry(L"Label_KDQ", L"kisi", 720, 135, 1560, 270, captionLabel(L" Open", font)),
        entry(L"Label_KDQ", L"qadin", 720, 630, 1560, 270, captionLabel(L" Exit", font)),
        entry(L"Image", L"Image4", 420, 82, 300, 345),
        entry(L"Image", L"Image3", 420, 577, 300, 345),
        entry(L"Image", L"Image1", 45, 45, 240, 240),
        entry(L"Label", L"k", 360, 45, 1920, 420, row),
        entry(L"Label", L"q", 360, 540, 1920, 420, row),
    };
}

void traymenu::Form_Load() {
    control<forms::Image>(L"Image4").setPicture(glyphPicture(L'\u25B2', 20, 23, 0x8B5A1E));
    control<forms::Image>(L"Image3").setPicture(glyphPicture(L'\u2716', 20, 23, 0x1E1EB4));
    control<forms::Image>(L"Image1").setPicture(glyphPicture(L'\u2715', 16, 16, 0x606060));

    auto& k = control<forms::Label>(L"k");
    auto& q = control<forms::Label>(L"q");
    auto& kisi = control<widgets::Label_KDQ>(L"kisi");
    auto& qadin = control<widgets::Label_KDQ>(L"qadin");
    k.Click.handle([this] { open(); });
    kisi.Click.handle([this] { open(); });
    q.Click.handle([this] { exit(); });
    qadin.Click.handle([this] { exit(); });
    control<forms::Image>(L"Image3").Click.handle([this] { exit(); });
    control<forms::Image>(L"Image1").Click.handle([this] { Unload(); });
    k.MouseMove.handle([this](int, int, float, float) { highlight(true); });
    q.MouseMove.handle([this](int, int, float, float) { highlight(false); });
    kisi.MouseMove.handle([this](int16_t&, int16_t&, float&, float&) { highlight(true); });
    qadin.MouseMove.handle([this](int16_t&, int16_t&, float&, float&) { highlight(false); });
}

void traymenu::Form_Activate() {
    if (auto c = trayCaptions(interfaceLanguage())) {
        control<widgets::Label_KDQ>(L"kisi").setText(c->open);
        control<widgets::Label_KDQ>(L"qadin").setText(c->exit);
    }
}

void traymenu::Form_Click() {
    Unload();
}

void traymenu::highlight(bool openRow) {
    auto& on = control<forms::Label>(openRow ? L"k" : L"q");
    auto& off = control<forms::Label>(openRow ? L"q" : L"k");
    on.setBackColor(kHot);
    on.setBackStyle(1);
    off.setBackColor(kBack);
    off.setBackStyle(0);
    // The caption above a row shows the row's new colour through its transparent back.
    control<widgets::Label_KDQ>(L"kisi").Refresh();
    control<widgets::Label_KDQ>(L"qadin").Refresh();
}

void traymenu::open() {
    if (auto* part = mainWindowPart()) part->returnFromTray();
    Unload();
}

void traymenu::exit() {
    endProgram();
}

} // namespace app
