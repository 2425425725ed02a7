// The slider driven by mouse messages sent to its window one by one.
#include "slider_test_support.h"

#include "platform/core/runtime_error.h"

namespace {

using namespace slidertest;

class SliderInput : public ::testing::Test {
protected:
    static inline std::shared_ptr<SliderForm> form;
    std::shared_ptr<widgets::ucSlider> slider; // 200 x 16 pixels, 0 to 10: the track is 184 pixels
    HWND w = nullptr;
    testsupport::EventLog log;

    static void SetUpTestSuite() {
        form = std::make_shared<SliderForm>();
        form->load();
    }
    static void TearDownTestSuite() {
        form->Unload();
        form.reset();
    }
    void SetUp() override {
        slider = placeSlider(*form, 200);
        w = slider->hWnd();
        record(*slider, log);
    }
    void TearDown() override {
        release(w, 0, 0);
        slider.reset();
        EXPECT_FALSE(tipLoaded());
    }
};

TEST_F(SliderInput, APressOffTheThumbCentresItOnThePointer) {
    press(w, 100, 8); // 100 - 8 = 92 of 184
    EXPECT_EQ(slider->Value(), 5);
    EXPECT_FLOAT_EQ(slider->state().thumbLeft, 92);
    EXPECT_EQ(log.text(), L"Change, MouseDown 0");
    EXPECT_TRUE(tipLoaded());
    release(w, 100, 8);
    log.clear();

    press(w, 199, 3, MK_LBUTTON | MK_SHIFT); // clamped at the Max end
    EXPECT_EQ(slider->Value(), 10);
    EXPECT_FLOAT_EQ(slider->state().thumbLeft, 184);
    EXPECT_EQ(log.text(), L"Change, ArrivedLast, MouseDown 1");
}

TEST_F(SliderInput, APressOnTheThumbKeepsWhereItWasHeld) {
    press(w, 5, 8);
    EXPECT_EQ(log.text(), L"MouseDown 0");
    EXPECT_FLOAT_EQ(slider->state().thumbLeft, 0);
    drag(w, 51, 8); // 46 of 184 is 2.5, which goes to 2
    EXPECT_EQ(slider->Value(), 2);
    EXPECT_FLOAT_EQ(slider->state().thumbLeft, 36.8f);
}

TEST_F(SliderInput, DraggingPastAnEndPinsTheValue) {
    press(w, 8, 8);
    drag(w, 900, 8);
    EXPECT_EQ(slider->Value(), 10);
    EXPECT_FLOAT_EQ(slider->state().thumbLeft, 184);
    drag(w, -900, 8);
    EXPECT_EQ(slider->Value(), 0);
    EXPECT_FLOAT_EQ(slider->state().thumbLeft, 0);
    EXPECT_EQ(log.text(), L"MouseDown 0, Change, ArrivedLast, Change, ArrivedFirst");
}

TEST_F(SliderInput, ReleasesEndTheDragAndOnlyALeftOneInsideClicks) {
    struct Case {
        const char* what;
        UINT up;
        int x;
        const wchar_t* events;
    };
    const Case cases[] = {
        {"left inside", WM_LBUTTONUP, 50, L"MouseDown 0, Click, MouseUp 0"},
        {"left outside", WM_LBUTTONUP, -4, L"MouseDown 0, MouseUp 0"},
        {"right inside", WM_RBUTTONUP, 50, L"MouseDown 0, MouseUp 0"},
    };
    for (const Case& c : cases) {
        log.clear();
        press(w, 5, 8);
        release(w, c.x, 8, c.up);
        EXPECT_EQ(log.text(), c.events) << c.what;
        EXPECT_FALSE(tipLoaded()) << c.what;
        drag(w, 150, 8); // the drag is over
        EXPECT_EQ(slider->Value(), 0) << c.what;
    }

    log.clear();
    SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 8));
    drag(w, 150, 8);
    release(w, 100, 8, WM_RBUTTONUP);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(slider->Value(), 0);
}

TEST_F(SliderInput, DisabledItOnlyClicks) {
    slider->setEnabled(false);
    EXPECT_TRUE(IsWindowEnabled(w));
    press(w, 100, 8);
    drag(w, 150, 8);
    EXPECT_FALSE(tipLoaded());
    release(w, 100, 8);
    EXPECT_EQ(log.text(), L"Click");
    EXPECT_EQ(slider->Value(), 0);
}

TEST_F(SliderInput, AnotherWindowTakingTheCaptureEndsTheDrag) {
    press(w, 5, 8);
    EXPECT_TRUE(tipLoaded());
    SetCapture(form->hWnd());
    EXPECT_FALSE(tipLoaded());
    ReleaseCapture();
    drag(w, 150, 8);
    EXPECT_EQ(slider->Value(), 0);
}

TEST(SliderHost, AHostThatUnloadsItsFormInChangeStopsTheDrag) {
    auto form = std::make_shared<SliderForm>();
    form->load();
    auto slider = placeSlider(*form, 200);
    testsupport::EventLog log;
    record(*slider, log);
    slider->Change.handle([&] {
        log.add(L"Change");
        form->Unload();
    });
    const HWND w = slider->hWnd();
    press(w, 100, 8);
    EXPECT_EQ(log.text(), L"Change");
    EXPECT_FALSE(slider->loaded());
    EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(tipLoaded());
    slider.reset();
    form.reset();
}

} // namespace
