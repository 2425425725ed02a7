#include "widgets/list_box/list_box_image.h"

#include "platform/forms/std_font.h"
#include "widgets/shared/list_color.h"

#include <algorithm>

namespace widgets {

ListBoxImage ListBoxImage::of(const ListBoxLook& look, const ListBoxState& state, const ListBoxCache& cache,
                              const ListItems& items, long top, int width, int height) {
    ListBoxImage image;
    if (look.ShowIcon) return image;
    image.known_ = true;
    image.width_ = width;
    image.height_ = height;
    image.top_ = top;
    image.visibleRows_ = cache.visibleRows;
    image.count_ = items.count();
    image.look_ = look;
    if (look.Font) image.font_ = look.Font->clone();
    for (long colour : {look.BackColor, look.Forecolor, look.SelColor, look.SelForeColor, look.GridColor,
                        look.BackGradientCol, look.SelGradientCol})
        image.colours_.push_back(TranslateColor(colour));
    image.hasFocus_ = state.hasFocus;
    image.currentIndex_ = state.currentIndex;
    image.selection_ = state.selection;
    // One row more than fit, as the paint draws.
    for (long i = top; i <= top + cache.visibleRows && items.has(i); ++i) image.rows_.push_back(items.at(i));
    return image;
}

bool ListBoxImage::operator==(const ListBoxImage& o) const {
    const auto sameRow = [](const ListItem& a, const ListItem& b) {
        return a.text == b.text && a.icon == b.icon && a.bold == b.bold;
    };
    const bool sameFont = font_ && o.font_ ? font_->sameAs(*o.font_) : font_ == o.font_;
    return known_ && o.known_ && width_ == o.width_ && height_ == o.height_ && top_ == o.top_ &&
           visibleRows_ == o.visibleRows_ && count_ == o.count_ && look_ == o.look_ && sameFont &&
           colours_ == o.colours_ && hasFocus_ == o.hasFocus_ && currentIndex_ == o.currentIndex_ &&
           selection_ == o.selection_ && rows_.size() == o.rows_.size() &&
           std::equal(rows_.begin(), rows_.end(), o.rows_.begin(), sameRow);
}

} // namespace widgets
