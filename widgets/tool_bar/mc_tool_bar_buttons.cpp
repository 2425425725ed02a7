#include "widgets/tool_bar/mc_tool_bar_buttons.h"

#include "platform/core/runtime_error.h"
#include "platform/forms/std_picture.h"

#include <algorithm>

namespace widgets {

ToolBarButton& ToolBarButtons::at(long index) {
    if (!has(index)) throw core::RuntimeError(core::err::SubscriptOutOfRange);
    return records_[static_cast<std::size_t>(index - 1)];
}

const ToolBarButton& ToolBarButtons::at(long index) const {
    if (!has(index)) throw core::RuntimeError(core::err::SubscriptOutOfRange);
    return records_[static_cast<std::size_t>(index - 1)];
}

void ToolBarButtons::resize(long count) {
    records_.resize(static_cast<std::size_t>(std::max(count, 1L)));
}

void ToolBarButtons::checkIndex(long index) const {
    if (!has(index)) throw core::RuntimeError(ButtonIndexError, ButtonIndexMessage);
}

void ToolBarButtons::remove(long index) {
    checkIndex(index);
    if (count() == 1) return;
    records_.erase(records_.begin() + (index - 1));
}

void ToolBarButtons::insertTo(long index, long newIndex) {
    checkIndex(index);
    checkIndex(newIndex);
    auto from = records_.begin() + (index - 1);
    auto to = records_.begin() + (newIndex - 1);
    if (newIndex > index)
        std::rotate(from, from + 1, to + 1);
    else if (newIndex < index)
        std::rotate(to, from, from + 1);
}

void ToolBarButtons::moveTo(long index, long newIndex) {
    checkIndex(index);
    checkIndex(newIndex);
    std::swap(records_[static_cast<std::size_t>(index - 1)],
              records_[static_cast<std::size_t>(newIndex - 1)]);
}

} // namespace widgets
