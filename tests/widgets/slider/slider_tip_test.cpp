// The value tip on the screen: its text, size and place, and that it neither takes the focus nor
// outlives a release or the slider's form.
#include "slider_test_support.h"

#include "platform/forms/controls/label.h"
#include "platform/forms/std_font.h"

#include <cmath>
#include <cstdlib>

namespace {

using namespace slidertest;

RECT windowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

// Text width in the tip's font, measured on a surface of our own.
int tahomaWidth(const std::wstring& text) {
    forms::Surface s(10, 10);
    s.setFont(forms::StdFont::create(L"Tahoma", 8.25));
    return static_cast<int>(s.TextWidth(text) + 0.5f);
}

TEST(SliderTip, ShowsTheValueAboveTheThumbWithoutTakingTheFocus) {
    auto form = std::make_shared<SliderForm>();
    form->Show();
    auto slider = placeSlider(*form, 300);
    slider->setMin(-20);
    slider->setValue(-12);
    const HWND w = slider->hWnd();
    slider->SetFocus();
    forms::DoEvents();
    const HWND focus = GetFocus(), active = GetActiveWindow();
    ASSERT_EQ(focus, w);

    // Pressed on the thumb: the value does not change, the tip shows it.
    const int thumbX = static_cast<int>(slider->state().thumbLeft) + 3;
    press(w, thumbX, 8);
    ASSERT_TRUE(tipLoaded());
    auto& tip = forms::instance<widgets::ucSliderTip>();
    EXPECT_TRUE(IsWindowVisible(tip.hWnd()));
    EXPECT_FALSE(GetWindowLongW(tip.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(GetActiveWindow(), active);

    // Each value: its text, a tip 4 pixels wider than the text, centred over the thumb with its bottom
    // 2 pixels above the thumb's top (which is the slider's top).
    const RECT sliderRect = windowRect(w);
    const double grab = thumbX - slider->state().thumbLeft, track = 284;
    for (int value : {-12, 5, 10, 7}) {
        if (value != slider->Value())
            drag(w, static_cast<int>(std::lround(track * (value + 20) / 30 + grab)), 8);
        ASSERT_EQ(slider->Value(), value) << "the drag went elsewhere";
        const std::wstring text = std::to_wstring(value);
        EXPECT_EQ(tip.lblTip().Caption(), text);
        const RECT r = windowRect(tip.hWnd());
        EXPECT_EQ(r.right - r.left, tahomaWidth(text) + 4) << value;
        EXPECT_EQ(r.bottom - r.top, 16) << value;
        EXPECT_EQ(r.bottom, sliderRect.top - 2) << value;
        // Centres within a pixel: the tip's corner is a whole pixel, the thumb's need not be.
        const double thumbCentre = sliderRect.left + slider->state().thumbLeft + 8;
        EXPECT_LE(std::abs((r.left + r.right) / 2.0 - thumbCentre), 1.0) << value;
    }
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(GetActiveWindow(), active);

    // The tip's border and its info background behind the text.
    forms::DoEvents();
    const RECT r = windowRect(tip.hWnd());
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, r.left, r.top), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(GetPixel(screen, r.right - 1, r.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(GetPixel(screen, r.left + 1, r.top + 3), GetSysColor(COLOR_INFOBK));
    ReleaseDC(nullptr, screen);

    release(w, thumbX, 8);
    EXPECT_FALSE(tipLoaded());
    release(w, thumbX, 8); // with no tip there
    EXPECT_FALSE(tipLoaded());

    // A form that goes in the middle of a drag takes the tip with it.
    press(w, 150, 8);
    ASSERT_TRUE(tipLoaded());
    slider.reset();
    form->Unload();
    EXPECT_FALSE(tipLoaded());
}

TEST(SliderTip, AVerticalSliderHasItsTipOnTheLeft) {
    auto form = std::make_shared<SliderForm>();
    form->load();
    auto slider = placeSlider(*form, 200, widgets::sliderOrientation::Vertical);
    press(slider->hWnd(), 8, 100);
    ASSERT_TRUE(tipLoaded());
    const RECT s = windowRect(slider->hWnd());
    const RECT r = windowRect(forms::instance<widgets::ucSliderTip>().hWnd());
    EXPECT_EQ(r.right, s.left - 2);
    const int thumbTop = s.top + static_cast<int>(slider->state().thumbTop);
    EXPECT_LE(std::abs((r.top + r.bottom) - (2 * thumbTop + 16)), 1);

    // Another orientation shows no tip anywhere.
    release(slider->hWnd(), 8, 100);
    slider->setOrientation(2);
    press(slider->hWnd(), 8, 100);
    EXPECT_FALSE(tipLoaded());
    release(slider->hWnd(), 8, 100);
    slider.reset();
    form->Unload();
}

} // namespace
