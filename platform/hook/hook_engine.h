// The one window-hook engine: it hooks a window by making a block of machine code its procedure,
// keeps the hooked windows and their two message tables, and unhooks them. How a block is laid out,
// written, told its tables and released is its layout's business (hex_template_block.h,
// code_built_block.h); the controls reach the engine through the routines their hooks are known by
// (hex_template_hook.h, code_built_hook.h).
#pragma once
#include "platform/hook/dispatch.h"

#include <cstddef>
#include <cstdint>
#include <vector>
#include <windows.h>

namespace hook {

// When a registered message reaches the client: before the window's previous procedure, or after it.
enum class When { Before, After };

// Runs a table change for each time a front's when-flags name (the front's own two flag values), the
// before table first.
template <class Change>
void forEachTime(long when, long beforeFlag, long afterFlag, Change change) {
    if (when & beforeFlag) change(When::Before);
    if (when & afterFlag) change(When::After);
}

// The message number that stands for every message in a table.
inline constexpr long ALL_MESSAGES = -1;

// One hooked window; a free record has no window. A table's count is its number of slots, free ones
// (0) included, or ALL_MESSAGES; slot k of the count is element k - 1 of the table.
struct SubclassRecord {
    HWND WindowHandle = nullptr;
    std::uint8_t* CodeBlock = nullptr;
    LONG_PTR PrevWndProc = 0;
    long AfterCount = 0;
    long BeforeCount = 0;
    std::vector<long> AfterTable;
    std::vector<long> BeforeTable;
    bool Unicode = false; // installed with the W functions

    long& count(When when) { return when == When::Before ? BeforeCount : AfterCount; }
    long count(When when) const { return when == When::Before ? BeforeCount : AfterCount; }
    std::vector<long>& table(When when) { return when == When::Before ? BeforeTable : AfterTable; }
    const std::vector<long>& table(When when) const {
        return when == When::Before ? BeforeTable : AfterTable;
    }
    // Whether the table of that time hands the message to the client.
    bool carries(long message, When when) const;
};

// What a layout needs to write one window's block.
struct BlockSetup {
    HWND window = nullptr;
    LONG_PTR previous = 0;
    bool unicode = false;
    HookClient* client = nullptr;
    const DispatchRecord* dispatch = nullptr;
    long userValue = 0;
};

// A block layout: the one part of a hook that differs between the controls' two kinds of block.
class BlockLayout {
public:
    virtual std::size_t blockSize() const = 0;
    // Offset of the window procedure within the block.
    virtual std::size_t entryOffset() const = 0;
    // Most slots a table holds; 0 when the tables grow.
    virtual long tableCapacity() const = 0;
    // The table of operations for the engine's dispatch record, where the block calls through one.
    virtual const void* const* dispatchTable() const { return nullptr; }
    // What an instance copies into each of its blocks; empty when it cannot be made.
    virtual std::vector<std::uint8_t> buildTemplate() const = 0;
    // Writes a window's block from the template, complete before it is installed.
    virtual void write(std::uint8_t* block, const std::vector<std::uint8_t>& codeTemplate,
                       const BlockSetup& setup) const = 0;
    // The procedure the block forwards to, when another took the window meanwhile.
    virtual void setPrevious(std::uint8_t* block, LONG_PTR previous) const = 0;
    // Shows the block a table as it now stands.
    virtual void publish(std::uint8_t* block, When when, const std::vector<long>& table,
                         long count) const = 0;
    // Stops the block's dispatching and gives it up: at once, or once its next message has passed.
    virtual void release(const SubclassRecord& record) const = 0;

protected:
    ~BlockLayout() = default;
};

enum class HookFailure { None, NotAWindow, OtherProcess, NoTemplate, NoMemory, NotInstalled };

class HookEngine {
public:
    // The client is the one a layout that calls through a dispatch record hands every message to.
    HookEngine(const BlockLayout& layout, HookClient* client);
    ~HookEngine();
    HookEngine(const HookEngine&) = delete;
    HookEngine& operator=(const HookEngine&) = delete;

    // Whether the window can be hooked by this process.
    static HookFailure checkWindow(HWND window);
    // Makes the instance's template at its first hook (and one free record); false when it cannot.
    bool start();
    bool started() const { return !template_.empty(); }
    // Forgets the template and the records, so that the next hook starts afresh.
    void forgetStart();

    struct Hooked {
        long index = -1; // the window's record
        HookFailure failure = HookFailure::None;
        DWORD error = 0; // the system's error number for NoMemory and NotInstalled
    };
    // Hooks the window with a block of its own, in the highest free record. A window hooked already
    // gets a second record, its second block chained in front of the first. No client: the engine's.
    Hooked hook(HWND window, HookClient* client = nullptr, long userValue = 0);
    // The window's newest record, or null.
    SubclassRecord* recordOf(HWND window);
    const SubclassRecord* recordOf(HWND window) const;
    // The block stops dispatching and goes as its layout releases it; the record becomes free.
    void unhook(SubclassRecord& record);
    // Every hooked window, from the highest record down.
    void unhookAll();

    // Adds a message (or ALL_MESSAGES) to a table: a free slot takes it, a slot holding it already
    // leaves all as it was, else the table grows by a slot. False when the table is full.
    bool addMessage(SubclassRecord& record, long message, When when);
    // Frees the message's first slot (ALL_MESSAGES empties the table); false when no slot holds it.
    bool deleteMessage(SubclassRecord& record, long message, When when);

    const std::vector<SubclassRecord>& records() const { return records_; }
    const std::vector<std::uint8_t>& codeTemplate() const { return template_; }

private:
    const BlockLayout& layout_;
    DispatchRecord dispatch_;
    std::vector<std::uint8_t> template_;
    std::vector<SubclassRecord> records_;

    std::size_t freeRecord();
    void publish(SubclassRecord& record, When when);
};

} // namespace hook
