#pragma once
#include <cstddef>

namespace hook {

// Memory for machine code that runs in place. The program is marked NX-compatible, so ordinary
// data memory cannot hold a window procedure; these blocks come from an executable heap.
void* allocExecutable(std::size_t size);
void freeExecutable(void* block);

// Call after writing or patching code, before it can run.
void flushCode(const void* block, std::size_t size);

} // namespace hook
