#pragma once

#include "platform/core/variant.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"
#include "widgets/command_button/kt_button.h"

#include "support/event_log.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <windows.h>

namespace kttest {

using widgets::ktButton;

class HostForm : public forms::Form {
public:
    explicit HostForm(forms::Layout table, bool activates = false) : table_(std::move(table)) {
        setName(L"ButtonHost");
        setBorderStyle(0);
        setNoActivate(!activates);
        setClientSize(400 * 15, 300 * 15);
        setFont(forms::StdFont::create(L"Tahoma", 8));
    }

protected:
    forms::Layout layout() const override { return table_; }

private:
    forms::Layout table_;
};

// A layout entry for the button: name, position and size in pixels of a twips form, stored values.
inline forms::LayoutEntry buttonEntry(std::wstring name, int left, int top, int width = 75, int height = 23,
                                      forms::PropertyBag stored = {}) {
    forms::LayoutEntry e;
    e.type = L"ktButton";
    e.name = std::move(name);
    e.left = left * 15;
    e.top = top * 15;
    e.width = width * 15;
    e.height = height * 15;
    e.properties = std::move(stored);
    return e;
}

// The window under the pointer as a test says.
struct PointerSeam {
    HWND under = nullptr;
    forms::CursorSource old;
    PointerSeam() {
        old = forms::setCursorSource({[] { return POINT{5, 5}; }, [this](POINT) { return under; }});
    }
    ~PointerSeam() { forms::setCursorSource(old); }
};

inline void watch(ktButton& c, testsupport::EventLog& log) {
    auto mouse = [&log](const wchar_t* name) {
        return [&log, name](int16_t& b, int16_t&, float&, float&) {
            log.add(std::wstring(name) + L" " + std::to_wstring(b));
        };
    };
    c.Click.handle([&log] { log.add(L"Click"); });
    c.DblClick.handle([&log] { log.add(L"DblClick"); });
    c.MouseEnter.handle([&log] { log.add(L"MouseEnter"); });
    c.MouseLeave.handle([&log] { log.add(L"MouseLeave"); });
    c.MouseDown.handle(mouse(L"MouseDown"));
    c.MouseMove.handle(mouse(L"MouseMove"));
    c.MouseUp.handle(mouse(L"MouseUp"));
    c.KeyDown.handle([&log](int16_t& k, int16_t&) { log.add(L"KeyDown " + std::to_wstring(k)); });
    c.KeyUp.handle([&log](int16_t& k, int16_t&) { log.add(L"KeyUp " + std::to_wstring(k)); });
    c.KeyPress.handle([&log](int16_t& k) { log.add(L"KeyPress " + std::to_wstring(k)); });
}

// A bitmap picture of one colour, with an optional centre square in another.
inline std::shared_ptr<forms::StdPicture> solidPicture(int w, int h, COLORREF colour, int inner = 0,
                                                       COLORREF innerColour = 0) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bitmap);
    HBRUSH b = CreateSolidBrush(colour);
    RECT r{0, 0, w, h};
    FillRect(mem, &r, b);
    DeleteObject(b);
    if (inner > 0) {
        HBRUSH ib = CreateSolidBrush(innerColour);
        RECT ir{(w - inner) / 2, (h - inner) / 2, (w + inner) / 2, (h + inner) / 2};
        FillRect(mem, &ir, ib);
        DeleteObject(ib);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return forms::StdPicture::fromBitmap(bitmap);
}

} // namespace kttest
