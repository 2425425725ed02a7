// A form of sliders as a person sees it: both orientations in every rail style, a picture rail, a
// picture thumb, a disabled slider and a drag with its tip. The window goes to
// build/screenshots/slider-styles.bmp. Also the speech form's use: two 1-to-19 sliders that the host
// writes, the user drags and the host reads back.
#include "slider_test_support.h"
#include "support/screenshot.h"

#include "platform/core/variant.h"
#include "platform/forms/layout.h"

#include <cstdio>
#include <vector>

namespace {

using namespace slidertest;

forms::LayoutEntry entry(const std::wstring& type, const std::wstring& name, int left, int top, int width,
                         int height, forms::PropertyBag bag) {
    forms::LayoutEntry e;
    e.type = type;
    e.name = name;
    e.left = left * T;
    e.top = top * T;
    e.width = width * T;
    e.height = height * T;
    e.properties = std::move(bag);
    return e;
}

forms::LayoutEntry caption(const std::wstring& name, int left, int top, const std::wstring& text) {
    return entry(L"Label", name, left, top, 90, 16,
                 forms::PropertyBag{{L"Caption", core::Variant(text)}, {L"BackStyle", 0}});
}

class DemoForm : public forms::Form {
public:
    DemoForm() {
        setName(L"SliderDemo");
        setCaption(L"ucSlider");
        setClientSize(560 * T, 400 * T);
    }

protected:
    forms::Layout layout() const override {
        forms::Layout l;
        for (int style = 0; style <= 4; ++style) {
            const int y = 40 + style * 34;
            const std::wstring n = std::to_wstring(style);
            l.push_back(caption(L"h" + n + L"Caption", 10, y, L"RailStyle " + n));
            l.push_back(entry(L"ucSlider", L"h" + n, 100, y, 220, 16,
                              {{L"Orientation", 0}, {L"RailStyle", style}, {L"Value", 2 * style}}));
            l.push_back(entry(L"ucSlider", L"v" + n, 350 + style * 40, 40, 16, 160,
                              {{L"RailStyle", style}, {L"Value", 2 * style}}));
            l.push_back(entry(L"Label", L"v" + n + L"Caption", 354 + style * 40, 206, 12, 16,
                              {{L"Caption", core::Variant(n)}, {L"BackStyle", 0}}));
        }
        l.push_back(caption(L"pictureCaption", 10, 214, L"Picture rail"));
        l.push_back(entry(L"ucSlider", L"pictureRail", 100, 214, 220, 16,
                          {{L"Orientation", 0},
                           {L"RailStyle", 99},
                           {L"RailImage", core::Variant(solidPicture(216, 6, RGB(40, 90, 160)))},
                           {L"Value", 7}}));
        l.push_back(caption(L"thumbCaption", 10, 250, L"Picture thumb"));
        l.push_back(entry(L"ucSlider", L"pictureThumb", 100, 250, 220, 16,
                          {{L"Orientation", 0},
                           {L"SliderImage", core::Variant(solidPicture(12, 22, RGB(255, 140, 0)))},
                           {L"Value", 3}}));
        l.push_back(caption(L"disabledCaption", 10, 286, L"Disabled"));
        l.push_back(entry(L"ucSlider", L"disabled", 100, 286, 220, 16,
                          {{L"Orientation", 0}, {L"Enabled", false}, {L"Value", 6}}));
        l.push_back(caption(L"ensCaption", 10, 330, L"English speed"));
        l.push_back(
            entry(L"ucSlider", L"ens", 100, 330, 220, 16, {{L"Min", 1}, {L"Max", 19}, {L"Orientation", 0}}));
        l.push_back(caption(L"rusCaption", 10, 370, L"Russian speed"));
        l.push_back(
            entry(L"ucSlider", L"rus", 100, 370, 220, 16, {{L"Min", 1}, {L"Max", 19}, {L"Orientation", 0}}));
        return l;
    }
};

void pump(int ms) {
    for (int waited = 0; waited < ms; waited += 20) {
        forms::DoEvents();
        Sleep(20);
    }
}

TEST(SliderDemo, EveryStyleAndADragWithItsTip) {
    widgets::ucSlider::registerType();
    auto form = std::make_shared<DemoForm>();
    form->load();

    // The speech form's part: write the stored step, let the user drag, read it back.
    auto& ens = form->control<widgets::ucSlider>(L"ens");
    auto& rus = form->control<widgets::ucSlider>(L"rus");
    for (widgets::ucSlider* s : {&ens, &rus}) {
        EXPECT_EQ(s->Height(), 16 * T);
        s->setValue(10);
        const HWND w = s->hWnd();
        const int thumb = static_cast<int>(s->state().thumbLeft) + 8;
        press(w, thumb, 8);
        drag(w, thumb + 40, 8);
        drag(w, 400, 8);
        release(w, 400, 8);
        EXPECT_EQ(s->Value(), 19);
    }
    EXPECT_FALSE(tipLoaded());

    form->Move(40 * T, 40 * T, form->Width(), form->Height());
    form->Show();
    auto& dragged = form->control<widgets::ucSlider>(L"h1");
    // The pointer is put where the drag goes, so the moves the system sends while we wait agree.
    POINT pointer{120, 8};
    ClientToScreen(dragged.hWnd(), &pointer);
    SetCursorPos(pointer.x, pointer.y);
    press(dragged.hWnd(), 150, 8);
    drag(dragged.hWnd(), 120, 8);
    pump(400);
    EXPECT_EQ(dragged.Value(), 5);
    ASSERT_TRUE(tipLoaded());
    const HWND tip = forms::instance<widgets::ucSliderTip>().hWnd();
    EXPECT_TRUE(IsWindowVisible(tip));

    EXPECT_TRUE(testsupport::saveShot(testsupport::captureWindows({form->hWnd(), tip}), L"slider-styles"));

    // The vertical sliders stood up; the picture rail is as wide as its picture and 4 pixels more.
    EXPECT_EQ(form->control<widgets::ucSlider>(L"v0").Width(), 16 * T);
    EXPECT_EQ(form->control<widgets::ucSlider>(L"pictureRail").Width(), 220 * T);
    EXPECT_EQ(form->control<widgets::ucSlider>(L"pictureRail").Height(), 16 * T);
    EXPECT_EQ(form->control<widgets::ucSlider>(L"pictureThumb").Height(), 22 * T);

    release(dragged.hWnd(), 120, 8);
    EXPECT_FALSE(tipLoaded());
    form->Unload();
}

} // namespace
