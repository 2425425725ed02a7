#include "platform/hook/exec_memory.h"

#include <windows.h>

namespace hook {

namespace {

HANDLE executableHeap() {
    static const HANDLE heap = HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
    return heap;
}

} // namespace

void* allocExecutable(std::size_t size) {
    if (HANDLE heap = executableHeap()) return HeapAlloc(heap, HEAP_ZERO_MEMORY, size);
    return VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
}

void freeExecutable(void* block) {
    if (!block) return;
    if (HANDLE heap = executableHeap())
        HeapFree(heap, 0, block);
    else
        VirtualFree(block, 0, MEM_RELEASE);
}

void flushCode(const void* block, std::size_t size) {
    FlushInstructionCache(GetCurrentProcess(), block, size);
}

} // namespace hook
