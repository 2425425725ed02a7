#include "platform/hook/retired_blocks.h"

#include "platform/hook/exec_memory.h"
#include "platform/hook/window_procedure.h"

#include <cstdint>
#include <vector>

namespace hook {

namespace {

struct Tracked {
    std::uintptr_t start;
    std::size_t size;
    int running;
};

// Never destroyed: controls may unhook from static destructors at exit.
std::vector<Tracked>& tracked() {
    static auto* list = new std::vector<Tracked>;
    return *list;
}

std::vector<RetiredBlock>& retired() {
    static auto* list = new std::vector<RetiredBlock>;
    return *list;
}

Tracked* find(const void* address) {
    const auto a = reinterpret_cast<std::uintptr_t>(address);
    for (Tracked& t : tracked())
        if (a >= t.start && a < t.start + t.size) return &t;
    return nullptr;
}

bool stillChained(RetiredBlock& r) {
    if (!r.chained) return false;
    if (!IsWindow(r.window)) return false;
    const LONG_PTR block = reinterpret_cast<LONG_PTR>(r.entry ? r.entry : r.block);
    if (windowProcedure(r.window, r.unicode) != block) return true; // the procedure above may still call it
    // The subclasser above has gone and the block is on top again: it can leave the chain now.
    if (setWindowProcedure(r.window, r.unicode, r.previous) != block) return true;
    r.chained = false;
    return false;
}

void forget(const void* block) {
    auto& list = tracked();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].start == reinterpret_cast<std::uintptr_t>(block)) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

} // namespace

void trackBlock(void* block, std::size_t size) {
    if (block) tracked().push_back({reinterpret_cast<std::uintptr_t>(block), size, 0});
}

bool isBlockRunning(const void* block) {
    const Tracked* t = find(block);
    return t && t->running > 0;
}

RunningBlock::RunningBlock(const void* returnAddress) : block_(nullptr) {
    if (Tracked* t = find(returnAddress)) {
        ++t->running;
        block_ = reinterpret_cast<void*>(t->start);
    }
}

RunningBlock::~RunningBlock() {
    if (!block_) return;
    if (Tracked* t = find(block_)) --t->running;
}

void retireBlock(const RetiredBlock& r) {
    if (r.block) retired().push_back(r);
    releaseRetiredBlocks();
}

void retireFromWindow(RetiredBlock r) {
    if (IsWindow(r.window)) {
        const LONG_PTR block = reinterpret_cast<LONG_PTR>(r.entry ? r.entry : r.block);
        if (windowProcedure(r.window, r.unicode) == block)
            setWindowProcedure(r.window, r.unicode, r.previous);
        else
            r.chained = true;
    }
    retireBlock(r);
}

void releaseRetiredBlocks() {
    auto& list = retired();
    for (std::size_t i = 0; i < list.size();) {
        RetiredBlock& r = list[i];
        if (isBlockRunning(r.block) || stillChained(r)) {
            ++i;
            continue;
        }
        forget(r.block);
        freeExecutable(r.block);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

std::size_t retiredBlockCount() {
    return retired().size();
}

extern "C" LRESULT __stdcall callPreviousW(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam,
                                           LPARAM lParam) {
    RunningBlock running(__builtin_return_address(0));
    return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

extern "C" LRESULT __stdcall callPreviousA(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wParam,
                                           LPARAM lParam) {
    RunningBlock running(__builtin_return_address(0));
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

} // namespace hook
