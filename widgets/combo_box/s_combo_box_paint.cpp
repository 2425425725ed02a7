// Painting the closed combo and laying out its edit box.
#include "widgets/combo_box/s_combo_box.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/forms/controls/picture_box.h"
#include "platform/forms/controls/text_box.h"
#include "platform/forms/controls/timer.h"
#include "platform/forms/controls/vscroll_bar.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/combo_box/combo_frame.h"
#include "widgets/combo_box/combo_list_painter.h"
#include "widgets/combo_box/combo_theme.h"

namespace widgets {

namespace {

// Outer sizes in twips the closed combo keeps to.
constexpr int MinHeight = 300;
constexpr int MinHeightRoundButton = 310;
constexpr int MaxHeight = 600;
constexpr int MinWidth = 840;

} // namespace

// The stored font, or the system's until one is set.
HFONT SComboBox::paintFont() const {
    return look_.Font ? look_.Font->hFont() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void SComboBox::Redraw() {
    DrawCombo(look_.Enabled ? comboState::Normal : comboState::Disabled);
    if (!look_.Enabled) stopHoverTimer();
}

// Keeps the outer size in range before anything is drawn; the resize this causes does not paint.
void SComboBox::clampSize() {
    const bool pixels = Container() && Container()->hostScaleMode() == core::scale::Pixels;
    int width = pixels ? forms::Screen::pixelsToTwipsX(Width()) : Width();
    int height = pixels ? forms::Screen::pixelsToTwipsY(Height()) : Height();
    const long appearance = look_.AppearanceCombo;
    if (height < MinHeight && appearance != comboAppearance::CircularButton)
        height = MinHeight;
    else if (appearance == comboAppearance::CircularButton && height < MinHeightRoundButton)
        height = MinHeightRoundButton;
    else if (height > MaxHeight)
        height = appearance == comboAppearance::VerticalGradient ? MinHeight : MinHeightRoundButton;
    if (width < MinWidth) width = MinWidth;
    if (pixels) {
        width = forms::Screen::twipsToPixelsX(width);
        height = forms::Screen::twipsToPixelsY(height);
    }
    if (width != Width() || height != Height()) Move(Left(), Top(), width, height);
}

void SComboBox::DrawCombo(int state) {
    if (!hWnd() || painting_) return;
    painting_ = true;
    state_.drawState = state;
    core::bestEffort(L"SComboBox.DrawCombo", [&] {
        clampSize();
        if (state != comboState::Pressed && picList_ && listVisible()) closeList(0);
        const ComboItem* selected = items_.exists(state_.selected) ? &items_.at(state_.selected) : nullptr;
        HDC dc = hDC();
        HFONT font = paintFont();
        TEXTMETRICW metrics{};
        {
            forms::ScopedSelect use(dc, font);
            GetTextMetricsW(dc, &metrics);
        }
        FrameInput input{
            look_, state, pixelWidth(), pixelHeight(), selected, font, static_cast<int>(metrics.tmHeight)};
        input.listFrameColor = state_.listFrameColor;
        if (forms::ControlHost* host = Container())
            input.parentBack = SysColorToRGB(host->ambientBackColor());
        input.theme = theme_;
        input.window = hWnd();
        const FrameLayout layout = ComboFrame(dc, input).DrawCombo();
        state_.listFrameColor = layout.listFrameColor;
        setWindowRegion(layout.cutCorners ? forms::GdiRegion(CreateRoundRegion(pixelWidth(), pixelHeight()))
                                          : forms::GdiRegion());
        placeEditBox(layout);
        if (picList_) picList_->setWidth(pixelWidth());
        surface().Refresh();
    });
    painting_ = false;
}

void SComboBox::placeEditBox(const FrameLayout& layout) {
    if (!txtCombo_) return;
    txtCombo_->Move(layout.editLeft, layout.editTop, layout.editWidth, layout.editHeight);
    if (txtCombo_->Visible() != layout.editVisible) txtCombo_->setVisible(layout.editVisible);
    if (txtCombo_->ForeColor() != layout.editFore) txtCombo_->setForeColor(layout.editFore);
    if (txtCombo_->BackColor() != layout.editBack) txtCombo_->setBackColor(layout.editBack);
    if (look_.Font && txtCombo_->Font() != look_.Font) txtCombo_->setFont(look_.Font);
}

// The looks that show the container's colour follow it; of them only appearance 18 repaints here.
void SComboBox::UserControl_AmbientChanged(const std::wstring&) {
    if (look_.AppearanceCombo == comboAppearance::ShadedEdging) Redraw();
}

void SComboBox::UserControl_Resize() {
    if (painting_) return;
    Redraw();
}

void SComboBox::DrawList() {
    if (!picList_) return;
    core::bestEffort(L"SComboBox.DrawList", [&] {
        forms::Surface& surface = picList_->surface();
        const ListInput input{look_,
                              items_,
                              state_,
                              txtCombo_ ? txtCombo_->Text() : look_.Text,
                              MaxListLength(),
                              NumberItemsToShow(),
                              scrollI_ && scrollI_->Visible(),
                              surface.widthPixels(),
                              surface.heightPixels(),
                              paintFont()};
        const ListHighlight row =
            ComboListPainter(surface.hDC(), input).DrawList(state_.scroll, NumberItemsToShow());
        if (row.any) {
            picList_->setToolTipText(row.toolTip);
            picList_->setMouseIcon(row.mouseIcon);
            picList_->setMousePointer(row.mouseIcon ? core::pointer::Custom : core::pointer::Default);
        }
        surface.Refresh();
    });
}

} // namespace widgets
