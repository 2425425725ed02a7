// What each ButtonStyle draws in each state. Later steps paint over earlier ones: face, picture and
// caption, then frames, bevels and focus cues.
#include "widgets/command_button/kt_button_paint.h"

namespace widgets {

using namespace ktbutton;

void KtButtonPainter::gradient(std::int32_t c1, std::int32_t c2, float percent) {
    DrawGradient(c1, c2, percent, 0, 0, -1, -1);
}

void KtButtonPainter::cornerPixels(std::int32_t colour) {
    if (leftRounded()) {
        pixel(1, 1, colour);
        pixel(1, H - 2, colour);
    }
    if (rightRounded()) {
        pixel(W - 2, 1, colour);
        pixel(W - 2, H - 2, colour);
    }
}

void KtButtonPainter::singleBevel(std::int32_t base) {
    DrawLine(ShiftColor(base, 0.1f), 0, 0, W - 1, 0);
    DrawLine(ShiftColor(base, -0.1f), 0, H - 1, W - 1, H - 1);
    DrawLine(ShiftColor(base, -0.05f), 0, 1, 0, H - 2);
    DrawLine(ShiftColor(base, -0.05f), W - 1, 1, W - 1, H - 2);
}

void KtButtonPainter::PaintStyleRound(long& s) {
    const std::int32_t style = look_.ButtonStyle;
    if (cache_.layoutDirty) {
        if (style == 1)
            SetButtonRegion(13, 13);
        else
            SetButtonRegion(H, W);
        CalcLayout(4, 4);
        if (style == 0) {
            const long L = std::min(Round(W / 4.0), 10L);
            SetRect(&cache_.inner, L, 1, W - L - 1, Round(H / 2.0));
        } else if (style == 1) {
            SetRect(&cache_.inner, 2, 1, W - 3, 7);
        } else {
            SetRect(&cache_.inner, 0, 0, W - 1, Round(H / 2.0));
        }
    }
    if (checkedLook()) {
        if (s != ktState::Disabled) s = ktState::Down;
    } else if (s == ktState::Normal && state_.mouseHeld) {
        s = ktState::Hot;
    }
    static constexpr int faceSlot[4] = {0, 6, 1, 4};
    const std::int32_t face = s >= 0 && s <= 3 ? P[faceSlot[s]] : P[0];
    const std::int32_t highlight = P[8] == NoColour ? BlendColor(face, White, 0.8f) : P[8];
    const float percent = style == 1 ? 30.0f : 60.0f;
    const float band = style == 0 ? 0.6f : style == 1 ? 0.2f : 0.5f;
    gradient(face, highlight, percent);
    DrawRoundEdge(highlight, BlendColor(face, highlight, band));
    const std::int32_t light = ShiftColor(face, 0.2f);
    if (requested_ == ktState::Disabled) {
        const long o = look_.Value ? 1 : 0;
        DrawPicture(look_.PictureNormal, o, o, NoColour);
        DrawCaptionText(light, o + 1, o + 1);
        DrawCaptionText(P[5], o, o);
    } else {
        const long o = pressOffset();
        DrawStatePicture(light, o, o, NoColour);
        DrawCaption(P[3], light, o, o);
    }
    DrawPolyline(cache_.outline, BlendColor(face, light, 0.8f));
}

void KtButtonPainter::PaintStyle3(long& s) {
    layout(0, 0);
    std::int32_t first = 0, second = 0;
    bool checkedColours = false;
    if (checkedLook() && requested_ == ktState::Normal) {
        if (state_.pressed) {
            s = ktState::Down;
        } else {
            first = P[6];
            second = P[1];
            s = -1;
            checkedColours = true;
        }
    } else if (checkedLook() && requested_ == ktState::Hot) {
        s = ktState::Down;
    } else if (!checkedLook() && requested_ == ktState::Normal && state_.mouseHeld) {
        s = ktState::Hot;
    }
    if (!checkedColours) {
        switch (s) {
        case ktState::Hot:
            first = P[2];
            second = P[6];
            break;
        case ktState::Down:
            first = P[1];
            second = P[6];
            break;
        default:
            first = P[8];
            second = P[0];
            break;
        }
    }
    gradient(first, second, 50);
    if (requested_ == ktState::Disabled) {
        DrawPicture(look_.PictureNormal, 0, 0, NoColour);
        DrawCaptionText(P[5], 0, 0);
        return;
    }
    const std::int32_t back = BlendColor(first, second, 0.5f);
    DrawStatePicture(back, 0, 0, NoColour);
    DrawCaption(P[3], back, 0, 0);
    if (requested_ != ktState::Normal || look_.Value || state_.pressed) DrawRectangle(P[3], 0, 0, W, H);
}

void KtButtonPainter::PaintStyle4(long& s) {
    layout(0, 0);
    if (checkedLook()) {
        if (requested_ == ktState::Normal) s = state_.pressed ? ktState::Down : ktState::Normal;
        if (requested_ == ktState::Hot) s = ktState::Down;
    } else if (requested_ == ktState::Normal && state_.mouseHeld) {
        s = ktState::Hot;
    }
    static constexpr int faceSlot[4] = {0, 6, 1, 4};
    const std::int32_t face = s >= 0 && s <= 3 ? P[faceSlot[s]] : P[0];
    FillFace(face);
    if (requested_ == ktState::Disabled) {
        DrawPicture(look_.PictureNormal, 0, 0, NoColour);
        DrawCaptionText(P[5], 0, 0);
        return;
    }
    const long o = requested_ == ktState::Down && look_.Value ? 1 : 0;
    if (!look_.PictureHot && requested_ == ktState::Hot && !look_.Value && !state_.mouseHeld) {
        DrawPicture(look_.PictureNormal, 1, 1, 0x00C0C0C0);
        DrawPicture(look_.PictureNormal, -1, -1, NoColour);
    } else {
        DrawStatePicture(face, o, o, NoColour);
    }
    DrawCaption(P[3], face, o, o);
    if (requested_ != ktState::Normal || look_.Value || state_.pressed) DrawRectangle(P[2], 0, 0, W, H);
}

void KtButtonPainter::PaintStyle5(long& s) {
    layout(0, 0);
    if (checkedLook()) s = ktState::Hot;
    std::int32_t face = P[0];
    switch (s) {
    case ktState::Normal:
        gradient(P[8], P[0], 70);
        face = BlendColor(P[8], P[0], 0.5f);
        break;
    case ktState::Hot:
    case ktState::Down:
        FillFace(P[6]);
        face = P[6];
        break;
    case ktState::Disabled:
        gradient(P[8], P[4], 70);
        face = P[4];
        break;
    default:
        break;
    }
    if (requested_ == ktState::Disabled) {
        const long o = look_.Value ? 1 : 0;
        DrawPicture(look_.PictureNormal, o, o, NoColour);
        DrawCaptionText(P[5], o, o);
        singleBevel(P[4]);
        return;
    }
    const long o = pressOffset();
    DrawStatePicture(face, o, o, NoColour);
    DrawCaption(P[3], face, o, o);
    if (!focusCue()) {
        singleBevel(face);
        return;
    }
    const std::int32_t light = ShiftColor(face, 0.1f), dark = ShiftColor(face, -0.1f),
                       side = ShiftColor(face, -0.05f);
    DrawLine(light, 1, 1, W - 2, 1);
    DrawLine(light, 2, 2, W - 3, 2);
    DrawLine(dark, 1, H - 2, W - 2, H - 2);
    DrawLine(dark, 2, H - 3, W - 3, H - 3);
    DrawLine(side, 1, 2, 1, H - 3);
    DrawLine(side, 2, 3, 2, H - 4);
    DrawLine(side, W - 2, 2, W - 2, H - 3);
    DrawLine(side, W - 3, 3, W - 3, H - 4);
    DrawRectangle(P[3], 0, 0, W, H);
}

void KtButtonPainter::PaintStyle6(long& /*s*/) {
    layout(0, 0);
    const bool checked = look_.CheckBoxMode && look_.Value;
    if (checked) {
        forms::GdiBrush brush(CreateCheckerBrush(White, P[1]));
        if (brush) {
            forms::ScopedSelect use(dc_, brush.get());
            PatBlt(dc_, 2, 2, W - 4, H - 4, PATCOPY);
        }
    } else {
        FillFace(P[0]);
    }
    if (requested_ == ktState::Disabled) {
        if (look_.CheckBoxMode) {
            const long o = look_.Value ? 1 : 0;
            DrawPicture(look_.PictureNormal, o, o, NoColour);
            DrawCaptionText(P[5], o, o);
        } else {
            DrawPicture(look_.PictureNormal, 0, 0, NoColour);
            DrawCaptionText(BlendColor(P[5], White, 0.9f), 1, 1);
            DrawCaptionText(P[5], 0, 0);
        }
    } else {
        if (requested_ != ktState::Down && !look_.Value) {
            DrawStatePicture(P[0], 0, 0, NoColour);
            DrawCaption(P[3], P[0], 0, 0);
        } else {
            DrawStatePicture(P[1], 1, 1, NoColour);
            DrawCaption(P[3], P[1], 1, 1);
        }
        if (focusCue()) {
            if (!checked) DrawRectangle(P[3], 0, 0, W, H);
            if (state_.focus) {
                const RECT& in = cache_.inner;
                if (checked) {
                    DrawRectangle(P[3], in.left, in.top, in.right, in.bottom);
                } else {
                    SetTextColor(dc_, RGB(0, 0, 0));
                    SetBkColor(dc_, RGB(255, 255, 255));
                    DrawFocusRect(dc_, &in);
                }
            }
        }
    }
    if (requested_ == ktState::Down) {
        if (look_.CheckBoxMode) {
            DrawEdgeRect(0, 0, W, H, EDGE_SUNKEN);
        } else {
            DrawRectangle(P[3], 0, 0, W, H);
            DrawRectangle(P[2], 1, 1, W - 1, H - 1);
        }
    } else if (checked) {
        DrawEdgeRect(0, 0, W, H, EDGE_SUNKEN);
    } else if (!state_.focus && !state_.defaultButton) {
        DrawEdgeRect(0, 0, W, H, EDGE_RAISED);
    } else {
        DrawEdgeRect(1, 1, W - 1, H - 1, EDGE_RAISED);
    }
}

void KtButtonPainter::PaintStyle7(long& s) {
    layout(5, 5);
    const bool nine = look_.ButtonStyle == ktbutton::style::SoftCornersFramed;
    if (checkedLook()) {
        if (nine)
            s = ktState::Down;
        else if (s == ktState::Down)
            s = ktState::Normal;
    }
    std::int32_t face = P[0];
    switch (s) {
    case ktState::Normal:
    case ktState::Hot:
        if (look_.Value) {
            const std::int32_t from = ShiftColor(P[0], -0.1f);
            gradient(from, P[8], 50);
            face = BlendColor(from, P[8], 0.5f);
        } else {
            gradient(P[8], P[0], 50);
            face = BlendColor(P[8], P[0], 0.5f);
        }
        break;
    case ktState::Down:
        if (nine) {
            gradient(P[1], P[8], 80);
            face = BlendColor(P[1], P[8], 0.3f);
        } else {
            FillFace(P[1]);
            face = P[1];
            DrawLine(ShiftColor(P[1], -0.05f), 2, 1, W - 3, 1);
            DrawLine(ShiftColor(P[1], -0.05f), 1, 2, 1, H - 3);
            DrawLine(ShiftColor(P[1], -0.03f), 2, 2, W - 3, 2);
            DrawLine(ShiftColor(P[1], -0.03f), 2, 3, 2, H - 4);
            DrawLine(ShiftColor(P[1], 0.02f), 2, H - 3, W - 3, H - 3);
            DrawLine(ShiftColor(P[1], 0.02f), W - 3, 3, W - 3, H - 3);
            DrawLine(ShiftColor(P[1], 0.03f), 2, H - 2, W - 3, H - 2);
            DrawLine(ShiftColor(P[1], 0.03f), W - 2, 2, W - 2, H - 4);
        }
        break;
    case ktState::Disabled:
        FillFace(P[4]);
        face = P[4];
        break;
    default:
        break;
    }
    std::int32_t border = P[5];
    if (requested_ == ktState::Disabled) {
        DrawPicture(look_.PictureNormal, 0, 0, NoColour);
        DrawCaptionText(P[5], 0, 0);
    } else {
        DrawStatePicture(face, 0, 0, NoColour);
        DrawCaption(P[3], face, 0, 0);
        const bool hotRing =
            requested_ == ktState::Hot || (s != ktState::Down && state_.mouseHeld && !state_.hot);
        if (hotRing) {
            if (!look_.Value) {
                const std::int32_t A = BlendColor(P[6], White, 0.5f), B = ShiftColor(P[6], -0.02f),
                                   C = ShiftColor(A, -0.05f);
                float p = 50;
                DrawLine(B, 1, 1, W - 2, 1);
                DrawGradient(A, B, p = 50, 1, 2, 1, H - 3);
                DrawGradient(A, B, p = 50, W - 2, 2, W - 2, H - 3);
                DrawLine(C, 2, 2, W - 3, 2);
                DrawGradient(C, P[6], p = 50, 2, 2, 2, H - 3);
                DrawGradient(C, P[6], p = 50, W - 3, 2, W - 3, H - 3);
                DrawLine(P[6], 2, H - 3, W - 3, H - 3);
                DrawLine(ShiftColor(P[6], -0.05f), 1, H - 2, W - 2, H - 2);
            } else if (nine) {
                DrawRectangle(P[8], 1, 1, W - 1, H);
            }
        } else {
            if (nine) {
                if (state_.parentActive && state_.focus && requested_ != ktState::Down && !look_.Value)
                    DrawRectangle(P[8], 2, 1, W - 2, H);
                else
                    DrawRectangle(P[8], 1, 1, W - 1, H);
            }
            if (state_.parentActive && requested_ != ktState::Down &&
                (state_.focus || state_.defaultButton) && !look_.Value) {
                const std::int32_t A = BlendColor(P[2], White, 0.4f);
                DrawLine(ShiftColor(A, 0.05f), 1, 1, W - 2, 1);
                DrawLine(A, 2, 2, W - 3, 2);
                DrawLine(P[2], 2, H - 3, W - 3, H - 3);
                DrawLine(ShiftColor(P[2], -0.02f), 1, H - 2, W - 2, H - 2);
                float p = 50;
                DrawGradient(A, P[2], p = 50, 1, 2, 1, H - 3);
                DrawGradient(A, P[2], p = 50, W - 2, 2, W - 2, H - 3);
                if (!nine) {
                    DrawGradient(A, P[2], p = 50, 2, 2, 2, H - 3);
                    DrawGradient(A, P[2], p = 50, W - 3, 2, W - 3, H - 3);
                }
            }
        }
        border = BlendColor(P[2], Black, 0.5f);
    }
    DrawRectangle(border, 0, 0, W, H);
    cornerPixels(border);
}

void KtButtonPainter::PaintStyle10(long& s) {
    layout(5, 5);
    std::int32_t face = P[0];
    if (s == ktState::Down)
        face = P[1];
    else if (look_.Value)
        face = BlendColor(P[0], White, 0.8f);
    else if (s == ktState::Hot && state_.hot)
        face = P[6];
    FillFace(face);
    const std::int32_t dark = ShiftColor(face, -0.2f);
    if (requested_ == ktState::Disabled) {
        const long o = look_.Value ? 1 : 0;
        DrawPicture(look_.PictureNormal, o, o, NoColour);
        DrawCaptionText(BlendColor(P[5], White, 0.9f), o + 1, o + 1);
        DrawCaptionText(P[5], o, o);
        if (look_.Value) {
            DrawRectangle(dark, 0, 0, W, H);
            cornerPixels(dark);
        }
        return;
    }
    if (requested_ == ktState::Down) {
        DrawStatePicture(face, 1, 1, NoColour);
        DrawCaption(P[8], face, 1, 1);
    } else {
        const long o = look_.Value ? 1 : 0;
        DrawStatePicture(face, o, o, NoColour);
        DrawCaption(P[3], face, o, o);
    }
    if (s == ktState::Normal && !look_.Value) return;
    if (s == ktState::Hot && (state_.hot || state_.spaceHeld)) {
        DrawLine(BlendColor(face, White, 0.4f), 1, 1, W - 3, 1);
        DrawLine(BlendColor(face, White, 0.3f), 1, 2, W - 3, 2);
        DrawLine(BlendColor(face, dark, 0.4f), W - 2, 2, W - 2, H - 3);
        DrawLine(BlendColor(face, dark, 0.2f), W - 3, 1, W - 3, H - 2);
        DrawLine(BlendColor(face, dark, 0.5f), 2, H - 2, W - 3, H - 2);
        DrawLine(BlendColor(face, dark, 0.3f), 1, H - 3, W - 3, H - 3);
        DrawLine(BlendColor(face, dark, 0.1f), 1, H - 4, W - 4, H - 4);
        DrawRectangle(dark, 0, 0, W, H);
    } else if (s == ktState::Down) {
        DrawLine(BlendColor(face, dark, 0.2f), 1, 2, 1, H - 3);
        DrawLine(BlendColor(face, dark, 0.1f), 2, 1, 2, H - 2);
        DrawLine(BlendColor(face, dark, 0.2f), 2, 1, W - 3, 1);
        DrawLine(BlendColor(face, dark, 0.1f), 3, 2, W - 2, 2);
        DrawLine(BlendColor(face, White, 0.2f), 3, H - 2, W - 3, H - 2);
        DrawLine(BlendColor(face, White, 0.1f), 3, H - 3, W - 2, H - 3);
        DrawRectangle(dark, 0, 0, W, H);
    } else if (look_.Value) {
        DrawRectangle(dark, 0, 0, W, H);
    }
    if (s == ktState::Hot || s == ktState::Down || look_.Value) cornerPixels(dark);
}

void KtButtonPainter::PaintStyle11(long& s) {
    layout(5, 5);
    if (checkedLook()) s = ktState::Down;
    std::int32_t back = P[4];
    if (s == ktState::Disabled) {
        FillFace(P[4]);
    } else {
        static constexpr int faceSlot[3] = {0, 6, 1};
        const std::int32_t face = s >= 0 && s <= 2 ? P[faceSlot[s]] : P[0];
        gradient(P[8], face, 30);
        back = BlendColor(P[8], face, 0.5f);
    }
    std::int32_t border = P[0];
    if (requested_ == ktState::Disabled) {
        const long o = look_.Value ? 1 : 0;
        DrawPicture(look_.PictureNormal, o, o, NoColour);
        DrawCaptionText(P[5], o, o);
        border = P[5];
    } else {
        const long o = pressOffset();
        DrawStatePicture(back, o, o, NoColour);
        DrawCaption(P[3], back, o, o);
        if (focusCue()) {
            DrawLine(P[0], 1, 1, W - 2, 1);
            DrawLine(P[0], 1, H - 2, W - 2, H - 2);
            if (leftRounded()) {
                DrawLine(P[0], 1, 1, 1, H - 2);
                pixel(2, 2, P[0]);
                pixel(2, H - 3, P[0]);
            }
            if (rightRounded()) {
                DrawLine(P[0], W - 2, 1, W - 2, H - 2);
                pixel(W - 3, 2, P[0]);
                pixel(W - 3, H - 3, P[0]);
            }
        }
    }
    DrawRectangle(border, 0, 0, W, H);
    cornerPixels(border);
}

} // namespace widgets
