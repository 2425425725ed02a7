#include "widgets/slider/slider_paint.h"

#include "platform/core/event_log.h"
#include "platform/forms/color.h"
#include "platform/forms/gdi.h"
#include "platform/forms/std_picture.h"

namespace widgets {

namespace {

// DrawEdge edge types of rail styles 0 to 4 (style 4 has none).
constexpr UINT kRailEdges[] = {EDGE_SUNKEN, EDGE_RAISED, BDR_SUNKENOUTER, BDR_RAISEDINNER, 0};

void fill(HDC dc, RECT r, uint32_t colour) {
    forms::GdiBrush brush(CreateSolidBrush(forms::translateColor(colour)));
    FillRect(dc, &r, brush.get());
}

} // namespace

void SliderPainter::paint(const SliderLook& look, SliderState& state) {
    clear(look);
    core::bestEffort(L"Slider rail", [&] { rail(look, state); });
    core::bestEffort(L"Slider thumb", [&] { thumb(look, state); });
}

void SliderPainter::clear(const SliderLook& look) {
    fill(dc_, RECT{0, 0, width_, height_}, look.BackColor);
}

void SliderPainter::rail(const SliderLook& look, const SliderState& state) {
    if (look.RailStyle == railStyle::Picture) {
        if (!look.RailImage || !look.laidOut()) return;
        const forms::StdPicture& p = *look.RailImage;
        const int w = p.widthPixels(), h = p.heightPixels();
        if (look.horizontal())
            p.render(dc_, 2, static_cast<int>(whole(height_ - h)) / 2, w, h);
        else
            p.render(dc_, static_cast<int>(whole(width_ - w)) / 2, 2, w, h);
        return;
    }
    if (look.RailStyle < railStyle::Sunken || look.RailStyle > railStyle::Flat) return;
    RECT r = state.rail;
    DrawEdge(dc_, &r, kRailEdges[look.RailStyle], BF_RECT);
}

void SliderPainter::thumb(const SliderLook& look, SliderState& state) {
    if (look.SliderImage) {
        const forms::StdPicture& p = *look.SliderImage;
        p.render(dc_, static_cast<int>(whole(state.thumbLeft)), static_cast<int>(whole(state.thumbTop)),
                 p.widthPixels(), p.heightPixels());
        return;
    }
    RECT r;
    r.left = static_cast<LONG>(whole(state.thumbLeft));
    r.top = static_cast<LONG>(whole(state.thumbTop));
    r.right = static_cast<LONG>(whole(r.left + state.thumbWidth));
    r.bottom = static_cast<LONG>(whole(r.top + state.thumbHeight));
    state.thumb = r;
    // Button face, not BackColor: the thumb looks the same on any background.
    fill(dc_, r, core::sysColor::ButtonFace);
    DrawEdge(dc_, &r, EDGE_RAISED, BF_RECT);
}

} // namespace widgets
