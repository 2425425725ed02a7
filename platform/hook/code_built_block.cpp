#include "platform/hook/code_built_block.h"

#include "platform/core/event_log.h"
#include "platform/hook/exports.h"
#include "platform/hook/retired_blocks.h"
#include "platform/hook/x86_emitter.h"

#include <cstring>

namespace hook {

namespace {

std::int8_t slotDisp(int slot) {
    return static_cast<std::int8_t>(slot * 4);
}

// The frame of a block's window procedure: [ebp+8] window, +12 message, +16 wParam, +20 lParam;
// [ebp-4] lReturn, [ebp-8] bHandled. ebx holds the block's address, edi is free for the scan.
constexpr std::int8_t ArgWindow = 8, ArgMsg = 12, ArgWParam = 16, ArgLParam = 20;
constexpr std::int8_t LocalReturn = -4, LocalHandled = -8;

long readSlot(const std::uint8_t* block, int slot) {
    long v;
    std::memcpy(&v, block + slot * 4, sizeof v);
    return v;
}

void writeSlot(std::uint8_t* block, int slot, long value) {
    std::memcpy(block + slot * 4, &value, sizeof value);
}

long addressValue(const void* p) {
    return static_cast<long>(reinterpret_cast<std::uintptr_t>(p));
}

std::uintptr_t setProcedureFunction(bool unicode) {
    return exportAddress("user32", unicode ? "SetWindowLongW" : "SetWindowLongA");
}

// Block step 6. The block jumps here with its own address and the previous procedure's result in
// place of the window and the message, so this returns straight to the window's caller and the block
// can be freed at once when nothing else runs it.
template <const CodeBlockShape& Shape>
LRESULT __stdcall releaseBlock(std::uint8_t* block, LRESULT result, WPARAM, LPARAM) {
    // Released once: from now on the block only forwards (its tables are empty).
    writeSlot(block, SlotRelease, 0);
    RetiredBlock retired;
    retired.block = block;
    retired.entry = block + Shape.codeOffset();
    retired.window = reinterpret_cast<HWND>(readSlot(block, SlotWindow));
    retired.previous = readSlot(block, Shape.slotPrevious);
    retired.unicode =
        static_cast<std::uintptr_t>(readSlot(block, SlotSetProcedure)) == setProcedureFunction(true);
    core::bestEffort(L"Window hook release", [&] { retireFromWindow(retired); });
    return result;
}

} // namespace

HookCode assembleHookCode(const CodeBlockShape& layout) {
    X86Emitter a;
    const auto before = a.newLabel(), previous = a.newLabel(), after = a.newLabel(), done = a.newLabel(),
               release = a.newLabel(), scan = a.newLabel(), matched = a.newLabel(), none = a.newLabel(),
               dispatch = a.newLabel(), skip = a.newLabel();
    (void)before;
    HookCode out;

    // Step 1: frame, lReturn and bHandled zeroed, the block's address in ebx.
    a.push(Reg::ebp);
    a.movRegReg(Reg::ebp, Reg::esp);
    a.subRegImm8(Reg::esp, 8);
    a.push(Reg::ebx);
    a.push(Reg::edi);
    a.xorRegReg(Reg::eax, Reg::eax);
    a.movMemReg(Reg::ebp, LocalReturn, Reg::eax);
    a.movMemReg(Reg::ebp, LocalHandled, Reg::eax);
    out.blockAddressAt = a.movRegPatched(Reg::ebx);

    // Steps 3 and 4: before table; a handled message ends here. The scan leaves eax = 1 on a match,
    // which is bBefore True.
    a.movRegMem(Reg::edx, Reg::ebx, slotDisp(layout.slotBefore));
    a.call(scan);
    a.testRegReg(Reg::eax, Reg::eax);
    a.jcc(Cond::equal, previous);
    a.call(dispatch);
    a.cmpMemImm8(Reg::ebp, LocalHandled, 0);
    a.jcc(Cond::notEqual, done);

    // Step 5: the previous procedure, counted as in use.
    a.bind(previous);
    a.incMem(Reg::ebx);
    a.pushMem(Reg::ebp, ArgLParam);
    a.pushMem(Reg::ebp, ArgWParam);
    a.pushMem(Reg::ebp, ArgMsg);
    a.pushMem(Reg::ebp, ArgWindow);
    a.pushMem(Reg::ebx, slotDisp(layout.slotPrevious));
    a.callMem(Reg::ebx, slotDisp(SlotCallPrevious));
    a.movMemReg(Reg::ebp, LocalReturn, Reg::eax);
    a.decMem(Reg::ebx);
    // Step 6: the outermost call returned and the window was unhooked.
    a.jcc(Cond::notEqual, after);
    a.cmpMemImm8(Reg::ebx, slotDisp(SlotRelease), 0);
    a.jcc(Cond::notEqual, release);

    // Steps 7 and 8: after table, then lReturn.
    a.bind(after);
    a.movRegMem(Reg::edx, Reg::ebx, slotDisp(layout.slotAfter));
    a.call(scan);
    a.testRegReg(Reg::eax, Reg::eax);
    a.jcc(Cond::equal, done);
    a.xorRegReg(Reg::eax, Reg::eax);
    a.call(dispatch);
    a.bind(done);
    a.movRegMem(Reg::eax, Reg::ebp, LocalReturn);
    a.pop(Reg::edi);
    a.pop(Reg::ebx);
    a.leave();
    a.retPop(16);

    // The release: the window and message arguments become (block, lReturn) and the routine takes
    // over the return to the caller.
    a.bind(release);
    a.movRegReg(Reg::ecx, Reg::ebx);
    a.movRegMem(Reg::eax, Reg::ebp, LocalReturn);
    a.pop(Reg::edi);
    a.pop(Reg::ebx);
    a.leave();
    a.movMemReg(Reg::esp, 4, Reg::ecx);
    a.movMemReg(Reg::esp, 8, Reg::eax);
    a.jmpMem(Reg::ecx, slotDisp(SlotReleaseRoutine));

    // Table test, edx = table: count 0 none, negative all, else the message among the entries.
    a.bind(scan);
    a.movRegMem(Reg::ecx, Reg::edx, 0);
    a.testRegReg(Reg::ecx, Reg::ecx);
    a.jcc(Cond::equal, none);
    a.jcc(Cond::sign, matched);
    a.movRegMem(Reg::eax, Reg::ebp, ArgMsg);
    a.lea(Reg::edi, Reg::edx, 4);
    a.repneScasd();
    a.jcc(Cond::notEqual, none);
    a.bind(matched);
    a.movRegImm(Reg::eax, 1);
    a.ret();
    a.bind(none);
    a.xorRegReg(Reg::eax, Reg::eax);
    a.ret();

    // The callback, eax = bBefore: (owner, bBefore, &bHandled, &lReturn, window, message, wParam,
    // lParam, &lUserData).
    a.bind(dispatch);
    if (layout.slotIsBadCodePtr >= 0) {
        a.push(Reg::eax);
        a.pushMem(Reg::ebx, slotDisp(layout.slotCallback));
        a.callMem(Reg::ebx, slotDisp(layout.slotIsBadCodePtr));
        a.testRegReg(Reg::eax, Reg::eax);
        a.pop(Reg::eax);
        a.jcc(Cond::notEqual, skip);
    }
    a.lea(Reg::ecx, Reg::ebx, slotDisp(layout.slotUser));
    a.push(Reg::ecx);
    a.pushMem(Reg::ebp, ArgLParam);
    a.pushMem(Reg::ebp, ArgWParam);
    a.pushMem(Reg::ebp, ArgMsg);
    a.pushMem(Reg::ebx, slotDisp(SlotWindow));
    a.lea(Reg::ecx, Reg::ebp, LocalReturn);
    a.push(Reg::ecx);
    a.lea(Reg::ecx, Reg::ebp, LocalHandled);
    a.push(Reg::ecx);
    a.push(Reg::eax);
    a.pushMem(Reg::ebx, slotDisp(layout.slotOwner));
    a.callMem(Reg::ebx, slotDisp(layout.slotCallback));
    a.bind(skip);
    a.ret();

    if (!a.finish() || a.bytes().size() > layout.codeRoom()) return {};
    out.bytes = a.bytes();
    return out;
}

CodeBuiltBlock::CodeBuiltBlock(const CodeBlockShape& shape, ReleaseRoutine release)
    : shape_(shape), release_(release), code_(assembleHookCode(shape)) {}

const CodeBuiltBlock& optionCheckCodeBlock() {
    static const CodeBuiltBlock layout(OptionCheckBlockShape, &releaseBlock<OptionCheckBlockShape>);
    return layout;
}

const CodeBuiltBlock& buttonCodeBlock() {
    static const CodeBuiltBlock layout(ButtonBlockShape, &releaseBlock<ButtonBlockShape>);
    return layout;
}

long CodeBuiltBlock::userData(const std::uint8_t* block) const {
    return readSlot(block, shape_.slotUser);
}

void CodeBuiltBlock::setUserData(std::uint8_t* block, long value) const {
    writeSlot(block, shape_.slotUser, value);
}

std::vector<std::uint8_t> CodeBuiltBlock::buildTemplate() const {
    if (code_.bytes.empty()) return {};
    std::vector<std::uint8_t> bytes(shape_.beforeTable, 0);
    std::memcpy(bytes.data() + shape_.codeOffset(), code_.bytes.data(), code_.bytes.size());
    writeSlot(bytes.data(), SlotDesign, 0);
    writeSlot(bytes.data(), SlotReleaseRoutine, addressValue(reinterpret_cast<const void*>(release_)));
    if (shape_.slotIsBadCodePtr >= 0)
        writeSlot(bytes.data(), shape_.slotIsBadCodePtr,
                  static_cast<long>(exportAddress("kernel32", "IsBadCodePtr")));
    return bytes;
}

void CodeBuiltBlock::write(std::uint8_t* block, const std::vector<std::uint8_t>& codeTemplate,
                           const BlockSetup& setup) const {
    std::memcpy(block, codeTemplate.data(), codeTemplate.size());
    const auto self = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block));
    std::memcpy(block + shape_.codeOffset() + code_.blockAddressAt, &self, sizeof self);
    const auto callPrevious = setup.unicode ? &callPreviousW : &callPreviousA;
    writeSlot(block, SlotWindow, addressValue(setup.window));
    writeSlot(block, SlotCallPrevious, addressValue(reinterpret_cast<const void*>(callPrevious)));
    writeSlot(block, SlotSetProcedure, static_cast<long>(setProcedureFunction(setup.unicode)));
    writeSlot(block, shape_.slotOwner, addressValue(setup.client));
    writeSlot(block, shape_.slotCallback, addressValue(reinterpret_cast<const void*>(&codeBlockTrampoline)));
    writeSlot(block, shape_.slotBefore, addressValue(block + shape_.beforeTable));
    writeSlot(block, shape_.slotAfter, addressValue(block + shape_.afterTable));
    writeSlot(block, shape_.slotUser, setup.userValue);
    writeSlot(block, shape_.slotPrevious, static_cast<long>(setup.previous));
}

void CodeBuiltBlock::setPrevious(std::uint8_t* block, LONG_PTR previous) const {
    writeSlot(block, shape_.slotPrevious, static_cast<long>(previous));
}

// A table is its count and then its entries, each a slot of the table's own.
void CodeBuiltBlock::publish(std::uint8_t* block, When when, const std::vector<long>& table,
                             long count) const {
    std::uint8_t* at = block + (when == When::Before ? shape_.beforeTable : shape_.afterTable);
    writeSlot(at, 0, count);
    for (std::size_t i = 0; i < table.size() && i < static_cast<std::size_t>(MSG_ENTRIES); ++i)
        writeSlot(at, static_cast<int>(i + 1), table[i]);
}

// The block stops dispatching at once and releases itself when the next message through it has
// returned (block step 6); a window that is gone sends none, so its block goes now.
void CodeBuiltBlock::release(const SubclassRecord& record) const {
    std::uint8_t* block = record.CodeBlock;
    writeSlot(block, SlotRelease, -1);
    writeSlot(block + shape_.beforeTable, 0, 0);
    writeSlot(block + shape_.afterTable, 0, 0);
    if (IsWindow(record.WindowHandle)) return;
    RetiredBlock retired;
    retired.block = block;
    retired.entry = block + shape_.codeOffset();
    core::bestEffort(L"Window hook release", [&] { retireBlock(retired); });
}

} // namespace hook
