// What the combo box stores with its form, and what it only knows while it runs.
#pragma once

#include "platform/core/constants.h"
#include "widgets/combo_box/combo_color.h"

#include <cstdint>
#include <memory>
#include <string>

namespace forms {
class StdFont;
class StdPicture;
} // namespace forms

namespace widgets {

// Paint states of the closed combo.
namespace comboState {
inline constexpr int Disabled = -1;
inline constexpr int Normal = 1;
inline constexpr int Hot = 2;
inline constexpr int Pressed = 3;
} // namespace comboState

// The closed combo's looks (AppearanceCombo), named for what they draw; the numbers are the
// stored ones.
namespace comboAppearance {
inline constexpr long Office = 1; // three variants, chosen by OfficeAppearance
inline constexpr long ClassicSunken = 2;
inline constexpr long Scheme = 3; // colour scheme chosen by XpAppearance
inline constexpr long ThinSunken = 4;
inline constexpr long SoftGradient = 5;
inline constexpr long BlueCutCorners = 6;
inline constexpr long DoubleFrame = 7;
inline constexpr long FlatLight = 8;
inline constexpr long UserPictures = 9;
inline constexpr long SoftBlueCurved = 10;
inline constexpr long CircularButton = 11;
inline constexpr long VerticalGradient = 12;
inline constexpr long HorizontalGradient = 13;
inline constexpr long UpDownMark = 14;
inline constexpr long ShaftedArrow = 15;
inline constexpr long HeavyArrow = 16;
inline constexpr long CutCornerButton = 17;
inline constexpr long ShadedEdging = 18;
inline constexpr long MixedDoubleArrowhead = 19;
inline constexpr long DarkDoubleMark = 20;
inline constexpr long BlueGrey = 21;
} // namespace comboAppearance

// The variants of the Office look (OfficeAppearance).
namespace officeAppearance {
inline constexpr long Standard = 0;
inline constexpr long Flat = 1;
inline constexpr long SystemColours = 2;
} // namespace officeAppearance

// Style 1 hides the edit box and paints the text.
inline constexpr long ListOnlyStyle = 1;
// ListPositionShow 1 opens the list above the control.
inline constexpr long ListAbove = 1;
// Alignment of the list's row texts.
namespace rowAlign {
inline constexpr long Left = 0;
inline constexpr long Right = 1;
inline constexpr long Centre = 2;
} // namespace rowAlign

// The colour DisabledColor reads as (the stored value, lightened).
inline constexpr int DisabledReadLighten = 94;
// The colour of a disabled edit box text.
inline constexpr int DisabledEditLighten = 176;

struct ComboLook {
    long Alignment = rowAlign::Left;
    long AppearanceCombo = comboAppearance::Office;
    uint32_t ArrowColor = 0xC56A31;
    bool AutoCompleteWord = false;
    uint32_t BackColor = 0xFFFFFF;
    uint32_t DisabledColor = 0x808080; // as stored; DisabledColor reads lighter
    std::shared_ptr<forms::StdPicture> DisabledPictureUser;
    bool Enabled = true;
    std::shared_ptr<forms::StdPicture> FocusPictureUser;
    std::shared_ptr<forms::StdFont> Font;
    uint32_t GradientColor1 = 0xDAB278;
    uint32_t GradientColor2 = 0xFFDD9E;
    uint32_t HighLightBorderColor = 0xC56A31;
    uint32_t HighLightColorText = 0xFFFFFF;
    std::shared_ptr<forms::StdPicture> HighLightPictureUser;
    uint32_t ListColor = 0xFFFFFF;
    bool ListGradient = false;
    long ListPositionShow = 0;
    long MaxListLength = 10;
    std::shared_ptr<forms::StdPicture> MouseIcon;
    long MousePointer = 0;
    uint32_t NormalBorderColor = 0xDEEDEF;
    uint32_t NormalColorText = 0xC56A31;
    std::shared_ptr<forms::StdPicture> NormalPictureUser;
    long NumberItemsToShow = 7;
    long OfficeAppearance = 0;
    uint32_t SelectBorderColor = 0xC56A31;
    uint32_t SelectListBorderColor = 0x6B2408;
    uint32_t SelectListColor = 0xC56A31;
    uint32_t ShadowColorText = core::sysColor::DarkShadow3D;
    long Style = 0;
    std::wstring Text;
    long XpAppearance = 1;

    uint32_t disabledRead() const { return LightenColor(DisabledColor, DisabledReadLighten); }
};

struct ComboState {
    long selected = -1; // item number, -1 none (0 may be stored and reads as -1)
    long hot = -1;      // 0-based item under the mouse or keyboard cursor
    long cursor = -1;   // item number the keyboard moves
    int drawState = comboState::Normal;
    bool hover = false;     // painted hot
    bool listDrawn = false; // the open list was drawn, scrolled or hovered
    int lastKey = 0;        // the key last pressed in the edit box
    long scroll = 0;        // items above the list window
    uint32_t listFrameColor = 0;
    // The list sizes in use; the stored ones stay as read until a host writes them.
    long maxListLength = 10;
    long numberItemsToShow = 7;
};

} // namespace widgets
