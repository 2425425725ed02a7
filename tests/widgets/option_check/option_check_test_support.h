#pragma once

#include "platform/core/variant.h"
#include "platform/forms/controls/intrinsic.h"
#include "platform/forms/cursor_position.h"
#include "platform/forms/form.h"
#include "platform/forms/layout.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/std_font.h"
#include "widgets/option_check/morph_option_check.h"

#include "support/event_log.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <windows.h>

namespace optiontest {

using widgets::MorphOptionCheck;

class HostForm : public forms::Form {
public:
    explicit HostForm(forms::Layout table) : table_(std::move(table)) {
        setName(L"OptionHost");
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(400 * 15, 300 * 15);
        setFont(forms::StdFont::create(L"Tahoma", 8));
    }

protected:
    forms::Layout layout() const override { return table_; }

private:
    forms::Layout table_;
};

// A layout entry for the control: name, container, position and size in pixels of a twips form.
inline forms::LayoutEntry optionEntry(std::wstring name, int type, int left, int top, int width = 150,
                                      int height = 20, std::wstring container = L"",
                                      forms::PropertyBag extra = {}) {
    forms::LayoutEntry e;
    e.type = L"MorphOptionCheck";
    e.name = std::move(name);
    e.container = std::move(container);
    e.left = left * 15;
    e.top = top * 15;
    e.width = width * 15;
    e.height = height * 15;
    e.properties = std::move(extra);
    e.properties.WriteProperty(L"ControlType", core::Variant(type), core::Variant(0));
    return e;
}

inline forms::LayoutEntry frameEntry(std::wstring name, int left, int top, int width, int height) {
    forms::LayoutEntry e;
    e.type = L"PictureBox";
    e.name = std::move(name);
    e.left = left * 15;
    e.top = top * 15;
    e.width = width * 15;
    e.height = height * 15;
    return e;
}

// The window under the pointer as a test says (the control's own window unless told otherwise).
struct PointerSeam {
    HWND under = nullptr;
    forms::CursorSource old;
    PointerSeam() {
        old = forms::setCursorSource({[] { return POINT{5, 5}; }, [this](POINT) { return under; }});
    }
    ~PointerSeam() { forms::setCursorSource(old); }
};

inline void watch(MorphOptionCheck& c, testsupport::EventLog& log, const std::wstring& name = L"") {
    const std::wstring p = name.empty() ? L"" : name + L" ";
    c.MouseEnter.handle([&log, p] { log.add(p + L"MouseEnter"); });
    c.MouseLeave.handle([&log, p] { log.add(p + L"MouseLeave"); });
    c.Click.handle([&log, p] { log.add(p + L"Click"); });
    c.KeyDown.handle([&log, p](int16_t& k, int16_t& s) {
        log.add(p + L"KeyDown " + std::to_wstring(k) + L" " + std::to_wstring(s));
    });
    c.KeyUp.handle([&log, p](int16_t& k, int16_t& s) {
        log.add(p + L"KeyUp " + std::to_wstring(k) + L" " + std::to_wstring(s));
    });
    c.KeyPress.handle([&log, p](int16_t& k) { log.add(p + L"KeyPress " + std::to_wstring(k)); });
    c.MouseDown.handle([&log, p](int16_t& b, int16_t& s, float& x, float& y) {
        log.add(p + L"MouseDown " + std::to_wstring(b) + L" " + std::to_wstring(s) + L" " +
                std::to_wstring(int(x)) + L" " + std::to_wstring(int(y)));
    });
    c.MouseUp.handle([&log, p](int16_t& b, int16_t& s, float& x, float& y) {
        log.add(p + L"MouseUp " + std::to_wstring(b) + L" " + std::to_wstring(s) + L" " +
                std::to_wstring(int(x)) + L" " + std::to_wstring(int(y)));
    });
}

} // namespace optiontest
