// A form showing the frame's looks and, beside them, the speech-speed form's two frames with their
// Azerbaijani and Russian captions; it saves what the screen shows as frame-looks for a person to
// look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <utility>

#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "support/screenshot.h"
#include "widgets/frame/frame_kdq.h"

using widgets::Frame_KDQ;

namespace {

constexpr int T = 15;

core::Variant colour(std::uint32_t c) {
    return core::Variant::colour(c);
}

forms::LayoutEntry frame(const wchar_t* name, int left, int top, int width, int height,
                         forms::PropertyBag bag) {
    forms::LayoutEntry e;
    e.type = L"Frame_KDQ";
    e.name = name;
    e.left = left * T, e.top = top * T, e.width = width * T, e.height = height * T;
    e.properties = std::move(bag);
    return e;
}

std::shared_ptr<forms::StdFont> tahomaBold() {
    auto font = forms::StdFont::create(L"Tahoma", 8.25, true);
    font->setCharset(162);
    return font;
}

// As the speech-speed form stores its two frames.
forms::PropertyBag speechFrame() {
    return {{L"Font", tahomaBold()},
            {L"FrameStyle", 1},
            {L"AlignmentText", 2},
            {L"ShadowText", false},
            {L"ShadowColor", colour(0)},
            {L"BorderColor", colour(0x800000)},
            {L"BackTitleColor", colour(0x800000)},
            {L"BackFrameColor", colour(0xF9F9F9)},
            {L"RoundCorner", false}};
}

class DemoForm : public forms::Form {
public:
    DemoForm() {
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(940 * T, 260 * T);
        setBackColor(0xEFEBE7);
        setFont(forms::StdFont::create(L"Tahoma", 8.25));
    }

protected:
    forms::Layout layout() const override {
        const int w = 150, h = 110;
        auto at = [](int column) { return 10 + column * 160; };
        return {
            frame(L"etched", at(0), 10, w, h,
                  {{L"Font", tahomaBold()},
                   {L"Caption", L"Khung nho1m"},
                   {L"ShadowText", false},
                   {L"BackFrameColor", colour(0xF4F0EC)}}),
            frame(L"box", at(1), 10, w, h,
                  {{L"Font", tahomaBold()},
                   {L"Caption", L"Tie61ng Vie65t"},
                   {L"FrameStyle", 1},
                   {L"AlignmentText", 1},
                   {L"ShadowText", false},
                   {L"ForeTitleColor", colour(0x804000)},
                   {L"BackFrameColor", colour(0xFFFFFF)}}),
            frame(L"ramp", at(2), 10, w, h,
                  {{L"Font", tahomaBold()},
                   {L"Caption", L"Vie62n"},
                   {L"FrameStyle", 2},
                   {L"AlignmentText", 2},
                   {L"ShadowColor", colour(0x402000)},
                   {L"ForeTitleColor", colour(0xFFFFFF)},
                   {L"BorderColor", colour(0x602000)},
                   {L"BackFrameColor", colour(0xFFF8F0)},
                   {L"GradientOutColor", colour(0x603010)},
                   {L"GradientInColor", colour(0xF0C080)}}),
            frame(L"plain", at(3), 10, w, h,
                  {{L"Font", tahomaBold()},
                   {L"Caption", L"Ba3ng"},
                   {L"FrameStyle", 4},
                   {L"ShadowText", false},
                   {L"BackTitleColor", colour(0xB0EFF0)}}),
            frame(L"blue", at(0), 130, w, h,
                  {{L"Font", tahomaBold()},
                   {L"Caption", L"Chu3 \u0111e62 1"},
                   {L"FrameStyle", 3},
                   {L"ThemeColor", 1},
                   {L"AlignmentText", 0},
                   {L"BorderColor", colour(RGB(75, 75, 111))},
                   {L"ShadowColor", colour(0xFFFFFF)}}),
            frame(L"green", at(1), 130, w, h,
                  {{L"Font", tahomaBold()},
                   {L"Caption", L"Chu3 \u0111e62 2"},
                   {L"FrameStyle", 3},
                   {L"ThemeColor", 2},
                   {L"AlignmentText", 2},
                   {L"ShadowText", false},
                   {L"BorderColor", colour(RGB(63, 93, 56))},
                   {L"RoundCorner", false}}),
            frame(L"gold", at(2), 130, w, h,
                  {{L"Font", tahomaBold()},
                   {L"Caption", L"Chu3 \u0111e62 5"},
                   {L"FrameStyle", 5},
                   {L"ThemeColor", 5},
                   {L"AlignmentText", 2},
                   {L"ShadowColor", colour(0xFFFFFF)},
                   {L"ForeTitleColor", colour(RGB(90, 60, 0))},
                   {L"BorderColor", colour(RGB(117, 91, 30))}}),
            frame(L"olive", at(3), 130, w, h,
                  {{L"Font", tahomaBold()},
                   {L"Caption", L"Chu3 \u0111e62 3"},
                   {L"FrameStyle", 5},
                   {L"ThemeColor", 3},
                   {L"AlignmentText", 1},
                   {L"ShadowText", false},
                   {L"BorderColor", colour(RGB(145, 145, 115))},
                   {L"RoundCorner", false}}),
            frame(L"en", 660, 10, 270, 55, speechFrame()),
            frame(L"ru", 660, 70, 270, 55, speechFrame()),
            frame(L"enRu", 660, 140, 270, 55, speechFrame()),
            frame(L"ruRu", 660, 200, 270, 55, speechFrame()),
        };
    }
    void Form_Load() override {
        // Set on Load, as the speech-speed form does for Azerbaijani and for Russian.
        control<Frame_KDQ>(L"en").setCaption(L"\u0130ngilisc\u0259 dan\u0131\u015F\u0131q s\u00FCr\u0259ti");
        control<Frame_KDQ>(L"ru").setCaption(L"Rusca dan\u0131\u015F\u0131q s\u00FCr\u0259ti");
        control<Frame_KDQ>(L"enRu").setCaption(
            L"\u0421\u043A\u043E\u0440\u043E\u0441\u0442\u044C \u0440\u0435\u0447\u0438 \u043D\u0430 "
            L"\u0430\u043D\u0433\u043B\u0438\u0439\u0441\u043A\u043E\u043C \u044F\u0437\u044B\u043A\u0435");
        control<Frame_KDQ>(L"ruRu").setCaption(
            L"\u0421\u043A\u043E\u0440\u043E\u0441\u0442\u044C \u0440\u0443\u0441\u0441\u043A\u043E\u0439 "
            L"\u0440\u0435\u0447\u0438");
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

// The pixels a text leaves in a font, drawn alone on a white surface.
std::set<std::pair<int, int>> ink(const std::shared_ptr<forms::StdFont>& font, const std::wstring& text) {
    forms::Surface s(40, 40);
    s.setFont(font);
    s.setBackColor(0xFFFFFF);
    s.setForeColor(0);
    s.setCurrentX(4);
    s.setCurrentY(4);
    s.Print(text);
    GdiFlush();
    std::set<std::pair<int, int>> p;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (s.pixel(x, y) != 0xFFFFFF) p.insert({x, y});
    return p;
}

TEST(FrameScreenshot, SixLooksAndTheSpeechFormFrames) {
    Frame_KDQ::registerType();
    auto form = std::make_shared<DemoForm>();
    form->load();
    form->Move(20 * T, 20 * T, form->Width(), form->Height());
    form->Show();
    pump(400);
    const testsupport::Shot shot = testsupport::captureWindow(form->hWnd(), true);
    EXPECT_TRUE(testsupport::saveShot(shot, L"frame-looks"));

    // The speech frames' body is their colour from the first paint, and their captions were set.
    auto& en = form->control<Frame_KDQ>(L"en");
    EXPECT_EQ(shot.at(660 + 135, 10 + 40), 0xF9F9F9u);
    EXPECT_EQ(en.Caption().substr(0, 1), L"\u0130");
    // Bold Tahoma draws the schwa through the font link, not as the box of a missing glyph.
    const auto schwa = ink(en.Font(), L"\u0259"), missing = ink(en.Font(), L"\uE000");
    EXPECT_FALSE(schwa.empty());
    EXPECT_NE(schwa, missing);
    form->Unload();
}

} // namespace
