// What a paint of the list box draws from: when nothing of it changed since the surface was last
// painted, a repaint asked for (a refresh of an unchanged list) would draw the same pixels, and the
// list box leaves it out, so the screen is not updated for nothing.
#pragma once

#include "widgets/list_box/list_box_paint.h"
#include "widgets/list_box/list_items.h"

#include <memory>
#include <vector>

namespace widgets {

class ListBoxImage {
public:
    // Unknown: equal to nothing.
    ListBoxImage() = default;
    // The inputs of a paint from row `top` on a surface of the given size. A list that shows icons
    // stays unknown: its image list may change its pictures without a word.
    static ListBoxImage of(const ListBoxLook& look, const ListBoxState& state, const ListBoxCache& cache,
                           const ListItems& items, long top, int width, int height);

    bool known() const { return known_; }
    bool operator==(const ListBoxImage& other) const;

private:
    bool known_ = false;
    int width_ = 0, height_ = 0;
    long top_ = 0, visibleRows_ = 0, count_ = 0;
    ListBoxLook look_;
    std::shared_ptr<forms::StdFont> font_; // a copy: the font object may change in place
    std::vector<long> colours_;            // as drawn, system colours translated
    bool hasFocus_ = false;
    long currentIndex_ = 0;
    std::vector<long> selection_;
    std::vector<ListItem> rows_; // the rows the paint reaches
};

} // namespace widgets
