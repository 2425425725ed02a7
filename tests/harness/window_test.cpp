// Real windows on the display: what is painted can be read back, and sent input arrives.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace {

struct Seen {
    std::vector<UINT> messages;
    std::vector<LPARAM> points;
    std::vector<WPARAM> keys;
};
Seen* g_seen = nullptr;

LRESULT CALLBACK childProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT left{0, 0, 20, 30}, right{20, 0, 40, 30};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(dc, &left, red);
        FillRect(dc, &right, blue);
        SetPixel(dc, 5, 5, RGB(0, 255, 0));
        DeleteObject(red);
        DeleteObject(blue);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MOUSEMOVE:
        if (g_seen) {
            g_seen->messages.push_back(msg);
            g_seen->points.push_back(lParam);
        }
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (g_seen) {
            g_seen->messages.push_back(msg);
            g_seen->keys.push_back(wParam);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class WindowHarness : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = childProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"HarnessChild";
        RegisterClassW(&wc);
        top_ = CreateWindowExW(0, L"STATIC", L"harness", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 50, 50, 200,
                               150, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(top_, nullptr);
        child_ = CreateWindowExW(0, L"HarnessChild", L"", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30, top_,
                                 nullptr, wc.hInstance, nullptr);
        ASSERT_NE(child_, nullptr);
        ShowWindow(top_, SW_SHOW);
        UpdateWindow(top_);
        pump();
        g_seen = &seen_;
    }
    void TearDown() override {
        g_seen = nullptr;
        DestroyWindow(top_);
    }
    static void pump() {
        for (int i = 0; i < 20; ++i) {
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
            Sleep(10);
        }
    }

    HWND top_ = nullptr, child_ = nullptr;
    Seen seen_;
};

TEST_F(WindowHarness, PaintedPixelsReadBackFromTheWindow) {
    RedrawWindow(child_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC wdc = GetDC(child_);
    HDC mem = CreateCompatibleDC(wdc);
    HBITMAP bmp = CreateCompatibleBitmap(wdc, 40, 30);
    HGDIOBJ old = SelectObject(mem, bmp);
    ASSERT_TRUE(BitBlt(mem, 0, 0, 40, 30, wdc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(mem, 2, 20), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(mem, 30, 20), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(mem, 5, 5), RGB(0, 255, 0));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(child_, wdc);
}

TEST_F(WindowHarness, SentMouseAndKeyMessagesArrive) {
    SendMessageW(child_, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    SendMessageW(child_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 8));
    SendMessageW(child_, WM_LBUTTONUP, 0, MAKELPARAM(7, 8));
    SendMessageW(child_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 2));
    PostMessageW(child_, WM_KEYDOWN, 'A', 1);
    pump();
    ASSERT_EQ(seen_.messages.size(), 6u);
    EXPECT_EQ(seen_.messages[0], UINT(WM_MOUSEMOVE));
    EXPECT_EQ(seen_.messages[1], UINT(WM_LBUTTONDOWN));
    EXPECT_EQ(LOWORD(seen_.points[1]), 7);
    EXPECT_EQ(HIWORD(seen_.points[1]), 8);
    EXPECT_EQ(seen_.messages[2], UINT(WM_LBUTTONUP));
    EXPECT_EQ(seen_.messages[3], UINT(WM_RBUTTONDOWN));
    EXPECT_EQ(seen_.messages[4], UINT(WM_KEYDOWN));
    // TranslateMessage in the loop turns the key press into a character.
    EXPECT_EQ(seen_.messages[5], UINT(WM_CHAR));
    EXPECT_EQ(seen_.keys.back(), WPARAM('a'));
}

TEST_F(WindowHarness, RealInputReachesTheWindowUnderTheCursor) {
    SetForegroundWindow(top_);
    POINT p{20, 15};
    ClientToScreen(child_, &p);
    SetCursorPos(p.x, p.y);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    pump();
    bool down = false;
    for (size_t i = 0; i < seen_.messages.size(); ++i)
        if (seen_.messages[i] == WM_LBUTTONDOWN) {
            down = true;
            EXPECT_EQ(LOWORD(seen_.points[i]), 20);
            EXPECT_EQ(HIWORD(seen_.points[i]), 15);
        }
    EXPECT_TRUE(down);
}

} // namespace
