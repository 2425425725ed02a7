#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "platform/core/variant.h"
#include "platform/forms/form.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "support/event_log.h"
#include "widgets/shared/gdi_helpers.h"
#include "widgets/label/label_kdq.h"
#include "widgets/shared/tip_window.h"
#include "widgets/shared/vni.h"

using widgets::Label_KDQ;

namespace {

class HostForm : public forms::Form {
public:
    explicit HostForm(forms::Layout table = {}) : table_(std::move(table)) {
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(400 * 15, 300 * 15);
        setFont(forms::StdFont::create(L"Tahoma", 10));
    }

protected:
    forms::Layout layout() const override { return table_; }

private:
    forms::Layout table_;
};

// Labels on real forms: a new instance placed at run time, or one read from a form's layout.
class TextLabel : public testing::Test {
protected:
    std::vector<std::shared_ptr<HostForm>> forms_;
    std::vector<std::shared_ptr<Label_KDQ>> placed_;
    std::shared_ptr<HostForm> form;

    void SetUp() override {
        Label_KDQ::registerType();
        form = show({});
    }
    void TearDown() override {
        for (auto& l : placed_) l->unload();
        for (auto& f : forms_)
            if (f->loaded()) f->Unload();
    }
    std::shared_ptr<HostForm> show(forms::Layout table) {
        auto f = std::make_shared<HostForm>(std::move(table));
        f->load();
        f->Move(0, 0, 400 * 15, 300 * 15);
        f->Show();
        forms_.push_back(f);
        return f;
    }
    std::shared_ptr<Label_KDQ> fresh(int w = 120, int h = 30) {
        auto l = forms::placeControl<Label_KDQ>(*form, L"lbl", 15 * 10, 15 * 10, 15 * w, 15 * h);
        placed_.push_back(l);
        return l;
    }
    std::shared_ptr<Label_KDQ> stored(forms::PropertyBag bag, int w = 120, int h = 30) {
        forms::LayoutEntry e;
        e.type = L"Label_KDQ";
        e.name = L"lbl";
        e.left = e.top = 15 * 10;
        e.width = 15 * w;
        e.height = 15 * h;
        e.properties = std::move(bag);
        form = show({e});
        return std::dynamic_pointer_cast<Label_KDQ>(form->Controls().front());
    }
};

TEST_F(TextLabel, NewInstanceAndStoredDefaultsDiffer) {
    auto a = fresh();
    EXPECT_EQ(a->Text(), L"Nha4n");
    EXPECT_TRUE(a->Shadow());
    EXPECT_FALSE(a->Transparent());
    EXPECT_TRUE(a->TiengViet());
    EXPECT_FALSE(a->TooltipTiengViet());
    EXPECT_EQ(a->GradientBackColorEnd(), 0u);
    EXPECT_EQ(a->BackColor(), 0x8000000Fu);
    EXPECT_EQ(a->OutlineColor(), 0xFFFFFFu);
    EXPECT_EQ(a->BorderSize(), 1);
    EXPECT_EQ(a->EdgeSpace(), 1);
    EXPECT_EQ(a->ShadowDepth(), 1);
    EXPECT_EQ(a->Font()->Name(), L"Tahoma");

    auto b = stored({{L"ForeColor", core::Variant::colour(0x123456)}});
    EXPECT_EQ(b->Text(), L"Nha4n");
    EXPECT_FALSE(b->Shadow());
    EXPECT_TRUE(b->Transparent());
    EXPECT_TRUE(b->TooltipTiengViet());
    EXPECT_EQ(b->GradientBackColorEnd(), 0xFFFFFFu);
    EXPECT_EQ(b->ShadowStyle(), 0);
    EXPECT_EQ(b->ShadowColorStart(), 0x123456u); // follows the fore colour read before it
    EXPECT_EQ(b->ShadowColorEnd(), 0xFFFFFFu);

    auto c = stored({{L"ShadowStyle", 3}, {L"Text", L"Khung"}, {L"ShadowDepth", std::int16_t(4)}});
    EXPECT_EQ(c->ShadowStyle(), 3);
    EXPECT_EQ(c->ShadowDepth(), 4);
    EXPECT_EQ(c->Text(), L"Khung");
}

TEST_F(TextLabel, FontIsACopyOfTheForms) {
    auto l = stored({});
    ASSERT_TRUE(l->Font());
    EXPECT_NE(l->Font(), form->Font());
    EXPECT_TRUE(l->Font()->sameAs(*form->Font()));
    l->Font()->setSize(20);
    EXPECT_DOUBLE_EQ(form->Font()->Size(), 10);
    // A font set is shared with whoever set it; none is refused.
    auto shared = forms::StdFont::create(L"Verdana", 12);
    l->setFont(shared);
    EXPECT_EQ(l->Font(), shared);
    EXPECT_EQ(l->surface().Font(), shared);
    EXPECT_THROW(l->setFont(nullptr), core::RuntimeError);
    EXPECT_EQ(l->Font(), shared);

    forms::PropertyBag bag;
    auto m = stored({});
    static_cast<forms::UserControl&>(*m).save(bag);
    EXPECT_TRUE(bag.empty()); // every value is the default, the font included
}

TEST_F(TextLabel, WritesOnlyWhatDiffersInKeyOrderAndReadsItBack) {
    auto l = stored({});
    l->setShadow(true);
    l->setText(L"Ke61t thu1c");
    l->setForecolor(0x0000FF);
    l->setBorderStyle(1);
    l->setTooltipTiengViet(false);
    l->setGradientBackColorEnd(0x00FF00);
    forms::PropertyBag bag;
    l->save(bag);
    std::vector<std::wstring> keys;
    for (auto& e : bag.entries()) keys.push_back(e.first);
    EXPECT_EQ(keys,
              (std::vector<std::wstring>{L"Text", L"ForeColor", L"BorderStyle", L"Shadow",
                                         L"ShadowColorStart", L"GradientBackColorEnd", L"ToolTipTiengViet"}));
    EXPECT_EQ(bag.ReadProperty(L"ShadowColorStart").toColour(), 0u);

    auto again = stored(bag);
    forms::PropertyBag second;
    again->save(second);
    EXPECT_EQ(second, bag);
    EXPECT_EQ(again->Text(), L"Ke61t thu1c"); // the text as typed, not converted
    EXPECT_EQ(again->ShadowColorStart(), 0u);
}

// Every stored property, row by row from the label's table: a new label writes only the rows that
// start away from their stored default, and every row comes back from a write and a read.
TEST_F(TextLabel, EveryStoredPropertyRoundTrips) {
    const auto& rows = Label_KDQ::properties().rows();
    auto l = fresh();
    forms::PropertyBag bag;
    l->save(bag);
    std::vector<std::wstring> written, startAway, all;
    for (const auto& e : bag.entries()) written.push_back(e.first);
    for (const auto& r : rows) {
        all.push_back(r.key);
        if (!(r.initial(*l) == r.storedDefault(*l))) startAway.push_back(r.key);
    }
    EXPECT_EQ(written, startAway);
    EXPECT_EQ(written, (std::vector<std::wstring>{L"Transparent", L"Shadow", L"GradientBackColorEnd",
                                                  L"ToolTipTiengViet"}));

    // A value away from each default, of the row's own type; colours all differ from each other.
    std::vector<core::Variant> values;
    for (const auto& r : rows) {
        const core::Variant stored = r.storedDefault(*l);
        switch (stored.type()) {
        case core::VariantType::Boolean:
            values.emplace_back(!stored.toBoolean());
            break;
        case core::VariantType::Integer:
            values.emplace_back(std::int16_t(stored.toInteger() + 2));
            break;
        case core::VariantType::Long:
            values.emplace_back(int(stored.toLong() + 2)); // border style 2: no frame that sets the size
            break;
        case core::VariantType::Colour:
            values.push_back(core::Variant::colour(0x102030u + std::uint32_t(values.size())));
            break;
        case core::VariantType::String:
            values.emplace_back(stored.toString() + L"!");
            break;
        case core::VariantType::Font:
            values.emplace_back(forms::StdFont::create(L"Courier New", 13));
            break;
        default:
            ADD_FAILURE() << "no test value for " << r.key;
            values.emplace_back();
        }
        r.put(*l, values.back());
    }
    bag.clear();
    l->save(bag);
    written.clear();
    for (const auto& e : bag.entries()) written.push_back(e.first);
    EXPECT_EQ(written, all);

    auto again = stored(bag);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_TRUE(rows[i].get(*again) == values[i]) << rows[i].key;
}

TEST_F(TextLabel, OneChangePerWrite) {
    auto l = stored({{L"Text", L"abc"}});
    testsupport::EventLog log;
    l->Change.handle(log.recorder(L"Change"));
    l->setText(L"abc");
    EXPECT_EQ(log.count(L"Change"), 1u); // the same value still updates
    l->setText(L"Nu1t ba61m");
    EXPECT_EQ(log.count(L"Change"), 2u);
    EXPECT_EQ(l->Text(), L"Nu1t ba61m");
    l->setTooltipTiengViet(true);
    EXPECT_EQ(log.count(L"Change"), 2u);
    l->setBackColor(0xFF);
    l->setShadowDepth(2);
    EXPECT_EQ(log.count(L"Change"), 4u);

    l->setAutoSize(true);
    EXPECT_EQ(log.count(L"Change"), 5u);
    const int before = l->Width();
    l->setText(L"A much longer caption than before");
    EXPECT_EQ(log.count(L"Change"), 6u);
    EXPECT_GT(l->Width(), before);
    // A resize from outside updates too.
    l->setAutoSize(false);
    log.clear();
    l->setWidth(l->Width() + 150);
    EXPECT_EQ(log.text(), L"Change");

    // A host that writes the label from its Change handler sees that write painted and reported.
    log.clear();
    bool again = true;
    l->Change.handle([&] {
        log.add(L"Change");
        if (std::exchange(again, false)) l->setForecolor(0x0000FF);
    });
    l->setText(L"WWWW");
    EXPECT_EQ(log.text(), L"Change, Change");
    GdiFlush();
    bool red = false;
    forms::Surface& s = l->surface();
    for (int x = 0; x < s.widthPixels() && !red; ++x)
        for (int y = 0; y < s.heightPixels() && !red; ++y) red = s.pixel(x, y) == 0x0000FF;
    EXPECT_TRUE(red);

    // Nothing reaches the form while its controls are being read.
    log.clear();
    auto closed = form->eventGate()->close();
    l->setText(L"quiet");
    EXPECT_TRUE(log.empty());
}

TEST_F(TextLabel, AutoSizeMeasuresTheShownText) {
    auto l = stored({{L"BorderSize", 2}, {L"EdgeSpace", 3}});
    l->setAutoSize(true);
    HDC dc = l->hDC();
    const int converted = widgets::TextWidthW(dc, L"Nh\u00E3n");
    EXPECT_EQ(l->Width(), (converted + 2 * 2 + 2 * 3) * 15);
    const int textHeight = int(l->surface().TextHeight(L"A"));
    EXPECT_EQ(l->Height(), (2 * 2 + textHeight + 2 * 3) * 15);
    EXPECT_EQ(l->surface().widthPixels(), converted + 10);

    l->setShadowDepth(4);
    l->setShadow(true);
    EXPECT_EQ(l->Width(), (converted + 10 + 4) * 15);
    EXPECT_EQ(l->Height(), (10 + textHeight + 4) * 15);
    l->setShadowDepth(-3); // no shadow, no room for it
    EXPECT_EQ(l->Width(), (converted + 10) * 15);

    // Wrapped: the width stays, the height follows the lines; a blank text has only the margins.
    l->setShadow(false);
    l->setWordWrap(true);
    const int width = l->Width();
    l->setText(L"one two three four five six seven eight nine ten");
    EXPECT_EQ(l->Width(), width);
    EXPECT_GT(l->Height(), (10 + 2 * textHeight) * 15);
    EXPECT_GE(l->LineCount(), 3);
    l->setText(L"   ");
    EXPECT_EQ(l->Height(), 10 * 15);
    EXPECT_EQ(l->LineCount(), 0);
}

TEST_F(TextLabel, LineCountAndBorderSizeOfFrames) {
    auto l = stored({{L"WordWrap", true}, {L"Text", L"first second"}}, 60, 80);
    EXPECT_EQ(l->LineCount(), 2);
    l->setText(L"");
    EXPECT_EQ(l->LineCount(), 0);

    l->setBorderStyle(3);
    EXPECT_EQ(l->BorderSize(), 2);
    EXPECT_EQ(l->changedProperties().back(), L"BorderSize");
    l->setBorderStyle(5);
    EXPECT_EQ(l->BorderSize(), 3);
}

// The state labels are hidden and written once per word looked up; they paint when they are shown.
TEST_F(TextLabel, HiddenLabelsPaintWhenShown) {
    auto l = stored({{L"Text", L"x"}, {L"Transparent", false}, {L"WordWrap", true}}, 60, 80);
    l->setVisible(false);
    const DWORD start = GetTickCount();
    for (int i = 0; i < 3000; ++i) l->setText(l->Text() + L"#word" + std::to_wstring(i) + L"$");
    EXPECT_LT(GetTickCount() - start, 1500u);
    l->setText(L"first second");
    l->setBorderStyle(3);
    EXPECT_EQ(l->BorderSize(), 2);
    EXPECT_EQ(l->LineCount(), 2);

    auto m = stored({{L"Text", L"WWW"}, {L"Transparent", false}}, 60, 30);
    m->setVisible(false);
    m->setForecolor(0x0000FF);
    m->setVisible(true);
    GdiFlush();
    bool red = false;
    for (int x = 0; x < 60 && !red; ++x)
        for (int y = 0; y < 30 && !red; ++y) red = m->surface().pixel(x, y) == 0x0000FF;
    EXPECT_TRUE(red);
}

TEST_F(TextLabel, SeeThroughBackgroundIsAWindowRegion) {
    auto l = stored({{L"Text", L"WWWW"}, {L"Font", forms::StdFont::create(L"Tahoma", 14, true)}}, 100, 30);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(l->hWnd(), rgn), ERROR);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    bool checkedText = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) {
            const std::uint32_t p = l->surface().pixel(x, y);
            const bool in = PtInRegion(rgn, x, y) != FALSE;
            EXPECT_EQ(in, p != face) << x << "," << y;
            checkedText = checkedText || (p == 0 && in);
        }
    EXPECT_TRUE(checkedText);
    // Nothing painted: nothing left of the window.
    l->setText(L" ");
    RECT box;
    ASSERT_NE(GetWindowRgn(l->hWnd(), rgn), ERROR);
    EXPECT_EQ(GetRgnBox(rgn, &box), NULLREGION);
    // An opaque label gives its whole window back.
    l->setTransparent(false);
    EXPECT_EQ(GetWindowRgn(l->hWnd(), rgn), ERROR);
    DeleteObject(rgn);
}

void send(HWND w, UINT msg, int x, int y, WPARAM keys = 0) {
    SendMessageW(w, msg, keys, MAKELPARAM(x, y));
}

POINT screenPoint(HWND w, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    return p;
}

TEST_F(TextLabel, MouseEventsCaptureAndLeave) {
    auto l = stored({{L"Text", L"Hover"}, {L"Transparent", false}}, 100, 30);
    l->setToolTipText(L"Ipucu");
    HWND w = l->hWnd();
    testsupport::EventLog log;
    l->MouseMove.handle([&](std::int16_t&, std::int16_t&, float&, float&) { log.add(L"move"); });
    l->MouseLeave.handle([&](std::int16_t&, std::int16_t&, float&, float&) { log.add(L"leave"); });
    l->MouseDown.handle(
        [&](std::int16_t& b, std::int16_t&, float&, float&) { log.add(L"down" + std::to_wstring(b)); });
    l->MouseUp.handle([&](std::int16_t&, std::int16_t&, float&, float&) { log.add(L"up"); });
    l->Click.handle(log.recorder(L"click"));
    l->DblClick.handle(log.recorder(L"dbl"));

    POINT p = screenPoint(w, 20, 10);
    SetCursorPos(p.x, p.y);
    send(w, WM_MOUSEMOVE, 20, 10);
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(widgets::FTip::instance().TipOwner(), w);
    EXPECT_EQ(widgets::FTip::instance().TipText(), L"Ipucu");

    send(w, WM_LBUTTONDOWN, 20, 10, MK_LBUTTON);
    send(w, WM_LBUTTONUP, 20, 10);
    send(w, WM_LBUTTONDBLCLK, 20, 10, MK_LBUTTON);
    send(w, WM_LBUTTONUP, 20, 10);
    EXPECT_EQ(log.text(), L"move, down1, up, click, dbl, up");
    log.clear();

    // A window over the label: the coordinates are inside, the pointer is not on the label.
    HWND cover = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 10, 10, 40, 40, form->hWnd(),
                                 nullptr, nullptr, nullptr);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetCapture(w);
    send(w, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(log.text(), L"leave");
    EXPECT_NE(GetCapture(), w);
    DestroyWindow(cover);
    send(w, WM_MOUSEMOVE, 120, 10); // outside the control
    EXPECT_EQ(log.text(), L"leave, leave");
}

TEST_F(TextLabel, CaptureIsReleasedWhenHiddenDisabledOrGone) {
    auto l = stored({{L"Transparent", false}}, 100, 30);
    HWND w = l->hWnd();
    POINT p = screenPoint(w, 20, 10);
    SetCursorPos(p.x, p.y);

    send(w, WM_MOUSEMOVE, 20, 10);
    ASSERT_EQ(GetCapture(), w);
    l->setVisible(false);
    EXPECT_NE(GetCapture(), w);

    l->setVisible(true);
    send(w, WM_MOUSEMOVE, 20, 10);
    ASSERT_EQ(GetCapture(), w);
    l->setEnabled(false);
    EXPECT_NE(GetCapture(), w);

    l->setEnabled(true);
    send(w, WM_MOUSEMOVE, 20, 10);
    ASSERT_EQ(GetCapture(), w);
    form->Unload();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TextLabel, FormUnloadedInsideItsOwnEventsIsSafe) {
    auto l = stored({}, 100, 30);
    HWND w = l->hWnd();
    l->Click.handle([&] { form->Unload(); });
    send(w, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    send(w, WM_LBUTTONUP, 5, 5);
    EXPECT_FALSE(form->loaded());
    EXPECT_FALSE(IsWindow(w));

    auto m = stored({}, 100, 30);
    w = m->hWnd();
    m->MouseDown.handle([&](std::int16_t&, std::int16_t&, float&, float&) { form->Unload(); });
    send(w, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    EXPECT_FALSE(form->loaded());
    EXPECT_FALSE(IsWindow(w));
}

} // namespace
