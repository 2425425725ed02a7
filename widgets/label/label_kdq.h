// The captioned label: its own text (VNI digits or Unicode) with shadow, outline, border, gradient
// or see-through background, optional sizing to its text, and a Change event after every update,
// which lets hidden labels carry state between forms.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/message_frame.h"
#include "platform/forms/event.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"
#include "widgets/label/label_paint.h"

namespace widgets {

class Label_KDQ : public forms::UserControl {
public:
    Label_KDQ();
    // Lets layouts create labels by the type name "Label_KDQ".
    static void registerType();

    // The stored properties: key, field, stored default, the value of a new label where it differs,
    // and what a change does.
    static const forms::PropertyTable<Label_KDQ>& properties();

    const std::wstring& Text() const { return text_; }
    void setText(std::wstring value) { set(L"Text", value); }
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool value) { set(L"AutoSize", value); }
    std::uint32_t BackColor() const { return look_.BackColor; }
    void setBackColor(std::uint32_t value) { set(L"BackColor", value); }
    std::uint32_t Forecolor() const { return look_.Forecolor; }
    void setForecolor(std::uint32_t value) { set(L"ForeColor", value); }
    std::uint32_t BorderColor() const { return look_.BorderColor; }
    void setBorderColor(std::uint32_t value) { set(L"BorderColor", value); }
    std::int32_t BorderSize() const { return look_.BorderSize; }
    void setBorderSize(std::int32_t value) { set(L"BorderSize", value); }
    const std::shared_ptr<forms::StdFont>& Font() const { return font_; }
    void setFont(std::shared_ptr<forms::StdFont> value);
    bool WordWrap() const { return look_.WordWrap; }
    void setWordWrap(bool value) { set(L"WordWrap", value); }
    bool TiengViet() const { return tiengViet_; }
    void setTiengViet(bool value) { set(L"TiengViet", value); }
    std::int32_t BorderStyle() const { return look_.BorderStyle; }
    void setBorderStyle(std::int32_t value) { set(L"BorderStyle", value); }
    bool Transparent() const { return look_.Transparent; }
    void setTransparent(bool value) { set(L"Transparent", value); }
    std::int32_t EdgeSpace() const { return look_.EdgeSpace; }
    void setEdgeSpace(std::int32_t value) { set(L"EdgeSpace", value); }
    std::uint32_t OutlineColor() const { return look_.OutlineColor; }
    void setOutlineColor(std::uint32_t value) { set(L"OutlineColor", value); }
    bool Shadow() const { return look_.Shadow; }
    void setShadow(bool value) { set(L"Shadow", value); }
    std::int16_t ShadowDepth() const { return look_.ShadowDepth; }
    void setShadowDepth(std::int16_t value) { set(L"ShadowDepth", value); }
    std::int32_t ShadowStyle() const { return look_.ShadowStyle; }
    void setShadowStyle(std::int32_t value) { set(L"ShadowStyle", value); }
    std::uint32_t ShadowColorStart() const { return look_.ShadowColorStart; }
    void setShadowColorStart(std::uint32_t value) { set(L"ShadowColorStart", value); }
    std::uint32_t ShadowColorEnd() const { return look_.ShadowColorEnd; }
    void setShadowColorEnd(std::uint32_t value) { set(L"ShadowColorEnd", value); }
    std::int32_t Alignment() const { return look_.Alignment; }
    void setAlignment(std::int32_t value) { set(L"Alignment", value); }
    std::int32_t BackColorStyle() const { return look_.BackColorStyle; }
    void setBackColorStyle(std::int32_t value) { set(L"BackColorStyle", value); }
    std::int32_t GradientBackColorStyle() const { return look_.GradientBackColorStyle; }
    void setGradientBackColorStyle(std::int32_t value) { set(L"GradientBackColorStyle", value); }
    std::uint32_t GradientBackColorStart() const { return look_.GradientBackColorStart; }
    void setGradientBackColorStart(std::uint32_t value) { set(L"GradientBackColorStart", value); }
    std::uint32_t GradientBackColorEnd() const { return look_.GradientBackColorEnd; }
    void setGradientBackColorEnd(std::uint32_t value) { set(L"GradientBackColorEnd", value); }
    bool TooltipTiengViet() const { return tooltipTiengViet_; }
    void setTooltipTiengViet(bool value) { set(L"ToolTipTiengViet", value); }
    // The label's window and the device context of its surface, under the names its hosts use; a
    // repaint that waits for the label to be shown is done before the context is handed out.
    // The label's image is brought up to date before its DC is handed out.
    HDC hDC() override;
    std::int32_t LineCount();
    // Shows the widget set's about box modally.
    void About();

    forms::Event<> Change;
    forms::Event<> Click;
    forms::Event<> DblClick;
    forms::Event<std::int16_t&> KeyPress;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseDown;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseMove;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseUp;
    forms::Event<std::int16_t&, std::int16_t&, float&, float&> MouseLeave;

    void setEnabled(bool enabled) override;

protected:
    void UserControl_Initialize() override;
    void propertyEffect(forms::OnChange effect) override;
    // The stored form is the property table's: read, then one update; written as it stands.
    void UserControl_ReadProperties(forms::PropertyBag& bag) override {
        properties().read(*this, bag);
        UpdateText();
    }
    void UserControl_WriteProperties(forms::PropertyBag& bag) override { properties().write(*this, bag); }
    void UserControl_Resize() override;
    void UserControl_Show() override;
    void UserControl_Hide() override;
    void UserControl_Terminate() override;
    void UserControl_MouseDown(int button, int shift, float x, float y) override;
    void UserControl_MouseMove(int button, int shift, float x, float y) override;
    void UserControl_MouseUp(int button, int shift, float x, float y) override;
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void windowMessage(core::MessageFrame& m) override;

private:
    LabelLook look_;
    std::wstring text_;
    std::shared_ptr<forms::StdFont> font_;
    bool autoSize_ = false;
    bool tiengViet_ = false;
    bool tooltipTiengViet_ = false;
    std::int32_t lineCount_ = 0;
    bool updating_ = false;
    // A label that is not on screen (the hidden ones that only carry state, or any label of a form
    // not shown yet) paints when it is shown or its image or line count is asked for: a state label
    // written once per looked-up word would otherwise lay out its whole growing text every time.
    bool paintPending_ = false;
    std::int32_t pendingBorderSize_ = 0;

    static forms::PropertyTable<Label_KDQ> makeProperties();
    template <class T>
    void set(const wchar_t* key, const T& value) {
        setProperty(properties(), key, value);
    }
    void UpdateText();
    // The sizing and repaint of UpdateText; false when the label went meanwhile.
    bool layOutAndPaint();
    // The container hears of a border size other than reportedBorderSize (the current one if none).
    void Redraw(const std::wstring& text, std::optional<std::int32_t> reportedBorderSize = std::nullopt);
    void paintIfPending();
    std::wstring displayText() const;
    // The label no longer holds the mouse once it is hidden or disabled from outside.
    void onHiddenOrDisabled();
    bool containerInPixels();
    int toContainerX(int pixels);
    int toContainerY(int pixels);
};

} // namespace widgets
