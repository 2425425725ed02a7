// The slider's values, events and geometry on a surface that only counts what it is asked to do.
#include "support/errors.h"
#include "support/event_log.h"
#include "widgets/slider/slider_model.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace {

using testsupport::errorOf;
using widgets::SliderEvent;

class CountingSurface : public widgets::SliderSurface {
public:
    float width = 200, height = 16;
    int paints = 0;
    testsupport::EventLog log;

    float scaleWidth() const override { return width; }
    float scaleHeight() const override { return height; }
    void paint() override { ++paints; }
    bool raise(SliderEvent event, int16_t shift) override {
        static const wchar_t* const names[] = {L"Click",  L"ArrivedFirst", L"ArrivedLast",
                                               L"Change", L"MouseDown",    L"MouseUp"};
        std::wstring entry = names[int(event)];
        if (event == SliderEvent::MouseDown || event == SliderEvent::MouseUp)
            entry += L" " + std::to_wstring(shift);
        log.add(entry);
        return true;
    }
    void showTip() override {}
    void closeTip() override {}
};

struct Slider {
    CountingSurface surface;
    widgets::SliderModel model{surface};
    explicit Slider(int32_t orientation = widgets::sliderOrientation::Horizontal) {
        model.look.Orientation = orientation;
        model.initNew();
        model.layOut();
    }
};

TEST(SliderValues, EventsFollowTheWritesThatChangeTheValue) {
    Slider s;
    s.model.writeValue(10);
    s.model.writeValue(0);
    EXPECT_EQ(s.surface.log.text(), L"Change, ArrivedLast, Change, ArrivedFirst");

    const int paints = s.surface.paints;
    s.surface.log.clear();
    s.model.writeValue(0);
    EXPECT_TRUE(s.surface.log.empty());
    EXPECT_EQ(s.surface.paints, paints);

    s.model.writeValue(5);
    s.surface.log.clear();
    s.model.writeMin(2);
    EXPECT_EQ(s.model.look.Value, 2);
    EXPECT_EQ(s.surface.log.text(), L"Change, ArrivedFirst");
}

TEST(SliderValues, BoundWritesPlaceTheThumbForTheValueTheyLeave) {
    Slider s; // track 184 pixels
    s.model.writeValue(5);
    EXPECT_FLOAT_EQ(s.model.state.thumbLeft, 92);
    s.surface.log.clear();
    s.model.writeMin(5); // Value already there: nothing raised, but the thumb is at the Min end now
    EXPECT_TRUE(s.surface.log.empty());
    EXPECT_FLOAT_EQ(s.model.state.thumbLeft, 0);

    Slider t;
    t.model.writeValue(5);
    t.surface.log.clear();
    t.model.writeMax(3);
    EXPECT_EQ(t.model.look.Value, 5);
    EXPECT_TRUE(t.surface.log.empty());
    EXPECT_FLOAT_EQ(t.model.state.thumbLeft, 184); // at the end, not past it
}

TEST(SliderValues, RefusedWritesChangeNothing) {
    Slider s;
    s.model.writeValue(4);
    s.surface.log.clear();
    const float thumb = s.model.state.thumbLeft;
    const int paints = s.surface.paints;
    struct Case {
        const char* what;
        std::function<void()> write;
        int error;
    };
    const Case cases[] = {
        {"Max = Min", [&] { s.model.writeMax(0); }, 380},
        {"Min = Max", [&] { s.model.writeMin(10); }, 380},
        {"Value = Max + 1", [&] { s.model.writeValue(11); }, 380},
        {"Value = Min - 1", [&] { s.model.writeValue(-1); }, 380},
        {"range beyond 32 bits", [&] { s.model.writeMin(INT_MIN); }, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorOf(c.write), c.error) << c.what;
        EXPECT_EQ(s.model.look.Min, 0) << c.what;
        EXPECT_EQ(s.model.look.Max, 10) << c.what;
        EXPECT_EQ(s.model.look.Value, 4) << c.what;
        EXPECT_EQ(s.model.state.thumbLeft, thumb) << c.what;
        EXPECT_EQ(s.surface.paints, paints) << c.what;
    }
    EXPECT_TRUE(s.surface.log.empty());
}

TEST(SliderGeometry, RailAndPositions) {
    Slider s;
    EXPECT_EQ(s.model.state.rail.left, 6);
    EXPECT_EQ(s.model.state.rail.top, 6);
    EXPECT_EQ(s.model.state.rail.right, 194);
    EXPECT_EQ(s.model.state.rail.bottom, 10);

    s.surface.width = 196; // track 180
    s.model.writeMax(19);
    s.model.writeMin(1);
    s.model.state.thumbLeft = 45; // 45 / 180 * 18 + 1 = 5.5
    EXPECT_EQ(s.model.PositionToValue(), 6);
    EXPECT_FLOAT_EQ(s.model.state.thumbLeft, 50);
    s.model.state.thumbLeft = 25; // 3.5 goes to 4, and 2.5 to 2
    EXPECT_EQ(s.model.PositionToValue(), 4);
    s.model.state.thumbLeft = 15;
    EXPECT_EQ(s.model.PositionToValue(), 2);

    Slider v(widgets::sliderOrientation::Vertical);
    v.surface.width = 16;
    v.surface.height = 116;
    v.model.layOut();
    EXPECT_FLOAT_EQ(v.model.state.thumbTop, 100); // Min at the bottom
    v.model.state.thumbTop = 0;
    EXPECT_EQ(v.model.PositionToValue(), 10);
}

// No range, no track or no known orientation: the thumb stays at the Min end and a drag writes nothing.
TEST(SliderGeometry, NothingToDivideByMeansNoValueFromAPosition) {
    struct Case {
        const char* what;
        int32_t orientation, min, max, value;
        float width;
    };
    const Case cases[] = {
        {"range 0", 0, 5, 5, 5, 200},        {"Max below Min", 0, 8, 2, 20, 200},
        {"no track", 0, 0, 10, 3, 16},       {"narrower than the thumb", 0, 0, 10, 3, 10},
        {"orientation 2", 2, 0, 10, 3, 200},
    };
    for (const Case& c : cases) {
        Slider s(c.orientation);
        s.surface.width = c.width;
        s.model.look.Min = c.min;
        s.model.look.Max = c.max;
        s.model.look.Value = c.value;
        s.model.afterRead();
        s.model.layOut();
        if (c.orientation != 2) {
            EXPECT_EQ(s.model.state.thumbLeft, 0) << c.what;
        }
        EXPECT_EQ(s.model.PositionToValue(), c.value) << c.what;
        s.model.press(core::mouse::Left, 0, c.width / 2, 8);
        s.model.move(c.width, 8);
        s.model.move(-50, 8);
        EXPECT_EQ(s.model.look.Value, c.value) << c.what;
        EXPECT_EQ(s.surface.log.count(L"Change"), 0u) << c.what;
    }
}

} // namespace
