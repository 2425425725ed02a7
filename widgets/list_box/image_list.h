#pragma once
#include <memory>
#include <vector>

namespace forms {
class StdPicture;
}

namespace widgets {

// What the list box asks of an image list: the picture with a number (1-based), null when there is
// no such image.
class ImageList {
public:
    virtual ~ImageList() = default;
    virtual std::shared_ptr<forms::StdPicture> ListImages(long index) const = 0;
};

// An image list holding its pictures in order.
class PictureList : public ImageList {
public:
    void add(std::shared_ptr<forms::StdPicture> picture) { pictures_.push_back(std::move(picture)); }
    std::shared_ptr<forms::StdPicture> ListImages(long index) const override {
        if (index < 1 || index > static_cast<long>(pictures_.size())) return nullptr;
        return pictures_[static_cast<std::size_t>(index - 1)];
    }

private:
    std::vector<std::shared_ptr<forms::StdPicture>> pictures_;
};

} // namespace widgets
