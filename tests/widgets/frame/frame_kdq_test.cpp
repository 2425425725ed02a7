// The frame on real forms: what it is created with, its stored form, its themes and presets, and the
// mouse relayed from its window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "support/errors.h"
#include "support/event_log.h"
#include "support/screenshot.h"
#include "widgets/frame/frame_kdq.h"
#include "widgets/label/about_box.h"
#include "widgets/label/label_kdq.h"

using widgets::Frame_KDQ;

namespace {

constexpr int T = 15;

core::Variant colour(std::uint32_t c) {
    return core::Variant::colour(c);
}

class HostForm : public forms::Form {
public:
    explicit HostForm(forms::Layout table = {}) : table_(std::move(table)) {
        setBorderStyle(0);
        setClientSize(400 * T, 300 * T);
        setFont(forms::StdFont::create(L"Tahoma", 10));
    }

protected:
    forms::Layout layout() const override { return table_; }

private:
    forms::Layout table_;
};

// A control that takes the focus, to see where the focus stays.
class Focusable : public forms::UserControl {};

forms::LayoutEntry entry(const wchar_t* type, const wchar_t* name, forms::PropertyBag bag, int w = 200,
                         int h = 100, const wchar_t* container = L"", int left = 10, int top = 10) {
    forms::LayoutEntry e;
    e.type = type;
    e.name = name;
    e.container = container;
    e.left = left * T, e.top = top * T;
    e.width = w * T, e.height = h * T;
    e.properties = std::move(bag);
    return e;
}

// The speech-speed form's frames as stored.
forms::PropertyBag speechFrame() {
    auto font = forms::StdFont::create(L"Tahoma", 8.25, true);
    font->setCharset(162);
    return {{L"Font", font},
            {L"FrameStyle", 1},
            {L"AlignmentText", 2},
            {L"ShadowText", false},
            {L"ShadowColor", colour(0)},
            {L"BorderColor", colour(0x800000)},
            {L"BackTitleColor", colour(0x800000)},
            {L"BackFrameColor", colour(0xF9F9F9)},
            {L"RoundCorner", false}};
}

std::vector<std::wstring> keysOf(const forms::PropertyBag& bag) {
    std::vector<std::wstring> keys;
    for (const auto& e : bag.entries()) keys.push_back(e.first);
    return keys;
}

int g_ticks = 0;
// Closes the about box once it is shown (or after a second, never hanging the run).
void CALLBACK closeAboutBox(HWND, UINT, UINT_PTR, DWORD) {
    widgets::fAbout* box = widgets::fAbout::current();
    if (box && (IsWindowVisible(box->hWnd()) || ++g_ticks > 50)) box->Unload();
}

class FrameControl : public testing::Test {
protected:
    std::vector<std::shared_ptr<HostForm>> forms_;
    std::shared_ptr<HostForm> form;

    void SetUp() override {
        Frame_KDQ::registerType();
        widgets::Label_KDQ::registerType();
        forms::registerControlType<Focusable>(L"Focusable");
        form = show({});
    }
    void TearDown() override {
        for (auto& f : forms_)
            if (f->loaded()) f->Unload();
    }
    std::shared_ptr<HostForm> show(forms::Layout table) {
        auto f = std::make_shared<HostForm>(std::move(table));
        f->load();
        f->Move(0, 0, 400 * T, 300 * T);
        f->Show();
        forms_.push_back(f);
        return f;
    }
    std::shared_ptr<Frame_KDQ> fresh() {
        auto f = forms::placeControl<Frame_KDQ>(*form, L"fra", 10 * T, 10 * T, 200 * T, 100 * T);
        return f;
    }
    Frame_KDQ& stored(forms::PropertyBag bag) {
        form = show({entry(L"Frame_KDQ", L"fra", std::move(bag))});
        return form->control<Frame_KDQ>(L"fra");
    }
};

TEST_F(FrameControl, CreationValues) {
    auto f = fresh();
    EXPECT_EQ(f->FrameStyle(), 3);
    EXPECT_EQ(f->TitleHeight(), 29);
    EXPECT_EQ(f->AlignmentText(), 2);
    EXPECT_EQ(f->Caption(), L"Khung");
    EXPECT_TRUE(f->TiengViet());
    EXPECT_EQ(f->BorderColor(), 0x800000u);
    EXPECT_EQ(f->BorderGradientWidth(), 7);
    EXPECT_EQ(f->GradientInColor(), 0xFFFFFFu);
    EXPECT_FALSE(f->ShadowText());
    EXPECT_EQ(f->ShadowColor(), 0u);
    EXPECT_FALSE(f->RoundCorner());
    EXPECT_EQ(f->BackColor(), 0u);
    EXPECT_EQ(f->BackTitleColor(), 0u);
    EXPECT_EQ(f->Font()->Name(), L"Arial");
    EXPECT_EQ(form->Font()->Name(), L"Tahoma"); // the frame's font is its own copy
    EXPECT_EQ(f->state().ThemeBaseColor, std::uint32_t(RGB(129, 169, 226)));
    EXPECT_EQ(f->state().ThemeLightColor, std::uint32_t(RGB(221, 236, 254)));
    EXPECT_FALSE(f->state().PaintHeld);
    // The writers ran in order, the look's theme inside it; BackFrameColor was written white after
    // the theme, and every paint of the themed title then stored its body colour over it.
    EXPECT_EQ(f->changedProperties(),
              (std::vector<std::wstring>{L"TitleHeight", L"FrameStyle", L"BorderColor", L"BackFrameColor",
                                         L"BorderGradientWidth", L"GradientOutColor", L"GradientInColor",
                                         L"BackFrameColor", L"AlignmentText", L"TiengViet", L"Caption"}));
    EXPECT_EQ(f->BackFrameColor(), std::uint32_t(RGB(192, 212, 240)));

    // A new frame writes the rows whose creation value is not their stored default.
    forms::PropertyBag bag;
    static_cast<forms::UserControl&>(*f).save(bag);
    EXPECT_EQ(keysOf(bag), (std::vector<std::wstring>{L"Font", L"FrameStyle", L"AlignmentText", L"ShadowText",
                                                      L"ShadowColor", L"BorderColor", L"BackTitleColor",
                                                      L"BackFrameColor", L"RoundCorner", L"BackColor"}));
    f->unload();
}

TEST_F(FrameControl, StoredDefaultsAndValues) {
    Frame_KDQ& a = stored({});
    EXPECT_EQ(a.BackTitleColor(), 0xC0FFFFu);
    EXPECT_EQ(a.Caption(), L"Khung");
    EXPECT_TRUE(a.TiengViet());
    EXPECT_EQ(a.FrameStyle(), 0);
    EXPECT_EQ(a.AlignmentText(), 0);
    EXPECT_TRUE(a.ShadowText());
    EXPECT_EQ(a.ShadowColor(), 0xFFFFFFu);
    EXPECT_EQ(a.BackFrameColor(), 0xE0FFFFu);
    EXPECT_TRUE(a.RoundCorner());
    EXPECT_EQ(a.BorderGradientWidth(), 7);
    EXPECT_TRUE(a.Font()->sameAs(*form->Font()));
    EXPECT_NE(a.Font(), form->Font());
    // The etched line's paint stores its body colour as BackColor and reports it.
    EXPECT_EQ(a.BackColor(), 0xE0FFFFu);
    EXPECT_EQ(a.changedProperties().back(), L"BackColor");

    Frame_KDQ& b = stored({{L"BackTitleColor", colour(0x123456)}, {L"FrameStyle", 4}, {L"TitleHeight", 40}});
    EXPECT_EQ(b.BackTitleColor(), 0x123456u); // read as stored, no preset runs
    EXPECT_EQ(b.TitleHeight(), 40);
    EXPECT_EQ(b.BackFrameColor(), 0xE0FFFFu);
    EXPECT_EQ(b.BackColor(), 0x8000000Fu);
}

TEST_F(FrameControl, WritesOnlyWhatDiffersInKeyOrderAndEveryRowRoundTrips) {
    Frame_KDQ& f = stored({});
    f.setRoundCorner(false);
    f.setCaption(L"Tie61ng Vie65t");
    f.setGradientOutColor(0x00FF00);
    f.setShadowText(false);
    forms::PropertyBag bag;
    f.save(bag);
    // Look 0 stored its body colour as BackColor, which differs from the stored default too.
    EXPECT_EQ(keysOf(bag), (std::vector<std::wstring>{L"Caption", L"ShadowText", L"RoundCorner", L"BackColor",
                                                      L"GradientOutColor"}));
    EXPECT_EQ(bag.ReadProperty(L"Caption").toString(), L"Tie61ng Vie65t"); // as typed

    // Row by row: a value away from each default, written and read back.
    const auto& rows = Frame_KDQ::properties().rows();
    std::vector<core::Variant> values;
    for (const auto& r : rows) {
        const core::Variant def = r.storedDefault(f);
        switch (def.type()) {
        case core::VariantType::Boolean:
            values.emplace_back(!def.toBoolean());
            break;
        case core::VariantType::Integer:
            values.emplace_back(std::int16_t(def.toInteger() + 2));
            break;
        case core::VariantType::Long:
            values.emplace_back(int(def.toLong() + 1)); // FrameStyle 1 and ThemeColor 1: no theme read
            break;
        case core::VariantType::Colour:
            values.push_back(colour(0x102030u + std::uint32_t(values.size())));
            break;
        case core::VariantType::String:
            values.emplace_back(def.toString() + L"!");
            break;
        case core::VariantType::Font:
            values.emplace_back(forms::StdFont::create(L"Courier New", 13));
            break;
        default:
            ADD_FAILURE() << "no test value for " << r.key;
            values.emplace_back();
        }
        r.put(f, values.back());
    }
    bag.clear();
    f.save(bag);
    std::vector<std::wstring> all;
    for (const auto& r : rows) all.push_back(r.key);
    EXPECT_EQ(keysOf(bag), all);
    Frame_KDQ& again = stored(bag);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_TRUE(rows[i].get(again) == values[i]) << rows[i].key;
}

TEST_F(FrameControl, SpeechFormFramesRoundTripAndShowTheirBodyAtOnce) {
    const forms::PropertyBag bag = speechFrame();
    Frame_KDQ& f = stored(bag);
    EXPECT_EQ(f.FrameStyle(), 1);
    EXPECT_EQ(f.BackFrameColor(), 0xF9F9F9u);
    EXPECT_EQ(f.Font()->Charset(), 162);
    EXPECT_TRUE(f.Font()->Bold());
    EXPECT_TRUE(f.TiengViet());
    // Look 1 without theme keys keeps the default theme set when the frame was created.
    EXPECT_EQ(f.state().ThemeBaseColor, std::uint32_t(RGB(129, 169, 226)));
    EXPECT_EQ(f.state().ThemeLightColor, std::uint32_t(RGB(221, 236, 254)));
    forms::PropertyBag written;
    f.save(written);
    EXPECT_EQ(written, bag);

    // The body has its colour from the first paint on: on the surface, and on the screen.
    EXPECT_EQ(f.surface().pixel(100, 60), 0xF9F9F9u);
    EXPECT_EQ(f.surface().pixel(100, 1), 0xF9F9F9u);
    EXPECT_EQ(f.BackColor(), 0x8000000Fu); // the stored background is not touched
    form->Refresh();
    UpdateWindow(f.hWnd());
    const testsupport::Shot shot = testsupport::captureWindow(f.hWnd(), true);
    ASSERT_EQ(shot.w, 200);
    EXPECT_EQ(shot.at(100, 60), 0xF9F9F9u);
}

TEST_F(FrameControl, ThemesAndPresets) {
    Frame_KDQ& f = stored({});
    const auto changedSince = [&f](size_t from) {
        const auto& all = f.changedProperties();
        return std::vector<std::wstring>(all.begin() + std::ptrdiff_t(from), all.end());
    };
    // Any theme in look 0: both colours change and are reported.
    size_t mark = f.changedProperties().size();
    f.setThemeColor(1);
    EXPECT_EQ(f.BackFrameColor(), std::uint32_t(RGB(153, 151, 180)));
    EXPECT_EQ(f.BorderColor(), std::uint32_t(RGB(75, 75, 111)));
    EXPECT_EQ(f.state().ThemeLightColor, std::uint32_t(RGB(244, 244, 251)));
    EXPECT_EQ(changedSince(mark),
              (std::vector<std::wstring>{L"BorderColor", L"BackFrameColor", L"ThemeColor", L"BackColor"}));
    // 4 is the default theme, as 0 is.
    f.setThemeColor(4);
    const std::uint32_t border4 = f.BorderColor(), body4 = f.BackFrameColor(),
                        light4 = f.state().ThemeLightColor;
    f.setThemeColor(0);
    EXPECT_EQ(f.BorderColor(), border4);
    EXPECT_EQ(f.BackFrameColor(), body4);
    EXPECT_EQ(f.state().ThemeLightColor, light4);
    EXPECT_EQ(border4, 0x800000u);

    // The plain title bar's preset: three colours through their writers, and one paint.
    int paints = 0;
    f.setPaintObserver([&] { ++paints; });
    mark = f.changedProperties().size();
    f.setFrameStyle(4);
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(f.BackFrameColor(), 0xE0FFFFu);
    EXPECT_EQ(f.BackTitleColor(), 0xB0EFF0u);
    EXPECT_EQ(f.BorderColor(), 0u);
    EXPECT_EQ(changedSince(mark), (std::vector<std::wstring>{L"FrameStyle", L"BackFrameColor",
                                                             L"BackTitleColor", L"BorderColor"}));
    // A themed look applies its theme once, and paints once; a plain write paints once.
    paints = 0;
    f.setThemeColor(5);
    f.setFrameStyle(5);
    EXPECT_EQ(paints, 2);
    EXPECT_EQ(f.BorderColor(), std::uint32_t(RGB(117, 91, 30)));
    EXPECT_EQ(f.BackFrameColor(), std::uint32_t(RGB(236, 214, 128))); // mixed with white by the paint
    f.setCaption(L"abc");
    EXPECT_EQ(paints, 3);

    // A bag in a themed look rebuilds the theme right after "ThemeColor"; the colours read after it stay.
    Frame_KDQ& g = stored({{L"FrameStyle", 3}, {L"ThemeColor", 2}, {L"BorderColor", colour(0x0000FF)}});
    EXPECT_EQ(g.state().ThemeBaseColor, std::uint32_t(RGB(181, 197, 143)));
    EXPECT_EQ(g.BorderColor(), 0x0000FFu);
    EXPECT_EQ(g.BackFrameColor(), std::uint32_t(RGB(218, 226, 199))); // the theme's base mixed with white
}

TEST_F(FrameControl, WritersThatDoMore) {
    Frame_KDQ& f = stored({{L"FrameStyle", 4}});
    auto font = forms::StdFont::create(L"Verdana", 12);
    f.setFont(font);
    EXPECT_EQ(f.Font(), font);
    EXPECT_EQ(f.surface().Font(), font);
    EXPECT_EQ(testsupport::errorOf([&] { f.setFont(nullptr); }), 380);
    EXPECT_EQ(f.Font(), font);
    // BackColor sets the surface's background; it shows outside the rounded outline.
    f.setBackColor(0x0000FF);
    EXPECT_EQ(f.surface().BackColor(), 0x0000FFu);
    EXPECT_EQ(f.surface().pixel(0, 99), 0x0000FFu);
    EXPECT_EQ(f.BackColor(), 0x0000FFu);
    EXPECT_EQ(f.changedProperties().back(), L"BackColor");
    // About shows the widget set's box modally and returns once it is closed.
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, closeAboutBox);
    f.About();
    KillTimer(nullptr, timer);
    EXPECT_EQ(widgets::fAbout::current(), nullptr);
}

void send(HWND w, UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageW(w, msg, keys, MAKELPARAM(x, y));
}

TEST_F(FrameControl, ItsWindowRelaysTheMouseOnceWithThePlatformsArguments) {
    Frame_KDQ& f = stored({});
    testsupport::EventLog log;
    auto args = [&](const wchar_t* name) {
        return [&log, name](std::int16_t& b, std::int16_t& s, float& x, float& y) {
            log.add(std::wstring(name) + L" " + std::to_wstring(b) + L" " + std::to_wstring(s) + L" " +
                    std::to_wstring(int(x)) + L" " + std::to_wstring(int(y)));
        };
    };
    f.MouseDown.handle(args(L"down"));
    f.MouseMove.handle(args(L"move"));
    f.MouseUp.handle(args(L"up"));
    f.Click.handle(log.recorder(L"click"));
    f.DblClick.handle(log.recorder(L"dbl"));
    // The handle hosts read is the window that relays the mouse.
    const HWND w = f.Hwnd();
    ASSERT_TRUE(IsWindow(w));
    send(w, WM_MOUSEMOVE, 20, 10, MK_SHIFT);
    send(w, WM_LBUTTONDOWN, 20, 11, MK_LBUTTON);
    send(w, WM_LBUTTONUP, 21, 11);
    send(w, WM_LBUTTONDBLCLK, 21, 11, MK_LBUTTON);
    send(w, WM_LBUTTONUP, 21, 11);
    send(w, WM_RBUTTONDOWN, 5, 6, MK_RBUTTON | MK_CONTROL);
    send(w, WM_RBUTTONUP, 5, 6, MK_CONTROL);
    EXPECT_EQ(log.text(), L"move 0 1 20 10, down 1 0 20 11, up 1 0 21 11, click, dbl, up 1 0 21 11, "
                          L"down 2 2 5 6, up 2 2 5 6, click");

    // Nothing reaches the form while its controls are being read.
    log.clear();
    {
        auto closed = form->eventGate()->close();
        send(w, WM_LBUTTONDOWN, 20, 11, MK_LBUTTON);
        send(w, WM_LBUTTONUP, 20, 11);
    }
    EXPECT_TRUE(log.empty());

    // A host may unload the form in any of them.
    f.Click.handle([&] { form->Unload(); });
    send(w, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    send(w, WM_LBUTTONUP, 5, 5);
    EXPECT_FALSE(form->loaded());
    EXPECT_FALSE(IsWindow(w));
    Frame_KDQ& g = stored({});
    const HWND gw = g.hWnd();
    g.MouseDown.handle([&](std::int16_t&, std::int16_t&, float&, float&) { form->Unload(); });
    send(gw, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_FALSE(IsWindow(gw));
}

TEST_F(FrameControl, TakesNoFocusAndKeepsItsControlsVisible) {
    // The label inside is placed in the frame's own scale: pixels.
    forms::LayoutEntry inside =
        entry(L"Label_KDQ", L"inside",
              {{L"Text", L"x"}, {L"Transparent", false}, {L"BackColor", colour(0x0000FF)}}, 0, 0, L"en");
    inside.left = 20, inside.top = 40, inside.width = 60, inside.height = 20;
    form = show({entry(L"Focusable", L"before", {}, 40, 20, L"", 250, 10),
                 entry(L"Frame_KDQ", L"en", speechFrame(), 200, 100), inside,
                 entry(L"Focusable", L"after", {}, 40, 20, L"", 250, 40)});
    auto& frame = form->control<Frame_KDQ>(L"en");
    auto& before = form->control<Focusable>(L"before");
    before.SetFocus();
    ASSERT_EQ(GetFocus(), before.hWnd());
    send(frame.hWnd(), WM_LBUTTONDOWN, 5, 50, MK_LBUTTON);
    send(frame.hWnd(), WM_LBUTTONUP, 5, 50);
    EXPECT_EQ(GetFocus(), before.hWnd());
    // Tab passes over it.
    form->tabFocus(true);
    EXPECT_EQ(GetFocus(), form->control<Focusable>(L"after").hWnd());
    form->tabFocus(true);
    EXPECT_EQ(GetFocus(), before.hWnd());

    // The label on the frame shows through every repaint of the frame.
    frame.setCaption(L"\u0130ngilisc\u0259 dan\u0131\u015F\u0131q s\u00FCr\u0259ti");
    frame.Refresh();
    UpdateWindow(form->hWnd());
    // The frame alone shows its image again; the label is not asked to paint.
    RedrawWindow(frame.hWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    const testsupport::Shot shot = testsupport::captureWindow(frame.hWnd(), true);
    ASSERT_EQ(shot.w, 200);
    EXPECT_EQ(shot.at(30, 50), 0x0000FFu);
    EXPECT_EQ(shot.at(100, 80), 0xF9F9F9u);
}

} // namespace
