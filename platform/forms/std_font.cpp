#include "platform/forms/std_font.h"

#include "platform/core/runtime_error.h"
#include "platform/forms/std_picture.h"

#include <algorithm>
#include <cmath>

namespace forms {

StdFont::StdFont() : name_(L"MS Sans Serif") {}

StdFont::StdFont(std::wstring name, double size, bool bold, bool italic) : name_(std::move(name)) {
    setSize(size);
    setBold(bold);
    italic_ = italic;
}

std::shared_ptr<StdFont> StdFont::create(std::wstring name, double size, bool bold, bool italic) {
    return std::make_shared<StdFont>(std::move(name), size, bold, italic);
}

std::shared_ptr<StdFont> StdFont::clone() const {
    auto copy = std::make_shared<StdFont>();
    copy->name_ = name_;
    copy->size_ = size_;
    copy->weight_ = weight_;
    copy->charset_ = charset_;
    copy->italic_ = italic_;
    copy->underline_ = underline_;
    copy->strikethrough_ = strikethrough_;
    return copy;
}

void StdFont::setName(std::wstring name) {
    // LOGFONT holds at most 31 characters of a face name.
    if (name.size() >= LF_FACESIZE) throw core::RuntimeError(core::err::InvalidPropertyValue);
    if (name == name_) return;
    name_ = std::move(name);
    changed();
}

void StdFont::setSize(double points) {
    if (!(points > 0 && points < 2160)) throw core::RuntimeError(core::err::InvalidPropertyValue);
    if (points == size_) return;
    size_ = points;
    changed();
}

void StdFont::setBold(bool bold) {
    setWeight(bold ? 700 : 400);
}

void StdFont::setItalic(bool italic) {
    if (italic == italic_) return;
    italic_ = italic;
    changed();
}

void StdFont::setUnderline(bool underline) {
    if (underline == underline_) return;
    underline_ = underline;
    changed();
}

void StdFont::setStrikethrough(bool strikethrough) {
    if (strikethrough == strikethrough_) return;
    strikethrough_ = strikethrough;
    changed();
}

void StdFont::setWeight(int16_t weight) {
    if (weight < 0 || weight > 1000) throw core::RuntimeError(core::err::InvalidPropertyValue);
    if (weight == weight_) return;
    weight_ = weight;
    changed();
}

void StdFont::setCharset(int16_t charset) {
    if (charset < 0 || charset > 255) throw core::RuntimeError(core::err::InvalidPropertyValue);
    if (charset == charset_) return;
    charset_ = charset;
    changed();
}

int StdFont::heightForSize(double points, int dpi) {
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

int StdFont::screenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

LOGFONTW StdFont::logFont(int dpi) const {
    LOGFONTW lf{};
    lf.lfHeight = heightForSize(size_, dpi);
    lf.lfWeight = weight_;
    lf.lfItalic = italic_;
    lf.lfUnderline = underline_;
    lf.lfStrikeOut = strikethrough_;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    name_.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

namespace {

bool sameLogFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           lstrcmpW(a.lfFaceName, b.lfFaceName) == 0;
}

constexpr size_t maxCachedHandles = 32;

} // namespace

HFONT StdFont::hFont() const {
    if (current_) return current_;
    LOGFONTW lf = logFont(screenDpi());
    for (auto it = handles_.begin(); it != handles_.end(); ++it)
        if (sameLogFont(it->key, lf)) {
            // The handle in use becomes the newest, so it is the last one to be dropped.
            std::rotate(it, it + 1, handles_.end());
            return current_ = handles_.back().handle.get();
        }
    GdiFont handle(CreateFontIndirectW(&lf));
    if (!handle) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (handles_.size() >= maxCachedHandles) handles_.erase(handles_.begin());
    handles_.push_back(CachedHandle{lf, std::move(handle)});
    return current_ = handles_.back().handle.get();
}

int StdFont::addListener(std::function<void()> listener) {
    int id = nextListener_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void StdFont::removeListener(int id) noexcept {
    for (auto it = listeners_.begin(); it != listeners_.end(); ++it)
        if (it->first == id) {
            listeners_.erase(it);
            return;
        }
}

void StdFont::changed() noexcept {
    current_ = nullptr;
    // A listener may remove itself or others while it runs; one removed meanwhile is not called.
    auto listeners = listeners_;
    for (auto& [id, listener] : listeners) {
        const bool still = std::any_of(listeners_.begin(), listeners_.end(),
                                       [id = id](const auto& entry) { return entry.first == id; });
        if (still && listener) listener();
    }
}

bool StdFont::sameAs(const StdFont& other) const noexcept {
    return lstrcmpiW(name_.c_str(), other.name_.c_str()) == 0 && size_ == other.size_ &&
           weight_ == other.weight_ && charset_ == other.charset_ && italic_ == other.italic_ &&
           underline_ == other.underline_ && strikethrough_ == other.strikethrough_;
}

} // namespace forms

namespace forms {

bool StdFont::sameValue(const core::VariantObject& other) const {
    const auto* font = dynamic_cast<const StdFont*>(&other);
    return font && sameAs(*font);
}

} // namespace forms

// The variant's font and picture members live with the objects they hold.
namespace core {

core::Variant::Variant(std::shared_ptr<forms::StdFont> value)
    : type_(core::VariantType::Font), object_(std::move(value)) {}

core::Variant::Variant(std::shared_ptr<forms::StdPicture> value)
    : type_(core::VariantType::Picture), object_(std::move(value)) {}

std::shared_ptr<forms::StdFont> core::Variant::toFont() const {
    checkObject(core::VariantType::Font);
    return std::static_pointer_cast<forms::StdFont>(object_);
}

std::shared_ptr<forms::StdPicture> core::Variant::toPicture() const {
    checkObject(core::VariantType::Picture);
    return std::static_pointer_cast<forms::StdPicture>(object_);
}

} // namespace core
