// The command button's and the option/check box's block layout: a header of 32-bit slots, machine
// code assembled in memory, and two tables of MSG_ENTRIES message numbers inside the block itself.
// The code hands the messages the tables name to the block's client through codeBlockTrampoline. An
// unhooked block stays until the next message that passes through it has returned, then leaves
// its window and frees itself. The two controls' blocks differ only in their header (CodeBlockShape).
#pragma once
#include "platform/hook/hook_engine.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace hook {

// Where a block keeps things. Slots 0 to 6 are the same in both shapes.
struct CodeBlockShape {
    std::size_t headerSlots;
    std::size_t blockSize;
    std::size_t beforeTable; // byte offsets of the tables
    std::size_t afterTable;
    int slotIsBadCodePtr; // -1: the block does not test the callback before calling it
    int slotOwner, slotPrevious, slotCallback, slotBefore, slotAfter, slotUser;

    constexpr std::size_t codeOffset() const { return headerSlots * 4; }
    constexpr std::size_t codeRoom() const { return beforeTable - codeOffset(); }
};

inline constexpr int SlotInUse = 0;   // calls into the previous procedure not yet returned
inline constexpr int SlotRelease = 1; // -1 once unhooked: the next outermost message releases
inline constexpr int SlotWindow = 2;
inline constexpr int SlotDesign = 3;       // stays 0: no design environment
inline constexpr int SlotCallPrevious = 4; // callPreviousW / callPreviousA
inline constexpr int SlotReleaseRoutine = 5;
inline constexpr int SlotSetProcedure = 6; // SetWindowLongW / SetWindowLongA, as the window was hooked

inline constexpr long MSG_ENTRIES = 32;

// The option/check box's block: no test of the callback.
inline constexpr CodeBlockShape OptionCheckBlockShape{13, 512, 248, 380, -1, 7, 8, 9, 10, 11, 12};
// The command button's block: the callback is tested with IsBadCodePtr before each call.
inline constexpr CodeBlockShape ButtonBlockShape{14, 524, 260, 392, 7, 8, 9, 10, 11, 12, 13};

// The code of a block of a shape, and the offset (within the code) of the immediate that holds the
// block's own address.
struct HookCode {
    std::vector<std::uint8_t> bytes;
    std::size_t blockAddressAt = 0;
};
HookCode assembleHookCode(const CodeBlockShape& shape);

class CodeBuiltBlock final : public BlockLayout {
public:
    // The routine the block jumps to when it releases itself.
    using ReleaseRoutine = LRESULT(__stdcall*)(std::uint8_t* block, LRESULT result, WPARAM, LPARAM);
    CodeBuiltBlock(const CodeBlockShape& shape, ReleaseRoutine release);

    const CodeBlockShape& shape() const { return shape_; }
    // The user value of a block (its client's lUserData).
    long userData(const std::uint8_t* block) const;
    void setUserData(std::uint8_t* block, long value) const;

    std::size_t blockSize() const override { return shape_.blockSize; }
    std::size_t entryOffset() const override { return shape_.codeOffset(); }
    long tableCapacity() const override { return MSG_ENTRIES; }
    std::vector<std::uint8_t> buildTemplate() const override;
    void write(std::uint8_t* block, const std::vector<std::uint8_t>& codeTemplate,
               const BlockSetup& setup) const override;
    void setPrevious(std::uint8_t* block, LONG_PTR previous) const override;
    void publish(std::uint8_t* block, When when, const std::vector<long>& table, long count) const override;
    void release(const SubclassRecord& record) const override;

private:
    const CodeBlockShape& shape_;
    ReleaseRoutine release_;
    HookCode code_;
};

const CodeBuiltBlock& optionCheckCodeBlock();
const CodeBuiltBlock& buttonCodeBlock();

} // namespace hook
