#pragma once

#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/std_picture.h"
#include "platform/forms/surface.h"
#include "support/event_log.h"
#include "widgets/slider/uc_slider.h"
#include "widgets/slider/uc_slider_tip.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <windows.h>

namespace slidertest {

class SliderForm : public forms::Form {
public:
    SliderForm() {
        setName(L"SliderForm");
        setCaption(L"slider");
        setClientSize(7500, 6000);
    }
};

constexpr int T = 15; // twips per pixel on the test screen

// Every event of a slider into a log; MouseDown and MouseUp show the Shift they got, and their
// handlers change it, which the slider must ignore.
inline void record(widgets::ucSlider& s, testsupport::EventLog& log) {
    s.Click.handle(log.recorder(L"Click"));
    s.ArrivedFirst.handle(log.recorder(L"ArrivedFirst"));
    s.ArrivedLast.handle(log.recorder(L"ArrivedLast"));
    s.Change.handle(log.recorder(L"Change"));
    s.MouseDown.handle([&log](int16_t& shift) {
        log.add(L"MouseDown " + std::to_wstring(shift));
        shift = 99;
    });
    s.MouseUp.handle([&log](int16_t& shift) {
        log.add(L"MouseUp " + std::to_wstring(shift));
        shift = 99;
    });
}

// A new slider placed at (10, 10) pixels, width pixels long, then laid out in an orientation.
inline std::shared_ptr<widgets::ucSlider>
placeSlider(forms::Form& form, int width, int32_t orientation = widgets::sliderOrientation::Horizontal,
            const std::wstring& name = L"slider") {
    auto s = forms::placeControl<widgets::ucSlider>(form, name, 10 * T, 10 * T, width * T, width * T);
    s->setOrientation(orientation);
    // A new slider is vertical and took the thumb's width: give it its length again.
    s->Move(10 * T, 10 * T, width * T, width * T);
    return s;
}

inline void press(HWND w, int x, int y, WPARAM keys = MK_LBUTTON) {
    SendMessageW(w, WM_LBUTTONDOWN, keys, MAKELPARAM(x, y));
}
inline void drag(HWND w, int x, int y) {
    SendMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
}
inline void release(HWND w, int x, int y, UINT msg = WM_LBUTTONUP) {
    SendMessageW(w, msg, 0, MAKELPARAM(x & 0xFFFF, y & 0xFFFF));
}

// A bitmap picture of one colour.
inline std::shared_ptr<forms::StdPicture> solidPicture(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r{0, 0, width, height};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return forms::StdPicture::fromBitmap(bmp);
}

inline bool tipLoaded() {
    return forms::isLoaded<widgets::ucSliderTip>();
}

} // namespace slidertest
