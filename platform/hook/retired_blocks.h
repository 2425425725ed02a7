#pragma once
#include <cstddef>
#include <windows.h>

namespace hook {

// Hook blocks known to the machinery. A block runs other code at only two places: where it calls
// the window's previous procedure (through callPreviousW/A) and where it dispatches to a control
// (through the trampoline). Both mark the calling block as running for the length of the call,
// so whether a block is on the call stack is known exactly.
void trackBlock(void* block, std::size_t size);
bool isBlockRunning(const void* block);

// Marks the block that holds returnAddress as running while the object lives.
class RunningBlock {
public:
    explicit RunningBlock(const void* returnAddress);
    ~RunningBlock();
    RunningBlock(const RunningBlock&) = delete;
    RunningBlock& operator=(const RunningBlock&) = delete;

private:
    void* block_;
};

// A hook block that no longer carries a hook may still run: it can be on the call stack (unhooked
// from inside one of its own messages, or from the window's destruction) or chained by a later
// subclasser of the same window, which calls it as its previous procedure. Such a block is retired
// here instead of being freed.
struct RetiredBlock {
    void* block = nullptr;
    HWND window = nullptr;
    LONG_PTR previous = 0; // the procedure the block forwards to
    bool unicode = false;  // installed with the W functions
    bool chained = false;  // another procedure sat on top of it when it was unhooked
    void* entry = nullptr; // the procedure installed, when it is not the block's first byte
};

// Retires the block and frees every retired block that is certainly unused: not running, and
// nothing chains it any more (it was taken out of the chain, its window is gone, or the subclasser
// above it left so that it could be taken out now). The rest wait for a later call; what is left
// at the end goes with the process.
void retireBlock(const RetiredBlock& retired);
// Puts the previous procedure back where the block is still its window's procedure; under another
// subclasser the block stays a pass-through (chained). Then retires it.
void retireFromWindow(RetiredBlock retired);
void releaseRetiredBlocks();
std::size_t retiredBlockCount();

// The previous-procedure call of a block: CallWindowProcW / CallWindowProcA with the block marked
// as running.
extern "C" LRESULT __stdcall callPreviousW(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam,
                                           LPARAM lParam);
extern "C" LRESULT __stdcall callPreviousA(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam,
                                           LPARAM lParam);

} // namespace hook
