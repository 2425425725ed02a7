#include "platform/forms/controls/control_support.h"

#include "platform/core/event_log.h"
#include "platform/forms/app.h"
#include "platform/forms/color.h"
#include "platform/core/runtime_error.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"

namespace forms::controls {

void paintBehind(UserControl& control) {
    HWND w = control.hWnd();
    ControlHost* host = control.Container();
    Surface& own = control.surface();
    if (!w || !host || !(GetWindowLongW(w, GWL_STYLE) & WS_CHILD)) return;
    Surface* behind = host->hostSurface();
    if (!behind) return;
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
    HDC dc = own.hDC();
    POINT old;
    SetViewportOrgEx(dc, -r.left, -r.top, &old);
    behind->paint(dc, &r);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

WNDPROC subclassChild(HWND child, WNDPROC proc, UserControl* owner) {
    windowObject::attach(child, owner);
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

void releaseChild(HWND child, WNDPROC previous) noexcept {
    if (child && IsWindow(child) && windowObject::of(child)) {
        SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        windowObject::detach(child);
    }
}

void keepToDeviceContexts(core::MessageFrame& m) noexcept {
    if (m.msg != WM_PAINT && m.msg != WM_PRINTCLIENT) return;
    // Under Wine a number below 0x10000 names the GDI object at that place in the table, and drawing
    // through it goes only part of the way: only a whole handle of a device context counts.
    bool dc = false;
    if (HIWORD(m.wParam) != 0) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(m.wParam));
        dc = type == OBJ_DC || type == OBJ_MEMDC || type == OBJ_METADC || type == OBJ_ENHMETADC;
    }
    if (dc) return;
    if (m.msg == WM_PAINT)
        m.wParam = 0;
    else
        m.answer(0);
}

void FontWatch::watch(const std::shared_ptr<StdFont>& font, std::function<void()> changed) {
    stop();
    if (!font) return;
    font_ = font;
    id_ = font->addListener([changed = std::move(changed)] {
        try {
            changed();
        } catch (...) {
            core::reportUnexpectedError(L"Font change");
        }
    });
}

void FontWatch::stop() noexcept {
    if (auto font = font_.lock()) font->removeListener(id_);
    font_.reset();
    id_ = 0;
}

uint32_t checkedColour(uint32_t colour) {
    if (!isValidColour(colour)) throw core::RuntimeError(core::err::InvalidPropertyValue);
    return colour;
}

} // namespace forms::controls
