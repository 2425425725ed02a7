#pragma once
#include "platform/core/message_frame.h"
#include "platform/core/variant.h"
#include "platform/forms/event.h"
#include "platform/core/system_handles.h"
#include "platform/forms/user_control.h"
#include "platform/hook/dispatch.h"
#include "platform/hook/hex_template_hook.h"
#include "widgets/tool_bar/mc_tool_bar_buttons.h"
#include "widgets/tool_bar/mc_tool_bar_look.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace forms {
class PictureBox;
class StdFont;
class StdPicture;
template <class C>
class PropertyTable;
} // namespace forms

namespace widgets {

// The owner-drawn command tool bar: buttons with icons and captions in rows, separators, a chevron
// drop-down for the buttons that do not fit, seven face styles, gradients and hover tooltips.
// Buttons are numbered from 1.
class McToolBar : public forms::UserControl, public hook::HookClient {
public:
    McToolBar();
    ~McToolBar() override;

    // The window hook's callback under its own name; it hands the message to the one dispatch.
    void zSubclass_Proc(bool bBefore, long& bHandled, long& lReturn, long& lng_hWnd, long& uMsg, long& wParam,
                        long& lParam);

    // --- General properties (stored with the form)
    int16_t Appearance() const { return look_.Appearance; }
    void setAppearance(long value); // 6 outside 16 bits
    uint32_t BackColor() const { return look_.BackColor; }
    void setBackColor(uint32_t colour);
    int16_t BorderStyle() const { return look_.BorderStyle; }
    void setBorderStyle(long value); // 6 outside 16 bits
    bool Enabled() const override { return look_.Enabled; }
    void setEnabled(bool on) override;
    std::shared_ptr<forms::StdFont> Font() const { return look_.Font; }
    void setFont(std::shared_ptr<forms::StdFont> font);
    uint32_t Forecolor() const { return look_.Forecolor; }
    void setForecolor(uint32_t colour);
    long ButtonsPerRow_Chev() const { return look_.ButtonsPerRow_Chev; }
    void setButtonsPerRow_Chev(long count);
    bool ShowChevron() const { return look_.ShowChevron; }
    void setShowChevron(bool on);
    long ButtonsHeight() const { return look_.ButtonsHeight; }
    void setButtonsHeight(long pixels);
    long ButtonsPerRow() const { return look_.ButtonsPerRow; }
    void setButtonsPerRow(long count);
    long ButtonsWidth() const { return look_.ButtonsWidth; }
    void setButtonsWidth(long pixels);
    long ButtonsSeperatorWidth() const { return look_.ButtonsSeperatorWidth; }
    void setButtonsSeperatorWidth(long pixels);
    std::shared_ptr<forms::StdPicture> BackGround() const { return look_.BackGround; }
    void setBackGround(std::shared_ptr<forms::StdPicture> picture);
    long Button_Count() const { return look_.Button_Count; }
    void setButton_Count(long count);
    long Button_Index() const { return look_.Button_Index; }
    void setButton_Index(long index); // 33 outside 1..Button_Count
    uint32_t HoverColor() const { return look_.HoverColor; }
    void setHoverColor(uint32_t colour);
    uint32_t ToolTipBackCol() const { return look_.ToolTipBackCol; }
    void setToolTipBackCol(uint32_t colour);
    uint32_t ToolTipForeCol() const { return look_.ToolTipForeCol; }
    void setToolTipForeCol(uint32_t colour);
    long TooTipStyle() const { return look_.TooTipStyle; }
    void setTooTipStyle(long style);
    long BackGradient() const { return look_.BackGradient; }
    void setBackGradient(long style);
    uint32_t BackGradientCol() const { return look_.BackGradientCol; }
    void setBackGradientCol(uint32_t colour);
    long ButtonsMode() const { return look_.ButtonsMode; }
    void setButtonsMode(long mode);
    bool ShowSeperator() const { return look_.ShowSeperator; }
    void setShowSeperator(bool on);
    uint32_t ButtonsBackColor() const { return look_.ButtonsBackColor; }
    void setButtonsBackColor(uint32_t colour);
    uint32_t ButtonsGradientCol() const { return look_.ButtonsGradientCol; }
    void setButtonsGradientCol(uint32_t colour);
    long ButtonsGradient() const { return look_.ButtonsGradient; }
    void setButtonsGradient(long style);

    // --- Properties of the button Button_Index (none when it names no button: empty reads, no writes)
    std::shared_ptr<forms::StdPicture> ButtonIcon() const;
    void setButtonIcon(std::shared_ptr<forms::StdPicture> picture);
    std::wstring ButtonCaption() const;
    void setButtonCaption(const std::wstring& caption);
    long Button_Type() const;
    void setButton_Type(long type);
    std::wstring ButtonToolTip() const;
    void setButtonToolTip(const std::wstring& text);
    long ButtonToolTipIcon() const;
    void setButtonToolTipIcon(long icon);
    bool ButtonEnabled() const;
    void setButtonEnabled(bool on);
    bool ButtonPressed() const;
    void setButtonPressed(bool on);
    long ButtonIconAllignment() const;
    void setButtonIconAllignment(long placement);
    // Actions on the button Button_Index; each reads -1.
    long ButtonRemove() const { return -1; }
    void setButtonRemove(long value);
    long ButtonMoveTo() const { return -1; }
    void setButtonMoveTo(long newIndex);
    long ButtonInsertTo() const { return -1; }
    void setButtonInsertTo(long newIndex);

    // --- Methods
    // One field of any button by number (9 outside the store): 0 Type, 1 Caption, 2 Enabled, 3 Icon,
    // 4 IconAllignment, 5 Pressed, 6 ToolTip, 7 ToolTipIcon; other numbers read Empty and write
    // nothing. A write repaints.
    core::Variant GetButtonValue(long buttonIndex, long propertyId) const;
    void SetButtonValue(long buttonIndex, long propertyId, const core::Variant& newValue);
    void RemoveButton(long buttonIndex);
    void InsertButtonTo(long buttonIndex, long newIndex);
    void MoveButtonTo(long buttonIndex, long newIndex);
    bool PaintGrayScale(long hdc, long picture, long left, long top, long width, long height);
    std::vector<std::wstring> SplitToLines(const std::wstring& text, long length, bool filterLines);
    static bool IsDelim(const std::wstring& character);
    static bool HasPicture(const std::shared_ptr<forms::StdPicture>& picture) { return picture != nullptr; }
    static long BlendColor(long colourFrom, long colourTo, long alpha);
    static long TranslateColor(long colour, HPALETTE palette = nullptr);

    // The stored general properties, one row each.
    static const forms::PropertyTable<McToolBar>& properties();

    // --- Events
    forms::Event<> MouseEnter;
    forms::Event<> MouseLeave;
    forms::Event<long> Hover;
    forms::Event<long> Click;
    forms::Event<long> DblClick;
    forms::Event<long, int16_t&, int16_t&, float&, float&> MouseUp;
    forms::Event<long, int16_t&, int16_t&, float&, float&> MouseDown;
    forms::Event<long, int16_t&, int16_t&, float&, float&> MouseMove;

    // --- Layout
    void GetButtonRect(long buttonIndex, long& x, long& y, bool inChevron) const;
    long HitTest(long x, long y, bool inChevron) const;

    // --- Inspection for tests and the host
    const ToolBarButton& button(long index) const { return buttons_.at(index); }
    const std::vector<long>& chevronButtons() const { return state_.ChevronButtons; }
    forms::PictureBox* picMain() const { return picMain_.get(); }
    forms::PictureBox* picChevron() const { return picChevron_.get(); }
    bool drawsOnDropDown() const { return state_.drawOnChevron; }
    bool isMouseDown() const { return state_.IsMouseDown; }
    bool isHovering() const { return state_.IsHovering; }
    HWND toolTipWindow() const { return state_.ToolTipWindow; }
    const hook::HexTemplateHook& hooks() const { return hooks_; }
    // The thread's hook that watches for presses elsewhere while a drop-down is open; null when none is.
    static HHOOK pressWatchHook();

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Hide() override;
    void UserControl_Terminate() override;
    void propertyEffect(forms::OnChange effect) override;
    void windowMessage(core::MessageFrame& m) override;
    void hookMessage(core::MessageFrame& m, bool before) override;
    void drawHeld() override { DrawToolBar(); }

private:
    ToolBarLook look_;
    ToolBarState state_;
    ToolBarButtons buttons_;
    hook::HexTemplateHook hooks_;
    std::shared_ptr<forms::PictureBox> picMain_;
    std::shared_ptr<forms::PictureBox> picChevron_;
    // The hover timer on the control's window.
    static constexpr UINT_PTR HoverTimer = 1;

    // Painting and layout.
    void DrawToolBar();
    forms::PictureBox* picDraw() const { return state_.drawOnChevron ? picChevron_.get() : picMain_.get(); }
    bool userMode() const;
    void ShowChevronPopup();
    void CreateChevronPopup();
    void hookChevron();
    void hideChevron();
    // While the drop-down is open, a press on any other window of the thread closes it.
    void watchPressesElsewhere(bool on);
    static LRESULT CALLBACK pressWatch(int code, WPARAM wParam, LPARAM lParam);

    // Per-button properties.
    ToolBarButton* addressed();
    const ToolBarButton* addressed() const;
    void setAddressed(const wchar_t* key, forms::OnChange effect,
                      const std::function<void(ToolBarButton&)>& change);
    void setBackground(const wchar_t* key, auto value);

    // Persistence and start.
    void readButtons(forms::PropertyBag& bag);
    void writeButtons(forms::PropertyBag& bag);
    void StartSubclassing();

    // Messages: the one dispatch and its handlers.
    void dispatch(core::MessageFrame& m);
    void onHostMovedOrFocusLost();
    void onTimer();
    void onMouseMove(HWND window, long x, long y);
    void onMouseLeave();
    bool beginHover(HWND window);
    void endHover();
    void clearHover();
    void ShowToolTip();
    void HideToolTip();

    // The surfaces' events.
    void picMain_MouseMove(int button, int shift, float x, float y);
    void picChevron_MouseMove(int button, int shift, float x, float y);
    void surfaceClick();
    void surfaceDblClick();
    void surfaceMouseDown(bool onBar, int button, int shift, float x, float y);
    void surfaceMouseUp(bool onBar, int button, int shift, float x, float y);
    void watchSurface(forms::PictureBox& box, bool onBar);
    std::optional<long> buttonAt(bool onBar, float x, float y) const;
    bool hover(bool onBar, long index);
    bool pointerAt(bool onBar, float x, float y);
};

} // namespace widgets
