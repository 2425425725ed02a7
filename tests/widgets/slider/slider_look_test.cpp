// How the slider sizes and paints itself, and what it keeps with its form.
#include "slider_test_support.h"

#include "platform/core/variant.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "support/errors.h"

namespace {

using namespace slidertest;
using testsupport::errorOf;

class SliderLook : public ::testing::Test {
protected:
    static inline std::shared_ptr<SliderForm> form;
    static void SetUpTestSuite() {
        form = std::make_shared<SliderForm>();
        form->load();
    }
    static void TearDownTestSuite() {
        form->Unload();
        form.reset();
    }
    static COLORREF at(widgets::ucSlider& s, int x, int y) {
        GdiFlush();
        return s.surface().pixel(x, y);
    }
};

TEST_F(SliderLook, APictureRailThickerThanTheThumbSettlesWithTheThumbCentred) {
    auto s = placeSlider(*form, 200);
    s->setRailImage(solidPicture(120, 30, RGB(0, 0, 200)));
    s->setRailStyle(widgets::railStyle::Picture);
    EXPECT_EQ(s->Width(), 124 * T);
    EXPECT_EQ(s->Height(), 30 * T);
    EXPECT_FLOAT_EQ(s->state().thumbTop, 7);
    s->setRailStyle(widgets::railStyle::Picture); // again: nothing moves
    EXPECT_EQ(s->Width(), 124 * T);
    EXPECT_EQ(s->Height(), 30 * T);
    EXPECT_EQ(at(*s, 60, 1), RGB(0, 0, 200));
    EXPECT_EQ(at(*s, 8, 15), GetSysColor(COLOR_BTNFACE)); // the thumb's centre

    // Without the picture the thumb decides the thickness; a cleared thumb picture is 16 pixels again.
    s->setSliderImage(solidPicture(10, 24, RGB(200, 0, 0)));
    EXPECT_EQ(s->Height(), 30 * T);
    EXPECT_FLOAT_EQ(s->state().thumbTop, 3);
    s->setRailImage(nullptr);
    EXPECT_EQ(s->Height(), 24 * T);
    s->setSliderImage(nullptr);
    EXPECT_EQ(s->Height(), 16 * T);
    EXPECT_EQ(s->state().thumbWidth, 16);
}

TEST_F(SliderLook, InAPixelScaledContainerItIsSizedInPixels) {
    auto frame = forms::placeControl<forms::PictureBox>(*form, L"frame", 0, 0, 300 * T, 100 * T);
    frame->setScaleMode(core::scale::Pixels);
    auto s = forms::placeControl<widgets::ucSlider>(*frame, L"inner", 5, 5, 150, 150);
    EXPECT_EQ(s->Width(), 16);
    EXPECT_EQ(s->Height(), 150);
    s->setOrientation(widgets::sliderOrientation::Horizontal);
    EXPECT_EQ(s->Width(), 16);
    EXPECT_EQ(s->Height(), 16);
    s.reset();
    frame.reset();
}

TEST_F(SliderLook, RailStylesAndTheThumb) {
    auto s = placeSlider(*form, 200);
    s->setBackColor(RGB(255, 0, 0));
    const COLORREF back = RGB(255, 0, 0);
    // Rail (6, 6, 194, 10); the thumb sits at the left.
    EXPECT_EQ(at(*s, 8, 8), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(at(*s, 17, 1), back);
    struct Case {
        int32_t style;
        bool drawn;
    };
    for (const Case& c : {Case{0, true}, Case{1, true}, Case{2, true}, Case{3, true}, Case{4, false},
                          Case{5, false}, Case{98, false}, Case{99, false}}) {
        s->setRailStyle(c.style);
        EXPECT_EQ(s->Height(), 16 * T) << c.style;
        bool edge = false;
        for (int x = 20; x < 194; ++x)
            for (int y : {6, 9}) edge = edge || at(*s, x, y) != back;
        EXPECT_EQ(edge, c.drawn) << c.style;
    }
}

TEST_F(SliderLook, PointerCodesAreChecked) {
    auto s = placeSlider(*form, 100);
    EXPECT_EQ(errorOf([&] { s->setMousePointer(70000); }), 6);
    EXPECT_EQ(errorOf([&] { s->setMousePointer(50); }), 380);
    EXPECT_EQ(s->MousePointer(), 0);
    s->setMousePointer(core::pointer::Hourglass);
    EXPECT_EQ(s->MousePointer(), core::pointer::Hourglass);
}

TEST_F(SliderLook, StoredPropertiesRoundTripAndNothingIsReportedChanged) {
    auto fresh = placeSlider(*form, 100, widgets::sliderOrientation::Vertical);
    forms::PropertyBag bag;
    fresh->save(bag);
    EXPECT_TRUE(bag.empty());
    fresh->setMax(7);
    fresh->setMin(1);
    fresh->setValue(3);
    fresh->setBackColor(0xFF);
    fresh->setRailStyle(2);
    fresh->setEnabled(false);
    EXPECT_TRUE(fresh->changedProperties().empty());

    forms::PropertyBag full{{L"BackColor", core::Variant::colour(0x00FF00)},
                            {L"Enabled", false},
                            {L"MouseIcon", core::Variant(solidPicture(32, 32, 0))},
                            {L"MousePointer", 2},
                            {L"SliderImage", core::Variant(solidPicture(8, 8, 0))},
                            {L"Orientation", 0},
                            {L"RailImage", core::Variant(solidPicture(50, 4, 0))},
                            {L"RailStyle", 99},
                            {L"ShowValueTip", false},
                            {L"Min", 1},
                            {L"Max", 19},
                            {L"Value", 10}};
    // Bounds and a value out of order come back as they were stored.
    forms::PropertyBag odd{{L"Min", 8}, {L"Max", 3}, {L"Value", 40}};
    for (forms::PropertyBag* stored : {&full, &odd}) {
        auto s = forms::makeControl<widgets::ucSlider>();
        s->place(*form, L"loaded", -1, 0, 0, 100 * T, 16 * T);
        forms::PropertyBag copy = *stored;
        s->readStored(copy);
        forms::PropertyBag written;
        s->save(written);
        EXPECT_TRUE(written == *stored) << written.size() << " keys written";
    }

    forms::PropertyBag overflow{{L"Min", INT32_MIN}, {L"Max", 5}};
    auto s = forms::makeControl<widgets::ucSlider>();
    s->place(*form, L"overflow", -1, 0, 0, 100 * T, 16 * T);
    EXPECT_EQ(errorOf([&] { s->readStored(overflow); }), 6);
}

} // namespace
