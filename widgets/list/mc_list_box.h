#pragma once
#include "platform/forms/event.h"
#include "platform/forms/user_control.h"
#include "platform/hook/dispatch.h"
#include "widgets/list/complete_popup.h"
#include "widgets/list/image_list.h"
#include "widgets/list/list_items.h"
#include "widgets/list/scroll_bar_layer.h"
#include "widgets/list/self_subclass.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace forms {
class StdFont;
class StdPicture;
template <class C>
class PropertyTable;
} // namespace forms

namespace widgets {

// The owner-drawn list box: rows of text with an optional icon and bold flag, one current row, any
// number of selected rows, gradients, grid lines, flat scroll bars and a pop-up that shows the whole
// text of a cut row. Indexes are 0-based.
class McListBox : public forms::UserControl, public hook::HookClient {
public:
    McListBox();
    ~McListBox() override;

    // Called by the window hook with the messages registered in StartSubclassing.
    void zSubclass_Proc(bool bBefore, long& bHandled, long& lReturn, long& lng_hWnd, long& uMsg, long& wParam,
                        long& lParam) override;

    // --- Items and selection
    long ListCount() const { return items_.count(); }
    long ListIcon(long vIndex) const { return items_.at(vIndex).icon; }
    void setListIcon(long vIndex, long icon);
    bool ListBold(long vIndex) const { return items_.at(vIndex).bold; }
    void setListBold(long vIndex, bool bold);
    long ListIndex() const { return items_.empty() ? -1 : currentIndex_; }
    void setListIndex(long index);
    std::wstring Text() const;
    std::wstring list(long vIndex) const;
    void setList(long vIndex, std::wstring text);
    long SelCount() const { return static_cast<long>(selection_.size()); }
    long SelItem(long vSelIndex) const;
    void setImageList(std::shared_ptr<ImageList> images) { imageList_ = std::move(images); }
    void ClearSelection();
    void SelectAll();
    void AddItem(std::wstring vText, long vIndex = -1, long vIcon = -1, bool vBold = false);
    void Remove(long vIndex);
    void Clear();
    // Lays the rows out again, sets the scroll range, sorts and repaints.
    void Refresh();
    std::vector<std::wstring> SplitToLines(const std::wstring& sText, long lLength, bool bFilterLines);
    static bool IsDelim(const std::wstring& Char);
    static long BlendColor(long oColorFrom, long oColorTo, long Alpha);
    static long TranslateColor(long oClr, HPALETTE hPal = nullptr);

    // --- Appearance and behaviour (stored with the form)
    std::shared_ptr<forms::StdPicture> Picture() const { return picture_; }
    void setPicture(std::shared_ptr<forms::StdPicture> picture);
    std::shared_ptr<forms::StdFont> Font() const { return font_; }
    void setFont(std::shared_ptr<forms::StdFont> font);
    long Forecolor() const { return foreColor_; }
    void setForecolor(long colour);
    long BackColor() const { return backColor_; }
    void setBackColor(long colour);
    long SelColor() const { return selColor_; }
    void setSelColor(long colour);
    long SelForeColor() const { return selForeColor_; }
    void setSelForeColor(long colour);
    bool StrechIcon() const { return strechIcon_; }
    void setStrechIcon(bool on);
    int16_t Appearance() const { return appearance_; }
    void setAppearance(int16_t value);
    int16_t BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int16_t value);
    bool FullRowSelect() const { return fullRowSelect_; }
    void setFullRowSelect(bool on);
    bool MultiSelect() const { return multiSelect_; }
    void setMultiSelect(bool on);
    bool FocusRectangle() const { return focusRectangle_; }
    void setFocusRectangle(bool on);
    bool ShowIcon() const { return showIcon_; }
    void setShowIcon(bool on);
    long SortOrder() const { return sortOrder_; }
    void setSortOrder(long order);
    bool IconFocus() const { return iconFocus_; }
    void setIconFocus(bool on);
    long TextAlignment() const { return textAlignment_; }
    void setTextAlignment(long flags);
    bool GridLines() const { return gridLines_; }
    void setGridLines(bool on);
    long GridColor() const { return gridColor_; }
    void setGridColor(long colour);
    long RowHeight() const { return rowHeight_; }
    void setRowHeight(long pixels);
    long BackGradient() const { return backGradient_; }
    void setBackGradient(long style);
    long SelGradient() const { return selGradient_; }
    void setSelGradient(long style);
    long BackGradientCol() const { return backGradientCol_; }
    void setBackGradientCol(long colour);
    long SelGradientCol() const { return selGradientCol_; }
    void setSelGradientCol(long colour);
    long SelectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(long style);
    bool FlatScrollBar() const { return flatScrollBar_; }
    void setFlatScrollBar(bool on);
    bool AutoHideScrollBars() const { return autoHideScrollBars_; }
    void setAutoHideScrollBars(bool on);
    std::shared_ptr<forms::StdPicture> MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(std::shared_ptr<forms::StdPicture> icon) { mouseIcon_ = std::move(icon); }
    long MousePointer() const { return mousePointer_; }
    void setMousePointer(long pointer) { mousePointer_ = pointer; }

    // The stored properties, one row each.
    static const forms::PropertyTable<McListBox>& properties();

    // --- Events
    forms::Event<> MouseEnter;
    forms::Event<> MouseLeave;
    forms::Event<> MouseClick;
    forms::Event<> SelChange;
    forms::Event<> DbClick;
    forms::Event<int16_t&, int16_t&, float&, float&> MouseUp;
    forms::Event<int16_t&, int16_t&, float&, float&> MouseMove;
    forms::Event<int16_t&, int16_t&, float&, float&> MouseDown;

    // --- Inspection for tests and the host
    long visibleRowCount() const { return visibleRows_; }
    long iconColumnWidth() const { return iconColumnWidth_; }
    long popupRow() const { return popupRow_; }
    bool hasFocus() const { return hasFocus_; }
    const ScrollBarLayer& scrollBars() const { return bars_; }
    ScrollBarLayer& scrollBars() { return bars_; }
    const SelfSubclass& hooks() const { return hooks_; }
    const CompletePopup* completePopup() const { return PicComplete.get(); }
    // The key state the input handlers read (GetKeyState unless a test replaces it).
    using KeyStateSource = SHORT(WINAPI*)(int);
    static KeyStateSource setKeyStateSource(KeyStateSource source);

protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Terminate() override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_GotFocus() override;
    void UserControl_LostFocus() override;
    void UserControl_KeyDown(int& KeyCode, int Shift) override;
    void UserControl_MouseDown(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseMove(int Button, int Shift, float X, float Y) override;
    void UserControl_MouseUp(int Button, int Shift, float X, float Y) override;
    void propertyEffect(forms::OnChange effect) override;

private:
    // Fields, in the order the control keeps them.
    long currentIndex_ = 0;
    long rowHeight_ = 22;
    long visibleRows_ = 0;
    HMODULE shellLibrary_ = nullptr;
    int isNT_ = -1; // -1 until first asked
    bool inside_ = false;
    bool hasFocus_ = false;
    std::unique_ptr<CompletePopup> PicComplete;
    long iconColumnWidth_ = 0;
    long popupRow_ = -100;
    std::wstring popupText_; // what the pop-up shows for popupRow_
    bool popupBold_ = false;
    ListItems items_;
    std::shared_ptr<ImageList> imageList_;
    std::vector<long> selection_;
    std::shared_ptr<forms::StdPicture> picture_;
    long backColor_ = 0xFFFFFF;
    long foreColor_ = static_cast<long>(0x80000012);
    std::shared_ptr<forms::StdFont> font_;
    long selColor_ = 0xFF8C1A;
    bool fullRowSelect_ = false;
    long sortOrder_ = 0;
    long selForeColor_ = 0xFFFFFF;
    bool strechIcon_ = false;
    bool iconFocus_ = true;
    bool gridLines_ = false;
    long gridColor_ = static_cast<long>(0x8000000F);
    long backGradient_ = 0;
    long selGradient_ = 0;
    bool multiSelect_ = false;
    long anchorIndex_ = 0;
    long backGradientCol_ = 0xC0C0C0;
    long selGradientCol_ = 0xFFFFFF;
    long textAlignment_ = 0;
    bool showIcon_ = false;
    bool focusRectangle_ = true;
    long selectionStyle_ = 1;
    bool flatScrollBar_ = false;
    bool autoHideScrollBars_ = false;
    SelfSubclass hooks_;
    bool hoverTracking_ = false;
    ScrollBarLayer bars_;
    std::shared_ptr<forms::StdPicture> mouseIcon_;
    long mousePointer_ = 0;
    long lastDragIndex_ = 0;
    int16_t appearance_ = 1;
    int16_t borderStyle_ = 1;
    // The font field as drawn, regular and bold, so a bold row never changes the font object.
    std::shared_ptr<forms::StdFont> drawFont_, drawFontBold_;

    // Painting.
    void Redraw();
    void paintRows();
    void DrawItemText(const std::wstring& text, long x, long y);
    void DrawItemIcon(const forms::StdPicture& picture, long x, long y, long width, long height);
    bool IsWinNT();
    void useFont(bool bold);
    float textHeightA();
    void clampIndex();
    void scrollIntoView(long index);
    void sortItems() { items_.sort(sortOrder_); }
    void applyBorder();
    void applyStoredProperties();

    // Start of the hook, scroll bars and pop-up.
    void StartSubclassing();
    void CreateCompletePopup();
    void ShowCompletePopup(long row);
    void hideCompletePopup();
    void dropStalePopup();

    // Input.
    void keyboardMove(int keyCode);
    void pointerDown(int16_t Button, int16_t Shift, float X, float Y);
    void pointerMove(int16_t Button, int16_t Shift, float X, float Y);
    bool SetListIndexClamped(long value);
    void selectRange(bool nonNegativeOnly);
    bool keyDown(int key) const;
    bool pumpEvents();
    double rowPitch();
};

} // namespace widgets
