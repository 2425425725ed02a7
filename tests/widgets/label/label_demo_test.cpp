// A form showing the label's looks side by side; it saves what the screen shows as
// build/screenshots/label-looks.bmp, for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/core/constants.h"
#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "support/screenshot.h"
#include "widgets/label/label_kdq.h"

using widgets::Label_KDQ;

namespace {

constexpr int T = 15;

forms::LayoutEntry label(const wchar_t* name, int left, int top, int width, int height,
                         forms::PropertyBag bag) {
    forms::LayoutEntry e;
    e.type = L"Label_KDQ";
    e.name = name;
    e.left = left * T, e.top = top * T, e.width = width * T, e.height = height * T;
    e.properties = std::move(bag);
    return e;
}

core::Variant colour(std::uint32_t c) {
    return core::Variant::colour(c);
}

class DemoForm : public forms::Form {
public:
    DemoForm() {
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(560 * T, 330 * T);
        setBackColor(0xF0E8E0);
        setFont(forms::StdFont::create(L"Tahoma", 10));
    }

protected:
    forms::Layout layout() const override {
        auto big = forms::StdFont::create(L"Verdana", 20, true);
        auto mid = forms::StdFont::create(L"Verdana", 14, true);
        auto small = forms::StdFont::create(L"Tahoma", 11, true);
        return {
            label(L"title", 10, 8, 540, 44,
                  {{L"Font", big},
                   {L"Text", L"Tie61ng Vie65t - Nu1t ba61m"},
                   {L"ForeColor", colour(0x8B3A1E)},
                   {L"Shadow", true},
                   {L"ShadowDepth", std::int16_t(4)},
                   {L"ShadowStyle", 3},
                   {L"ShadowColorStart", colour(0x808080)},
                   {L"ShadowColorEnd", colour(0xF0E8E0)}}),
            label(L"outline", 10, 56, 300, 40,
                  {{L"Font", mid},
                   {L"Text", L"S\u0259sl\u0259ndirm\u0259"},
                   {L"TiengViet", false},
                   {L"ForeColor", colour(0x602000)},
                   {L"BorderStyle", 2},
                   {L"BorderSize", 2},
                   {L"OutlineColor", colour(0x00E0FF)}}),
            label(L"gradient", 320, 56, 230, 40,
                  {{L"Font", small},
                   {L"Text", L"Avtomatik axtar\u0131\u015F"},
                   {L"TiengViet", false},
                   {L"Transparent", false},
                   {L"Alignment", 2},
                   {L"ForeColor", colour(0xFFFFFF)},
                   {L"BackColorStyle", 1},
                   {L"GradientBackColorStyle", 0},
                   {L"GradientBackColorStart", colour(0x803000)},
                   {L"GradientBackColorEnd", colour(0xF0C080)},
                   {L"BorderStyle", 1},
                   {L"BorderSize", 2},
                   {L"BorderColor", colour(0x402000)},
                   {L"EdgeSpace", 8}}),
            label(L"sunken", 10, 106, 170, 34,
                  {{L"Font", small},
                   {L"Text", L"Kho6i phu5c"},
                   {L"Transparent", false},
                   {L"Alignment", 2},
                   {L"BackColorStyle", 1},
                   {L"GradientBackColorStyle", 6},
                   {L"GradientBackColorStart", colour(0xFFFFFF)},
                   {L"GradientBackColorEnd", colour(0x80C0E0)},
                   {L"BorderStyle", 3},
                   {L"EdgeSpace", 6}}),
            label(L"raised", 190, 106, 170, 34,
                  {{L"Font", small},
                   {L"Text", L"Di chuye63n"},
                   {L"Transparent", false},
                   {L"Alignment", 2},
                   {L"BackColor", colour(0x8000000F)},
                   {L"BorderStyle", 4},
                   {L"EdgeSpace", 6}}),
            label(L"triple", 370, 106, 180, 34,
                  {{L"Font", small},
                   {L"Text", L"Ke61t thu1c"},
                   {L"Transparent", false},
                   {L"Alignment", 1},
                   {L"BackColor", colour(0xE0FFFF)},
                   {L"BorderStyle", 5},
                   {L"EdgeSpace", 6}}),
            label(L"wrapped", 10, 150, 260, 90,
                  {{L"Font", small},
                   {L"Text", L"Dil se\u00E7imi \u2022 Haqq\u0131nda \u2022 A\u015Fa\u011F\u0131 sal \u2022 "
                             L"\u00C7\u0131x\u0131\u015F "
                             L"\u2022 S\u0259sl\u0259ndirm\u0259"},
                   {L"TiengViet", false},
                   {L"WordWrap", true},
                   {L"Transparent", false},
                   {L"Alignment", 2},
                   {L"BackColorStyle", 1},
                   {L"GradientBackColorStyle", 8},
                   {L"GradientBackColorStart", colour(0xFFFFFF)},
                   {L"GradientBackColorEnd", colour(0xA0D0A0)},
                   {L"BorderStyle", 1},
                   {L"BorderColor", colour(0x306030)},
                   {L"EdgeSpace", 10}}),
            label(L"vertical", 280, 150, 270, 90,
                  {{L"Font", mid},
                   {L"Text", L"Xin cha2o Vie65t Nam"},
                   {L"Transparent", false},
                   {L"Alignment", 2},
                   {L"ForeColor", colour(0x0000A0)},
                   {L"BackColorStyle", 1},
                   {L"GradientBackColorStyle", 7},
                   {L"GradientBackColorStart", colour(0xFFFFFF)},
                   {L"GradientBackColorEnd", colour(0x60A0F0)},
                   {L"Shadow", true},
                   {L"ShadowDepth", std::int16_t(2)},
                   {L"ShadowStyle", 0},
                   {L"ShadowColorStart", colour(0xA0A0A0)},
                   {L"ShadowColorEnd", colour(0xE0E0E0)},
                   {L"EdgeSpace", 20}}),
            label(L"autosize", 10, 250, 100, 20,
                  {{L"Font", mid},
                   {L"Text", L"\u00C7\u0131x\u0131\u015F - D9o61ng y1"},
                   {L"AutoSize", true},
                   {L"ForeColor", colour(0x006000)},
                   {L"Shadow", true},
                   {L"ShadowDepth", std::int16_t(3)},
                   {L"ShadowStyle", 3},
                   {L"ShadowColorStart", colour(0x80A080)},
                   {L"ShadowColorEnd", colour(0xE0F0E0)},
                   {L"BorderStyle", 1},
                   {L"BorderColor", colour(0x006000)},
                   {L"EdgeSpace", 4}}),
        };
    }
    void Form_Load() override {
        // Stripes under the see-through labels.
        forms::Surface& s = surface();
        s.setScaleMode(core::scale::Pixels);
        for (int x = -330; x < 560; x += 16) s.Line(float(x), 0, float(x + 330), 330, 0xC8B8A8);
    }
};

void pump(int ms) {
    const DWORD end = GetTickCount() + DWORD(ms);
    MSG msg;
    while (GetTickCount() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

TEST(TextLabelDemo, ShowsTheLooksOnAForm) {
    Label_KDQ::registerType();
    auto form = std::make_shared<DemoForm>();
    form->load();
    form->Move(40 * T, 40 * T, form->Width(), form->Height());
    form->Show();
    pump(400);
    const testsupport::Shot shot = testsupport::captureWindow(form->hWnd(), true);
    EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindow(form->hWnd()), L"label-looks"));

    // The title is see-through: beside its text the form's stripes show.
    auto& title = form->control<Label_KDQ>(L"title");
    EXPECT_TRUE(title.Transparent());
    bool stripe = false;
    for (int x = 10; x < 550 && !stripe; ++x) stripe = shot.at(x, 9) == RGB(0xA8, 0xB8, 0xC8);
    EXPECT_TRUE(stripe);
    // The auto-sized label fits its converted text.
    auto& fit = form->control<Label_KDQ>(L"autosize");
    // (The form draws in pixels, so its controls' sizes are pixels too.)
    EXPECT_GT(fit.Width(), 100);
    EXPECT_EQ(fit.Width(), fit.surface().widthPixels());
    EXPECT_EQ(fit.LineCount(), 1);
    form->Unload();
}

} // namespace
