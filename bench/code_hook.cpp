// Sends 100,000 messages that no table holds to a window, unhooked and then hooked by the option/check
// box's hook with four registered messages; prints both times and their ratio (at most 2 is the aim).
#include "platform/hook/code_built_hook.h"

#include "timing.h"

#include <cstdio>
#include <windows.h>

namespace {

LRESULT CALLBACK plainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP + 7) return static_cast<LRESULT>(wParam + 1);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct Quiet : hook::HookClient {
    void hookMessage(core::MessageFrame&, bool) override {}
};

double sendAll(HWND window, int count) {
    const double start = bench::now();
    LRESULT sum = 0;
    for (int i = 0; i < count; ++i) sum += SendMessageW(window, WM_APP + 7, static_cast<WPARAM>(i & 0xFF), 0);
    const double ms = bench::now() - start;
    if (sum !=
        LRESULT(count) + LRESULT(count / 256) * 255 * 128 + LRESULT((count % 256) * (count % 256 - 1) / 2))
        std::printf("unexpected answer %ld\n", static_cast<long>(sum));
    return ms;
}

} // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HookBench";
    RegisterClassW(&wc);
    HWND window =
        CreateWindowExW(0, L"HookBench", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    constexpr int Count = 100000;
    sendAll(window, 1000); // warm up
    double plain = 0, hooked = 0;
    for (int round = 0; round < 3; ++round) {
        plain += sendAll(window, Count);
        Quiet client;
        hook::OptionCheckHook hooks;
        hooks.zRegisterCallback(&client);
        if (!hooks.sc_Subclass(window, 0, true, 1)) {
            std::printf("the window could not be hooked\n");
            return 1;
        }
        for (UINT m : {WM_MOUSEMOVE, WM_MOUSELEAVE, WM_SETFOCUS, WM_KILLFOCUS})
            hooks.sc_AddMsg(window, m, hook::MSG_AFTER);
        hooked += sendAll(window, Count);
        hooks.sc_UnSubclassAll();
        SendMessageW(window, WM_NULL, 0, 0); // releases the block
    }
    std::printf("100,000 messages unhooked: %.1f ms, hooked: %.1f ms, ratio %.2f (aim: at most 2)\n",
                plain / 3, hooked / 3, hooked / plain);
    DestroyWindow(window);
    return hooked <= 2 * plain ? 0 : 1;
}
