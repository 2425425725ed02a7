#pragma once

#include "platform/core/variant.h"
#include "platform/forms/gdi.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace forms {

// The standard font object. Controls hold it by reference (shared_ptr): two controls given the same
// font see each other's changes; clone() makes an independent copy.
//
// Size is in points and keeps the value set (8.25 stays 8.25). Bold and Weight are two views of one
// value: setBold(true) sets Weight 700, setBold(false) 400, and a Weight of 600 or more reads as bold.
// hFont() is made at the screen's DPI (height -round(Size * dpi / 72): 8.25 pt is -11 at 96 dpi) and
// kept until a property changes. The handle belongs to the font: callers must not delete it. Handles
// of earlier states are kept (a few dozen at most) and given out again when the font returns to that
// state, so code that switches Bold on and off reuses two handles, and a DC that still has an earlier
// handle selected is not left with a deleted font.
class StdFont : public core::VariantObject {
public:
    StdFont();
    StdFont(std::wstring name, double size, bool bold = false, bool italic = false);

    static std::shared_ptr<StdFont> create(std::wstring name = L"MS Sans Serif", double size = 8.25,
                                           bool bold = false, bool italic = false);
    std::shared_ptr<StdFont> clone() const;

    const std::wstring& Name() const noexcept { return name_; }
    void setName(std::wstring name);
    double Size() const noexcept { return size_; }
    // A size must be positive and below 2160 points (error 380 otherwise).
    void setSize(double points);
    bool Bold() const noexcept { return weight_ >= 600; }
    void setBold(bool bold);
    bool Italic() const noexcept { return italic_; }
    void setItalic(bool italic);
    bool Underline() const noexcept { return underline_; }
    void setUnderline(bool underline);
    bool Strikethrough() const noexcept { return strikethrough_; }
    void setStrikethrough(bool strikethrough);
    int16_t Weight() const noexcept { return weight_; }
    // 0 to 1000 (error 380 otherwise).
    void setWeight(int16_t weight);
    int16_t Charset() const noexcept { return charset_; }
    void setCharset(int16_t charset);

    // The GDI font for the screen's DPI, owned and cached by this object.
    HFONT hFont() const;
    // The LOGFONT the handle is made from, at the given DPI.
    LOGFONTW logFont(int dpi) const;
    // The font height in pixels (negative: character height) for a DPI.
    static int heightForSize(double points, int dpi);
    // The vertical DPI of the screen.
    static int screenDpi();

    // Same name (ignoring case), size, weight, style and character set.
    bool sameAs(const StdFont& other) const noexcept;

    // VariantObject
    std::wstring variantText() const override { return name_; }
    bool sameValue(const core::VariantObject& other) const override;

    // Called after every change of a property, so that a DC using the font can follow at once.
    // Listeners must not throw; clones do not inherit them.
    int addListener(std::function<void()> listener);
    void removeListener(int id) noexcept;

private:
    std::wstring name_;
    double size_ = 8.25;
    int16_t weight_ = 400;
    int16_t charset_ = 0;
    bool italic_ = false;
    bool underline_ = false;
    bool strikethrough_ = false;
    struct CachedHandle {
        LOGFONTW key;
        GdiFont handle;
    };
    mutable std::vector<CachedHandle> handles_; // least recently used first
    mutable HFONT current_ = nullptr;

    std::vector<std::pair<int, std::function<void()>>> listeners_;
    int nextListener_ = 1;

    void changed() noexcept;
};

} // namespace forms
