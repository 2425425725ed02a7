// The search box on a real form: created by its type name, Unicode text typed and pasted, long pastes,
// Enter and the key events its host hears, and what another program can send it.
#include "platform/forms/controls/uni_text_box_ex.h"

#include "platform/core/variant.h"
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/gdi.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

class BoxForm : public forms::Form {
public:
    BoxForm() {
        setName(L"BoxForm");
        setBorderStyle(0);
        setNoActivate(true);
        setClientSize(4000, 600);
    }

protected:
    forms::Layout layout() const override {
        forms::LayoutEntry e;
        e.type = L"UniTextBoxEx";
        e.name = L"TextBox1";
        e.width = 3000, e.height = 360;
        e.properties = {{L"Text", std::wstring()}, {L"BackColor", core::Variant::colour(0xF9F9F9)}};
        return {e};
    }
};

bool putOnClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* p = static_cast<wchar_t*>(GlobalLock(mem));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, p);
    GlobalUnlock(mem);
    bool ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
    CloseClipboard();
    return ok;
}

class SearchBox : public testing::Test {
protected:
    std::shared_ptr<BoxForm> form = std::make_shared<BoxForm>();
    textbox::UniTextBoxEx* box = nullptr;
    void SetUp() override {
        textbox::UniTextBoxEx::registerType();
        form->Show();
        box = &form->control<textbox::UniTextBoxEx>(L"TextBox1");
    }
    void TearDown() override { form->Unload(); }
};

TEST_F(SearchBox, TypedAndPastedTextOfEveryLanguageIsKept) {
    EXPECT_EQ(box->Text(), L"");
    EXPECT_EQ(box->BackColor(), 0xF9F9F9u);
    HWND edit = box->editWindow();
    for (wchar_t c : std::wstring(L"мир")) SendMessageW(edit, WM_CHAR, c, 1);
    EXPECT_EQ(box->Text(), L"мир");

    struct Case {
        std::wstring clip;
        std::wstring kept;
    };
    const Case cases[] = {
        {L"ağaç İzmir ışık", L"ağaç İzmir ışık"},
        {L"берег ёж", L"берег ёж"},
        {L"bank\r\nriver", L"bank"}, // one line: the first line of a pasted block
    };
    for (const auto& c : cases) {
        box->setText(L"");
        ASSERT_TRUE(putOnClipboard(c.clip));
        SendMessageW(edit, WM_PASTE, 0, 0);
        EXPECT_EQ(box->Text(), c.kept);
    }
    box->setSelStart(1);
    box->setSelLength(2);
    EXPECT_EQ(box->SelText(), L"an");
}

TEST_F(SearchBox, TenThousandPastedCharactersArriveAtOnce) {
    std::vector<std::wstring> changes;
    box->Change.handle([&] { changes.push_back(box->Text()); });
    std::wstring longText;
    for (int i = 0; i < 10000; ++i) longText += static_cast<wchar_t>(i % 2 ? 0x0431 : L'ş');
    ASSERT_TRUE(putOnClipboard(longText));
    SendMessageW(box->editWindow(), WM_PASTE, 0, 0);
    forms::DoEvents();
    EXPECT_EQ(box->Text(), longText);
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(SearchBox, KeysReachTheHostAndEnterDoesNotTypeOrBeep) {
    std::vector<int> ups;
    box->KeyUp.handle([&](int& code, int shift) { ups.push_back(code * 10 + shift); });
    int chars = 0;
    box->KeyPress.handle([&](int&) { ++chars; });
    HWND edit = box->editWindow();
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(SendMessageW(edit, WM_CHAR, VK_RETURN, 1), 0);
    SendMessageW(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
    SendMessageW(edit, WM_KEYUP, 'A', 0xC0000001);
    EXPECT_EQ(ups, (std::vector<int>{130, 650}));
    EXPECT_EQ(chars, 1);
    EXPECT_EQ(box->Text(), L"");
}

// A memory DC with a white bitmap and colours of its own, which tell whether anything reached it.
class Canvas {
public:
    static constexpr COLORREF kText = RGB(1, 2, 3), kBack = RGB(4, 5, 6);
    Canvas() {
        SelectObject(dc_.get(), bitmap_.get());
        PatBlt(dc_.get(), 0, 0, 200, 24, WHITENESS);
        SetTextColor(dc_.get(), kText);
        SetBkColor(dc_.get(), kBack);
    }
    HDC dc() const { return dc_.get(); }
    bool touched() const {
        if (GetTextColor(dc_.get()) != kText || GetBkColor(dc_.get()) != kBack) return true;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 200; ++x)
                if ((GetPixel(dc_.get(), x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
        return false;
    }

private:
    forms::MemoryDC dc_ = forms::MemoryDC::compatibleWith(nullptr);
    forms::GdiBitmap bitmap_{CreateBitmap(200, 24, 1, 32, nullptr)};
};

// Paints and prints reach a device context only when the wParam is the whole handle of one, not a
// number that, under Wine, names one of ours by its place in the table. A paint without one is the
// box's own: its update region is validated.
TEST_F(SearchBox, PaintsAndPrintsReachOnlyTheDeviceContextGiven) {
    struct Case {
        const char* what;
        UINT msg;
        bool whole; // the canvas's whole handle, or its place in the table
        bool reaches;
    } cases[] = {
        {"paint", WM_PAINT, true, true},
        {"paint by place", WM_PAINT, false, false},
        {"print", WM_PRINTCLIENT, true, true},
        {"print by place", WM_PRINTCLIENT, false, false},
    };
    HWND edit = box->editWindow();
    box->setText(L"bank");
    for (const Case& c : cases) {
        Canvas canvas;
        const auto handle = reinterpret_cast<WPARAM>(canvas.dc());
        InvalidateRect(edit, nullptr, TRUE);
        SendMessageW(edit, c.msg, c.whole ? handle : LOWORD(handle), PRF_CLIENT);
        EXPECT_EQ(canvas.touched(), c.reaches) << c.what;
        if (c.msg == WM_PAINT && !c.reaches) {
            EXPECT_FALSE(GetUpdateRect(edit, nullptr, FALSE)) << c.what << ": the box did not paint itself";
        }
    }
}

int wordBreaks = 0;
int CALLBACK countWordBreak(LPWSTR, int, int, int) {
    ++wordBreaks;
    return 0;
}

// A word-break procedure sent to the box (from another program, its address means nothing here) is
// never taken, and a double click still selects the word (and the blank after it) by the system's own
// breaks.
TEST_F(SearchBox, AWordBreakProcedureSentToItIsNeverCalled) {
    HWND edit = box->editWindow();
    box->setText(L"bank river");
    PostMessageW(edit, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(&countWordBreak));
    forms::DoEvents();
    SendMessageW(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(wordBreaks, 0);
    EXPECT_EQ(SendMessageW(edit, EM_GETWORDBREAKPROC, 0, 0), 0);
    EXPECT_EQ(box->SelStart(), 0);
    EXPECT_EQ(box->SelText().substr(0, 4), L"bank");
}

} // namespace
