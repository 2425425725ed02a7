// The list box's and the tool bar's block layout: 200 bytes of machine code copied from a template
// that is decoded from hexadecimal text, then patched with the window's previous procedure, the
// system functions and the dispatch record. Its message tables live outside the block, grow without
// limit, and the block holds their addresses and counts. An unhooked block leaves its window at once.
#pragma once
#include "platform/hook/hook_engine.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace hook {

class HexTemplateBlock final : public BlockLayout {
public:
    static constexpr std::size_t BlockSize = 200;
    // Offsets of the patched fields of a block.
    static constexpr std::size_t PatchRunState = 18, PatchPrevProc1 = 68, PatchSetWindowLong = 78,
                                 PatchBeforeTable = 88, PatchBeforeCount = 93, PatchPrevProc2 = 116,
                                 PatchCallWindowProc = 121, PatchAfterTable = 132, PatchAfterCount = 137,
                                 PatchObject = 186;
    // Displacement of the dispatching call into the dispatch record's table of operations.
    static constexpr std::size_t DispatchSlot = 1956;

    std::size_t blockSize() const override { return BlockSize; }
    std::size_t entryOffset() const override { return 0; }
    long tableCapacity() const override { return 0; }
    const void* const* dispatchTable() const override;
    std::vector<std::uint8_t> buildTemplate() const override;
    void write(std::uint8_t* block, const std::vector<std::uint8_t>& codeTemplate,
               const BlockSetup& setup) const override;
    void setPrevious(std::uint8_t* block, LONG_PTR previous) const override;
    void publish(std::uint8_t* block, When when, const std::vector<long>& table, long count) const override;
    void release(const SubclassRecord& record) const override;
};

const HexTemplateBlock& hexTemplateBlock();

// The template's bytes, decoded from its hexadecimal text.
std::array<std::uint8_t, HexTemplateBlock::BlockSize> decodeHookTemplate();

} // namespace hook
