// The option/check box's repaint: what lies behind a transparent control, the window region, and the
// painter over both.
#include "widgets/option_check/morph_option_check.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/functions.h"
#include "platform/forms/screen.h"
#include "platform/forms/surface.h"

namespace widgets {

void MorphOptionCheck::CheckAreaLayout() {
    OptionCheckPainter(nullptr, std::max(0, pixelWidth()), std::max(0, pixelHeight()), look_, state_)
        .CheckAreaLayout();
}

void MorphOptionCheck::Redraw() {
    if (!loaded()) return;
    // A repaint asked for while one runs (a focus change inside DoEvents) is made by the running one.
    if (redrawing_) {
        redrawAgain_ = true;
        return;
    }
    auto keep = weak_from_this().lock();
    auto watch = this->watch();
    redrawing_ = true;
    do {
        redrawAgain_ = false;
        paintOnce();
    } while (redrawAgain_ && watch.alive() && loaded());
    redrawing_ = false;
}

void MorphOptionCheck::paintOnce() {
    ++redraws_;
    if (look_.Transparent && !CopyContainerBackground()) return;
    const int w = pixelWidth(), h = pixelHeight();
    if (w <= 0 || h <= 0) return;
    OptionCheckPainter painter(hDC(), w, h, look_, state_);
    if (!look_.Transparent) painter.PaintBackground();
    if (!look_.Transparent || look_.BorderIfTransparent)
        core::bestEffort(L"MorphOptionCheck region", [&] { setWindowRegion(painter.borderRegion()); });
    painter.DrawCheckArea();
    painter.DrawCaption();
}

forms::UserControl* MorphOptionCheck::findContainerByName() const {
    forms::Form* form = Parent();
    if (!form) return nullptr;
    const std::wstring wanted = forms::LCase(look_.ContainerName);
    for (forms::UserControl* c : form->allControls())
        if (forms::LCase(c->Name()) == wanted) return c;
    return nullptr;
}

bool MorphOptionCheck::CopyContainerBackground() {
    forms::ControlHost* container = Container();
    if (!container) return true;
    const int w = pixelWidth(), h = pixelHeight();
    if (w <= 0 || h <= 0) return true;
    auto positionInContainer = [&](POINT& at) {
        if (container->hostScaleMode() == core::scale::Twips) {
            at.x = forms::intDiv(Left(), forms::Screen::TwipsPerPixelX());
            at.y = forms::intDiv(Top(), forms::Screen::TwipsPerPixelY());
        } else {
            at.x = Left();
            at.y = Top();
        }
    };

    HDC source = nullptr;
    POINT at{0, 0};
    if (!look_.ContainerName.empty()) {
        forms::UserControl* named = findContainerByName();
        if (!named) return true; // nothing to copy from
        source = named->hDC();
        positionInContainer(at);
    } else if (dynamic_cast<forms::Form*>(container)) {
        source = container->hostDC();
        positionInContainer(at);
    } else {
        // Another window: let it repaint where the control stands and copy what the screen shows.
        const HWND host = container->hWnd();
        RECT r{};
        GetWindowRect(hWnd(), &r);
        at = {r.left, r.top};
        ScreenToClient(host, &at);
        OffsetRect(&r, at.x - r.left, at.y - r.top);
        const bool wasVisible = IsWindowVisible(hWnd()) != FALSE;
        ShowWindow(hWnd(), SW_HIDE);
        RedrawWindow(host, &r, nullptr, RDW_INVALIDATE);
        auto watch = this->watch();
        forms::DoEvents();
        if (!watch.alive() || !loaded()) return false;
        forms::WindowDC screen(host);
        if (screen) BitBlt(hDC(), 0, 0, w, h, screen.get(), at.x, at.y, SRCCOPY);
        // The control shows again over what it copied.
        if (wasVisible) ShowWindow(hWnd(), SW_SHOWNA);
        return true;
    }
    if (source) BitBlt(hDC(), 0, 0, w, h, source, at.x, at.y, SRCCOPY);
    return true;
}

} // namespace widgets
