#pragma once

#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/user_control.h"
#include "widgets/combo_box/combo_items.h"
#include "widgets/combo_box/combo_look.h"

#include <cstdint>
#include <memory>
#include <string>

namespace forms {
class PictureBox;
class TextBox;
class Timer;
class VScrollBar;
template <class C>
class PropertyTable;
} // namespace forms

namespace widgets {

struct FrameLayout;
class ThemeProvider;

// The owner-drawn combo box: an edit box over a painted frame, its own item list with colours,
// pictures, tags and enabled flags, and a drop-down list in a floating window. Items are numbered
// from 1.
class SComboBox : public forms::UserControl {
public:
    SComboBox();
    ~SComboBox() override;
    static void registerType();
    static const forms::PropertyTable<SComboBox>& properties();

    // --- Items and selection
    void AddItem(std::wstring Item, uint32_t ColorTextItem = 0xC56A31,
                 std::shared_ptr<forms::StdPicture> ImageItem = nullptr, bool EnabledItem = true,
                 std::wstring ToolTipTextItem = L"", long IndexItem = -1, std::wstring ItemTag = L"",
                 std::shared_ptr<forms::StdPicture> MouseIcon = nullptr, bool SeparatorLine = false,
                 bool TextShadow = false);
    void ChangeItem(long Index, std::wstring Item, uint32_t ColorTextItem = 0xC56A31,
                    std::shared_ptr<forms::StdPicture> ImageItem = nullptr, bool EnabledItem = true,
                    std::wstring ToolTipTextItem = L"", long IndexItem = -1, std::wstring ItemTag = L"",
                    std::shared_ptr<forms::StdPicture> MouseIcon = nullptr, bool SeparatorLine = false);
    void Clear();
    void RemoveItem(long Index);
    long FindItemText(const std::wstring& Text, long Compare = itemMatch::Contains) const;
    void OrderList(int Order = itemOrder::Ascending);
    void ItemEnabled(long ListIndex, bool ValueItem);
    std::wstring ItemTag(long ListIndex) const;
    std::wstring list(long ListIndex);
    // Reading writes the selected item's text to Text again.
    long ListIndex();
    void setListIndex(long value);
    long ListCount() const { return items_.count() == 0 ? -1 : items_.count(); }
    long NewIndex() const { return items_.count() == 0 ? -1 : items_.count(); }
    const std::wstring& Text() const { return look_.Text; }
    void setText(const std::wstring& text);
    std::wstring GetControlVersion() const;
    const ComboItems& items() const { return items_; }

    forms::Event<std::wstring, long> SelectionMade;
    forms::Event<long> TotalItems;

    // --- Properties stored with the form
    long Alignment() const { return look_.Alignment; }
    void setAlignment(long v);
    long AppearanceCombo() const { return look_.AppearanceCombo; }
    void setAppearanceCombo(long v);
    uint32_t ArrowColor() const { return look_.ArrowColor; }
    void setArrowColor(uint32_t v);
    bool AutoCompleteWord() const { return look_.AutoCompleteWord; }
    void setAutoCompleteWord(bool v);
    uint32_t BackColor() const { return look_.BackColor; }
    void setBackColor(uint32_t v);
    uint32_t DisabledColor() const { return look_.disabledRead(); }
    void setDisabledColor(uint32_t v);
    std::shared_ptr<forms::StdPicture> DisabledPictureUser() const { return look_.DisabledPictureUser; }
    void setDisabledPictureUser(std::shared_ptr<forms::StdPicture> v);
    bool Enabled() const override;
    void setEnabled(bool enabled) override;
    std::shared_ptr<forms::StdPicture> FocusPictureUser() const { return look_.FocusPictureUser; }
    void setFocusPictureUser(std::shared_ptr<forms::StdPicture> v);
    std::shared_ptr<forms::StdFont> Font() const { return look_.Font; }
    void setFont(const std::shared_ptr<forms::StdFont>& font);
    uint32_t GradientColor1() const { return look_.GradientColor1; }
    void setGradientColor1(uint32_t v);
    uint32_t GradientColor2() const { return look_.GradientColor2; }
    void setGradientColor2(uint32_t v);
    uint32_t HighLightBorderColor() const { return look_.HighLightBorderColor; }
    void setHighLightBorderColor(uint32_t v);
    uint32_t HighLightColorText() const { return look_.HighLightColorText; }
    void setHighLightColorText(uint32_t v);
    std::shared_ptr<forms::StdPicture> HighLightPictureUser() const { return look_.HighLightPictureUser; }
    void setHighLightPictureUser(std::shared_ptr<forms::StdPicture> v);
    uint32_t ListColor() const { return look_.ListColor; }
    void setListColor(uint32_t v);
    bool ListGradient() const { return look_.ListGradient; }
    void setListGradient(bool v);
    long ListPositionShow() const { return look_.ListPositionShow; }
    void setListPositionShow(long v);
    long MaxListLength() const { return state_.maxListLength >= 0 ? state_.maxListLength : ListCount(); }
    void setMaxListLength(long v);
    // The combo's own pointer and icon, given to the window by the hover check (stored only).
    std::shared_ptr<forms::StdPicture> MouseIcon() const { return look_.MouseIcon; }
    void setMouseIcon(std::shared_ptr<forms::StdPicture> v) { look_.MouseIcon = std::move(v); }
    long MousePointer() const { return look_.MousePointer; }
    void setMousePointer(long v) { look_.MousePointer = v; }
    uint32_t NormalBorderColor() const { return look_.NormalBorderColor; }
    void setNormalBorderColor(uint32_t v);
    uint32_t NormalColorText() const { return look_.NormalColorText; }
    void setNormalColorText(uint32_t v);
    std::shared_ptr<forms::StdPicture> NormalPictureUser() const { return look_.NormalPictureUser; }
    void setNormalPictureUser(std::shared_ptr<forms::StdPicture> v);
    long NumberItemsToShow() const;
    void setNumberItemsToShow(long v);
    long OfficeAppearance() const { return look_.OfficeAppearance; }
    void setOfficeAppearance(long v);
    uint32_t SelectBorderColor() const { return look_.SelectBorderColor; }
    void setSelectBorderColor(uint32_t v);
    uint32_t SelectListBorderColor() const { return look_.SelectListBorderColor; }
    void setSelectListBorderColor(uint32_t v);
    uint32_t SelectListColor() const { return look_.SelectListColor; }
    void setSelectListColor(uint32_t v);
    uint32_t ShadowColorText() const { return look_.ShadowColorText; }
    void setShadowColorText(uint32_t v);
    long Style() const { return look_.Style; }
    void setStyle(long v);
    long XpAppearance() const { return look_.XpAppearance; }
    void setXpAppearance(long v);

    // --- Inspection for tests
    const ComboLook& look() const { return look_; }
    const ComboState& state() const { return state_; }
    forms::TextBox* editBox() const { return txtCombo_.get(); }
    forms::PictureBox* listWindow() const { return picList_.get(); }
    forms::VScrollBar* listScrollBar() const { return scrollI_.get(); }
    forms::Timer* hoverTimer() const { return tmrFocus_.get(); }
    bool listVisible() const;
    // The closed combo painted in a state (the callers' DrawCombo).
    void DrawCombo(int state);
    // Visual styles for the themed look: the system's unless a test gives another, or none.
    void useThemeProvider(const ThemeProvider* provider) { theme_ = provider; }

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_AmbientChanged(const std::wstring& propertyName) override;
    void UserControl_Show() override;
    void UserControl_Terminate() override;
    void UserControl_MouseDown(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseMove(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseUp(int Button, int Shift, float X, float Y) override;
    void UserControl_KeyDown(int& KeyCode, int Shift) override;
    void UserControl_KeyPress(int& KeyAscii) override;
    void UserControl_ExitFocus() override;
    void propertyEffect(forms::OnChange effect) override;
    void windowMessage(core::MessageFrame& m) override;

private:
    ComboLook look_;
    ComboState state_;
    ComboItems items_;
    std::shared_ptr<forms::TextBox> txtCombo_;
    std::shared_ptr<forms::PictureBox> picList_;
    std::shared_ptr<forms::VScrollBar> scrollI_;
    std::shared_ptr<forms::Timer> tmrFocus_;
    // How a Text write treats the edit box's change notice.
    enum class TextWrite { Typed, ExactMatch, Silent };
    TextWrite textWrite_ = TextWrite::Typed;
    bool painting_ = false;
    const ThemeProvider* theme_;
    bool listOpen_ = false;
    bool settingScroll_ = false;
    bool formWasActive_ = false;
    RECT openFormRect_{};

    // Items and selection.
    long SetListIndex(long value);
    void writeText(const std::wstring& text, TextWrite how);
    void setEditText(const std::wstring& text, TextWrite how);
    void applyStored();

    // Painting.
    void Redraw();
    HFONT paintFont() const;
    void clampSize();
    void placeEditBox(const FrameLayout& layout);

    // Drop-down list and input.
    void createRuntimeControls();
    void createList();
    void openList();
    void closeList(int paintState);
    long scrollMaximum();
    long openingScroll(long selected, long maximum);
    void DrawList();
    void onListMouseMove(float y);
    void onListClick();
    void onScrollChange();
    void setScrollQuietly(long value);
    void onListKey(int key);
    void onHoverTick();
    bool IsMouseOver();
    void Wait();
    void onEditChange();
    void onEditKeyDown(int& key, int shift);
    void selectTyped(long number);
    void startHoverTimer();
    void stopHoverTimer();
    void watchOutsidePresses(bool on);
    static LRESULT CALLBACK outsidePressHook(int code, WPARAM wParam, LPARAM lParam);
    void onOutsidePress(POINT at);
};

} // namespace widgets
