#include "widgets/command_button/kt_button_palette.h"

#include "platform/core/constants.h"
#include "platform/forms/color.h"
#include "platform/forms/functions.h"

namespace widgets::ktbutton {

namespace {

struct Channels {
    int r, g, b;
};
Channels SplitRGB(std::int32_t colour) {
    return {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
}
std::int32_t MakeRGB(long r, long g, long b) {
    return static_cast<std::int32_t>(r + 256 * g + 65536 * b);
}

void offset(RECT& r, long dx, long dy) {
    OffsetRect(&r, static_cast<int>(dx), static_cast<int>(dy));
}

} // namespace

long Round(double x) {
    return forms::roundToLong(x);
}

std::int32_t ShiftColor(std::int32_t colour, float factor) {
    const double step = 255.0 * static_cast<double>(factor);
    auto shift = [&](int c) {
        long v = Round(c + step);
        if (factor <= 0 && v < 0) v = 0;
        if (factor > 0 && v > 255) v = 255;
        return v;
    };
    const Channels c = SplitRGB(colour);
    return MakeRGB(shift(c.r), shift(c.g), shift(c.b));
}

std::int32_t BlendColor(std::int32_t from, std::int32_t to, float fraction) {
    const double f = fraction;
    const Channels a = SplitRGB(from), b = SplitRGB(to);
    return MakeRGB(Round(a.r + (b.r - a.r) * f), Round(a.g + (b.g - a.g) * f), Round(a.b + (b.b - a.b) * f));
}

std::int32_t TranslateColor(std::uint32_t colour) {
    COLORREF plain = 0;
    if (!forms::tryTranslateColor(colour, plain)) return 0;
    return static_cast<std::int32_t>(plain);
}

float Clamp(float value, long minimum, long maximum) {
    if (value > static_cast<float>(maximum)) return static_cast<float>(maximum);
    if (value < static_cast<float>(minimum)) return static_cast<float>(minimum);
    return value;
}

void SetColors(Palette& p, std::int32_t style, std::uint32_t backColor, std::uint32_t foreColor,
               std::uint32_t maskColor) {
    const std::int32_t back = TranslateColor(backColor);
    const std::int32_t fore = TranslateColor(foreColor);
    p[0] = back;
    p[3] = fore;
    p[5] = BlendColor(fore, White, 0.6f);
    p[7] = TranslateColor(maskColor);
    p[8] = White;
    auto set = [&](std::int32_t p0, std::int32_t p1, std::int32_t p2, std::int32_t p4, std::int32_t p6,
                   std::int32_t p8) {
        p[0] = p0;
        p[1] = p1;
        p[2] = p2;
        p[4] = p4;
        p[6] = p6;
        p[8] = p8;
    };
    switch (style) {
    case style::RoundGlossy:
        set(ShiftColor(back, -0.05f), ShiftColor(back, -0.15f), p[2], ShiftColor(back, -0.05f),
            ShiftColor(back, 0.1f), NoColour);
        break;
    case style::RoundGlossyBlue:
        set(back, ShiftColor(back, -0.1f), p[2], back, ShiftColor(back, 0.1f), NoColour);
        break;
    case style::RoundGlossyGrey:
        set(ShiftColor(back, -0.05f), ShiftColor(back, -0.15f), p[2], ShiftColor(back, -0.05f),
            ShiftColor(back, 0.1f), White);
        break;
    case style::GradientFramed:
        set(back, 0x004E91FE, 0x00CCF4FF, p[4], 0x008BCFFF, White);
        break;
    case style::Flat:
        set(back, ShiftColor(back, -0.05f), ShiftColor(back, -0.15f), back, ShiftColor(back, 0.05f), White);
        break;
    case style::GradientBevel:
        set(back, p[1], p[2], BlendColor(back, White, 0.3f), 0x00E6FFFF, ShiftColor(back, 0.1f));
        break;
    case style::Classic3D:
        set(back, back, ShiftColor(fore, 0.5f), p[4], p[6], White);
        break;
    case style::SoftCornersBlue:
        set(back, ShiftColor(back, -0.05f), 0x00E4AD89, BlendColor(back, White, 0.8f), 0x0030B3F8, White);
        break;
    case style::SoftCornersGreen:
        set(back, ShiftColor(back, -0.05f), 0x0054C190, BlendColor(back, White, 0.8f), 0x004F91E3, White);
        break;
    case style::SoftCornersFramed:
        set(back, ShiftColor(back, -0.1f), 0x00E4AD89, BlendColor(back, White, 0.8f), 0x0030B3F8, White);
        break;
    case style::FlatSoftBevel:
        set(back, ShiftColor(0x00F3F7F8, -0.05f), p[2], back, 0x00F3F7F8, White);
        break;
    case style::GradientFocusFrame:
        set(back, ShiftColor(back, -0.1f), back, BlendColor(back, White, 0.8f), ShiftColor(back, 0.2f),
            White);
        break;
    default:
        break;
    }
}

bool schemeColour(std::int32_t style, std::uint32_t& colour) {
    constexpr std::uint32_t buttonFace = core::sysColor::ButtonFace;
    static constexpr std::uint32_t colours[12] = {0x00BA9EA0, 0x00FF9B48, 0x00A19D9D, 0x00BA9EA0,
                                                  buttonFace, 0x00D2CECF, buttonFace, 0x00E6EBEC,
                                                  0x00E0F3F6, 0x00E4D1D2, buttonFace, 0x0012BCFF};
    if (style < style::RoundGlossy || style > style::GradientFocusFrame) return false;
    colour = colours[style];
    return true;
}

int overrideSlot(long property) {
    static constexpr int slots[6] = {1, 2, 4, 5, 6, 8};
    return property >= 0 && property <= 5 ? slots[property] : -1;
}

std::wstring SetAccessKey(const std::wstring& caption) {
    std::wstring key;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != L'&' || i + 1 >= caption.size()) continue;
        if (caption[i + 1] != L'&') key.assign(1, caption[i + 1]);
        ++i; // a doubled ampersand is one literal, the marked character is not a marker itself
    }
    if (!key.empty()) CharLowerBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

Layout CalcLayout(int W, int H, int marginV, int marginH, SIZE captionSize, bool hasCaption, bool hasPicture,
                  SIZE pictureSize, std::int32_t alignment) {
    Layout out;
    SetRect(&out.inner, marginH, marginV, W - marginH, H - marginV);
    RECT& C = out.caption;
    C = RECT{0, 0, 0, 0};
    if (hasCaption) C = RECT{0, 0, captionSize.cx, captionSize.cy};
    offset(C, (W - C.right) / 2, (H - C.bottom) / 2);
    if (!hasPicture) return out;
    RECT P{0, 0, pictureSize.cx, pictureSize.cy};
    const long s = hasCaption ? 2 : 0;
    auto centreX = [&] { offset(P, (W - P.right) / 2, 0); };
    auto centreY = [&] { offset(P, 0, (H - P.bottom) / 2); };
    auto captionTop = [&] { offset(C, 0, -C.top); };
    auto captionLeft = [&] { offset(C, -C.left, 0); };
    switch (alignment) {
    case 0:
        centreX();
        centreY();
        break;
    case 1:
        centreX();
        offset(P, 0, H - marginV - P.bottom);
        captionTop();
        if (hasCaption) {
            offset(C, 0, P.top - C.bottom);
            const long d = C.top - marginV;
            if (d >= 2) offset(C, 0, -(d / 2));
        }
        break;
    case 2:
        centreX();
        captionTop();
        if (hasCaption) {
            offset(P, 0, C.bottom);
            const long d = (H - P.bottom) / 2;
            offset(P, 0, d);
            offset(C, 0, d);
        } else {
            centreY();
        }
        break;
    case 3:
        centreY();
        captionLeft();
        offset(P, marginH, 0);
        if (hasCaption) {
            offset(C, P.right + s, 0);
            const long d = W - marginH - C.right;
            if (d >= 2) offset(C, d / 2, 0);
        }
        break;
    case 4:
        centreY();
        captionLeft();
        if (hasCaption) {
            offset(C, P.right + s, 0);
            const long d = (W - C.right) / 2;
            offset(P, d, 0);
            offset(C, d, 0);
        } else {
            centreX();
        }
        break;
    case 5:
        centreY();
        captionLeft();
        offset(P, W - P.right - marginH, 0);
        if (hasCaption) {
            offset(C, P.left - C.right - s, 0);
            const long d = C.left - marginH;
            if (d >= 2) offset(C, -(d / 2), 0);
        }
        break;
    case 6:
        centreY();
        captionLeft();
        if (hasCaption) {
            offset(P, C.right + s, 0);
            const long d = (W - P.right) / 2;
            offset(P, d, 0);
            offset(C, d, 0);
        } else {
            centreX();
        }
        break;
    case 7:
        centreX();
        captionTop();
        offset(P, 0, marginV);
        if (hasCaption) {
            offset(C, 0, P.bottom);
            const long d = H - C.bottom - marginV;
            if (d >= 2) offset(C, 0, d / 2);
        }
        break;
    case 8:
        centreX();
        captionTop();
        if (hasCaption) {
            offset(C, 0, P.bottom);
            const long d = (H - C.bottom) / 2;
            offset(P, 0, d);
            offset(C, 0, d);
        } else {
            centreY();
        }
        break;
    default:
        break;
    }
    out.picture = P;
    return out;
}

} // namespace widgets::ktbutton
