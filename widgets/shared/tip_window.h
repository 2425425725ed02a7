// The one tooltip window of the captioned widgets: shows a word-wrapped tip near the pointer after
// it has rested on a control, hides it after a while or when the pointer is over another window.
#pragma once

#include "platform/forms/window_object.h"
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/message_frame.h"
#include "platform/forms/gdi.h"
#include "platform/forms/std_font.h"
#include "platform/core/variant.h"

namespace widgets {

enum class TipTimer { WaitStart = 1, Process = 2, WaitEnd = 3 };

// Where the pointer is and which window is under it; tests replace them, and may watch the timers
// being set going.
struct TipSeams {
    std::function<POINT()> cursorPos;
    std::function<HWND(POINT)> windowFromPoint;
    std::function<void(TipTimer)> timerStarted;
};

// An object that can carry a tip: its window and the tip text it keeps in its tag.
class TipObject {
public:
    virtual ~TipObject() = default;
    virtual HWND Hwnd() const = 0;
    virtual std::wstring Tag() const = 0;
};

class FTip : public forms::WindowObject {
public:
    // The program's instance, made on first use.
    static FTip& instance();
    // Ends the program's instance (the next use makes a new one). The tip is a plain top-level
    // window, not one of the program's forms: it never keeps the program running, and the exit
    // command that unloads the program's forms by name calls this for the tip.
    static void Unload();

    explicit FTip(TipSeams seams = {});
    ~FTip();
    FTip(const FTip&) = delete;
    FTip& operator=(const FTip&) = delete;

    std::uint8_t TransparentLen() const { return transparentLen_; }
    void TransparentLen(std::uint8_t value) { transparentLen_ = value; }
    bool TiengViet() const { return tiengViet_; }
    void TiengViet(bool value) { tiengViet_ = value; }
    std::uint32_t TipBackColor() const { return tipBackColor_; }
    void TipBackColor(std::uint32_t value) { tipBackColor_ = value; }
    std::uint32_t TipTextColor() const { return tipTextColor_; }
    void TipTextColor(std::uint32_t value) { tipTextColor_ = value; }

    void HideTip();
    void ShowTip();
    // font: missing for the standard font, a font object, or a font name (that face at size 10).
    void SetTip(HWND owner, const std::wstring& text, std::int32_t textColor = 0, std::int32_t backColor = -1,
                bool tiengViet = false, const std::optional<core::Variant>& font = std::nullopt,
                std::int16_t maxWidth = 300);
    void SetTipObject(const TipObject& object, std::int32_t textColor = 0, std::int32_t backColor = -1,
                      bool tiengViet = false, const std::optional<core::Variant>& font = std::nullopt,
                      std::int16_t maxWidth = 300);
    static std::shared_ptr<forms::StdFont> StandFont();
    // The tip of the list-box item under (X, Y), given in twips; only without a pressed button.
    void SetListTooltip(HWND list, std::int16_t button, float x, float y, std::int32_t maxWidth);
    static int TextWidthW(HDC dc, const std::wstring& text);

    // The timers' ticks; the window's timers call them, tests may too.
    void tmWaitStart_Timer();
    void tmProcess_Timer();
    void tmWaitEnd_Timer();

    HWND hWnd() const { return hwnd_; }
    bool visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    bool timerEnabled(TipTimer t) const;
    HWND TipOwner() const { return tipOwner_; }
    const std::wstring& TipText() const { return tipText_; }
    std::int16_t TipMaxWidth() const { return tipMaxWidth_; }
    const std::shared_ptr<forms::StdFont>& Font() const { return font_; }
    // The tip's drawn image (one pixel per window pixel).
    HDC hDC() const { return surface_.get(); }

private:
    TipSeams seams_;
    HWND hwnd_ = nullptr;
    forms::MemoryDC surface_;
    forms::GdiBitmap bitmap_;
    HGDIOBJ firstBitmap_ = nullptr;
    SIZE surfaceSize_{0, 0};
    std::shared_ptr<forms::StdFont> font_;
    bool timers_[4] = {};

    HWND tipOwner_ = nullptr;
    std::wstring tipText_;
    bool tiengViet_ = false;
    std::uint8_t hideCount_ = 0;
    std::uint8_t showCount_ = 0;
    POINT tipCursor_{0, 0};
    std::int16_t tipMaxWidth_ = 500;
    std::uint32_t tipTextColor_ = 0;
    std::uint32_t tipBackColor_ = RGB(255, 255, 225);
    std::uint8_t transparentLen_ = 255;

    void enable(TipTimer t, bool on);
    void useFont(const std::optional<core::Variant>& font);
    void resizeSurface(int width, int height);
    POINT cursor() const;
    // The one dispatch of the tip's window.
    void windowMessage(core::MessageFrame& m);
    void onPaint();
    void onTimer(UINT_PTR id);
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

} // namespace widgets
