#pragma once
#include "platform/core/message_frame.h"

#include <cstddef>

namespace hook {

// The control side of a window hook: a hook block hands every registered message to its client as a
// typed frame, before and/or after the window's previous procedure. In the before call, a change to
// the frame's window, message or parameters is what the previous procedure sees, and m.handled (or
// m.answer(v)) skips that procedure and the after call; m.result is what the window procedure
// returns (in the after call, the previous procedure's result until the client changes it).
class HookClient {
public:
    virtual void hookMessage(core::MessageFrame& m, bool before) = 0;

protected:
    ~HookClient() = default;
};

// Hands the 32-bit slots of a hook block's frame to the client as one MessageFrame and writes what
// the client changed back into them. A client that throws changes nothing.
void deliverHookMessage(HookClient& client, bool before, long& handled, long& result, long& window,
                        long& message, long& wParam, long& lParam);
// The same for a block that passes the message by value: only the handled flag and the result go back.
void deliverHookMessage(HookClient& client, bool before, bool& handled, long& result, HWND window,
                        UINT message, WPARAM wParam, LPARAM lParam);

// Machine code cannot call a member function (g++ uses thiscall for those), so a block calls through
// a table of plain __stdcall functions instead: it loads the record's first word (the table) and
// calls the entry at a fixed displacement, passing the record first.
struct DispatchRecord {
    const void* const* table;
    HookClient* client;
};

// The trampolines the blocks call. Each counts as a window procedure of the run time and never lets
// an exception reach the machine code or user32: an unexpected error is reported as the run time
// reports one, and the message goes on.
// The one every dispatch table holds at its dispatch slot; the block passes the message's slots.
extern "C" long __stdcall hookTrampoline(DispatchRecord* record, long before, long* handled, long* result,
                                         long* window, long* message, long* wParam, long* lParam);
// The one a code-built block calls with its client, the message by value and its user slot (which the
// client reads and writes through its hook's sc_UserData instead).
extern "C" long __stdcall codeBlockTrampoline(HookClient* client, long before, long* handled, long* result,
                                              HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              long* userData);

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
