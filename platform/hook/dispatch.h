#pragma once
#include <cstddef>

namespace hook {

// The control side of a window hook: a hook block hands every registered message to this callback,
// before and/or after the window's previous procedure. The references point into the block's own
// frame: a change made in the before call is what the previous procedure sees.
class HookClient {
public:
    virtual void zSubclass_Proc(bool bBefore, long& bHandled, long& lReturn, long& lng_hWnd, long& uMsg,
                                long& wParam, long& lParam) = 0;

protected:
    ~HookClient() = default;
};

// Machine code cannot call a member function (g++ uses thiscall for those), so a block calls through
// a table of plain __stdcall functions instead: it loads the record's first word (the table) and
// calls the entry at a fixed displacement, passing the record first.
struct DispatchRecord {
    const void* const* table;
    HookClient* client;
};

// The trampoline every table holds at its dispatch slot. It counts as a window procedure of the run
// time and never lets an exception reach the machine code or user32: an unexpected error is
// reported as the run time reports one, and the message goes on.
extern "C" long __stdcall hookTrampoline(DispatchRecord* record, long bBefore, long* bHandled, long* lReturn,
                                         long* hWnd, long* uMsg, long* wParam, long* lParam);

// A static table whose entry at the given byte displacement is the trampoline.
template <std::size_t Displacement>
const void* const* dispatchTable() {
    static_assert(Displacement % sizeof(void*) == 0);
    struct Table {
        const void* slots[Displacement / sizeof(void*) + 1] = {};
        Table() { slots[Displacement / sizeof(void*)] = reinterpret_cast<const void*>(&hookTrampoline); }
    };
    static const Table table;
    return table.slots;
}

} // namespace hook
