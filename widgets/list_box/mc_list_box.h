#pragma once
#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/user_control.h"
#include "platform/hook/dispatch.h"
#include "platform/hook/hex_template_hook.h"
#include "widgets/list_box/complete_popup.h"
#include "widgets/list_box/image_list.h"
#include "widgets/list_box/list_box_image.h"
#include "widgets/list_box/list_box_paint.h"
#include "widgets/list_box/list_items.h"
#include "widgets/list_box/scroll_bar_layer.h"

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

    // The window hook's callback under its own name; it hands the message to the one dispatch.
    void zSubclass_Proc(bool bBefore, long& bHandled, long& lReturn, long& lng_hWnd, long& uMsg, long& wParam,
                        long& lParam);

    // --- Items and selection (an index without an item or entry raises 9)
    long ListCount() const { return items_.count(); }
    long ListIcon(long index) const { return items_.at(index).icon; }
    void setListIcon(long index, long icon);
    bool ListBold(long index) const { return items_.at(index).bold; }
    void setListBold(long index, bool bold);
    long ListIndex() const { return items_.empty() ? -1 : state_.currentIndex; }
    void setListIndex(long index);
    std::wstring Text() const;
    std::wstring list(long index) const;
    void setList(long index, std::wstring text);
    long SelCount() const { return static_cast<long>(state_.selection.size()); }
    long SelItem(long selIndex) const;
    void setImageList(std::shared_ptr<ImageList> images) { imageList_ = std::move(images); }
    void ClearSelection();
    void SelectAll();
    void AddItem(std::wstring text, long index = -1, long icon = -1, bool bold = false);
    void Remove(long index);
    void Clear();
    // Lays the rows out again, sets the scroll range, sorts and repaints.
    void Refresh() override;
    std::vector<std::wstring> SplitToLines(const std::wstring& text, long length, bool filterLines);
    static bool IsDelim(const std::wstring& character);
    static long BlendColor(long from, long to, long alpha);
    static long TranslateColor(long colour, HPALETTE palette = nullptr);

    // --- Appearance and behaviour (stored with the form)
    std::shared_ptr<forms::StdPicture> Picture() const { return look_.Picture; }
    void setPicture(std::shared_ptr<forms::StdPicture> picture);
    std::shared_ptr<forms::StdFont> Font() const { return look_.Font; }
    void setFont(std::shared_ptr<forms::StdFont> font);
    long Forecolor() const { return look_.Forecolor; }
    void setForecolor(long colour);
    long BackColor() const { return look_.BackColor; }
    void setBackColor(long colour);
    long SelColor() const { return look_.SelColor; }
    void setSelColor(long colour);
    long SelForeColor() const { return look_.SelForeColor; }
    void setSelForeColor(long colour);
    bool StrechIcon() const { return look_.StrechIcon; }
    void setStrechIcon(bool on);
    int16_t Appearance() const { return look_.Appearance; }
    void setAppearance(int16_t value);
    int16_t BorderStyle() const { return look_.BorderStyle; }
    void setBorderStyle(int16_t value);
    bool FullRowSelect() const { return look_.FullRowSelect; }
    void setFullRowSelect(bool on);
    bool MultiSelect() const { return look_.MultiSelect; }
    void setMultiSelect(bool on);
    bool FocusRectangle() const { return look_.FocusRectangle; }
    void setFocusRectangle(bool on);
    bool ShowIcon() const { return look_.ShowIcon; }
    void setShowIcon(bool on);
    long SortOrder() const { return look_.SortOrder; }
    void setSortOrder(long order);
    bool IconFocus() const { return look_.IconFocus; }
    void setIconFocus(bool on);
    long TextAlignment() const { return look_.TextAlignment; }
    void setTextAlignment(long flags);
    bool GridLines() const { return look_.GridLines; }
    void setGridLines(bool on);
    long GridColor() const { return look_.GridColor; }
    void setGridColor(long colour);
    long RowHeight() const { return look_.RowHeight; }
    void setRowHeight(long pixels);
    long BackGradient() const { return look_.BackGradient; }
    void setBackGradient(long style);
    long SelGradient() const { return look_.SelGradient; }
    void setSelGradient(long style);
    long BackGradientCol() const { return look_.BackGradientCol; }
    void setBackGradientCol(long colour);
    long SelGradientCol() const { return look_.SelGradientCol; }
    void setSelGradientCol(long colour);
    long SelectionStyle() const { return look_.SelectionStyle; }
    void setSelectionStyle(long style);
    bool FlatScrollBar() const { return look_.FlatScrollBar; }
    void setFlatScrollBar(bool on);
    bool AutoHideScrollBars() const { return look_.AutoHideScrollBars; }
    void setAutoHideScrollBars(bool on);
    std::shared_ptr<forms::StdPicture> MouseIcon() const { return look_.MouseIcon; }
    void setMouseIcon(std::shared_ptr<forms::StdPicture> icon) { look_.MouseIcon = std::move(icon); }
    long MousePointer() const { return look_.MousePointer; }
    void setMousePointer(long pointer) { look_.MousePointer = pointer; }

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
    long visibleRowCount() const { return cache_.visibleRows; }
    long iconColumnWidth() const { return cache_.iconColumnWidth; }
    long popupRow() const { return state_.popupRow; }
    // The surface's DC, its image first brought up to date.
    HDC hDC() override;
    bool hasFocus() const { return state_.hasFocus; }
    const ScrollBarLayer& scrollBars() const { return bars_; }
    ScrollBarLayer& scrollBars() { return bars_; }
    const hook::HexTemplateHook& hooks() const { return hooks_; }
    // The full-text pop-up: a window of its own that no paint of the list needs, so it is made when
    // a cut row is first pointed at. Null before that and once the list is unloaded.
    const CompletePopup* completePopup() const { return popup_.get(); }
    // The key state the input handlers read (GetKeyState unless a test replaces it).
    using KeyStateSource = SHORT(WINAPI*)(int);
    static KeyStateSource setKeyStateSource(KeyStateSource source);
    // What hands the picture drawn so far to the screen as the list's paint begins (a look for a
    // message nobody posts unless a test replaces it).
    using ScreenHandOver = void (*)();
    static ScreenHandOver setScreenHandOver(ScreenHandOver handOver);

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
    void UserControl_KeyDown(int& keyCode, int shift) override;
    void UserControl_MouseDown(int button, int shift, float x, float y) override;
    void UserControl_MouseMove(int button, int shift, float x, float y) override;
    void UserControl_MouseUp(int button, int shift, float x, float y) override;
    void propertyEffect(forms::OnChange effect) override;
    void windowMessage(core::MessageFrame& m) override;
    void hookMessage(core::MessageFrame& m, bool before) override;

private:
    ListBoxLook look_;
    ListBoxState state_;
    ListBoxCache cache_;
    ListItems items_;
    std::shared_ptr<ImageList> imageList_;
    std::unique_ptr<CompletePopup> popup_;
    hook::HexTemplateHook hooks_;
    ScrollBarLayer bars_;
    ListBoxImage shown_; // what the surface shows, when only the rows were drawn on it
    bool drawingRows_ = false;

    // Messages: the one dispatch and its handlers.
    void dispatch(core::MessageFrame& m);
    void onVScroll(long code);
    void onHScroll(long code);
    void onMouseWheel(long keys, long delta);
    void onMouseMove(HWND window);
    void onMouseLeave();
    void onPaint();
    void scrollBy(long bar, long code);

    // Painting.
    void redraw();
    void paintIfDue();
    void paintRows();
    ListBoxImage imageNow();
    void addDesignSample();
    void layoutRows();
    void useFont(bool bold) { cache_.useFont(surface(), look_.Font, bold); }
    float textHeightA();
    void clampIndex();
    void scrollIntoView(long index);
    void sortItems() { items_.sort(look_.SortOrder); }
    void applyBorder();
    void applyStoredProperties();

    // Start of the hook and the scroll bars; the pop-up is made when first needed.
    void startSubclassing();
    void createCompletePopup();
    void startScrollBars();
    void showCompletePopup(long row);
    void hideCompletePopup();
    void dropStalePopup();

    // Input.
    void keyboardMove(int keyCode);
    void pointerDown(int16_t button, int16_t shift, float x, float y);
    void pointerMove(int16_t button, int16_t shift, float x, float y);
    bool setListIndexClamped(long value);
    void selectRange(bool nonNegativeOnly);
    bool keyDown(int key) const;
    bool pumpEvents();
    double rowPitch() const { return cache_.rowPitch; }
};

} // namespace widgets
