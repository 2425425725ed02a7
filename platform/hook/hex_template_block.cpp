#include "platform/hook/hex_template_block.h"

#include "platform/hook/exec_memory.h"
#include "platform/hook/exports.h"
#include "platform/hook/retired_blocks.h"

#include <cstring>
#include <string>

namespace hook {

namespace {

// The block, 32-bit x86: frame and two zeroed locals (lReturn at ebp-4, bHandled at ebp-8); a jump
// over the unused run-state probe; before scan; previous procedure unless handled; after scan;
// return lReturn. Stubs follow: restore the procedure, before scan, previous procedure, after scan,
// and the scan itself (repne scasd over the table, then the call through the object's table).
constexpr const char* TemplateText1 =
    "558BEC83EC085731C08945FC8945F8EB0EE80000000083F802742185C07424E830000000837DF800750AE838000000E84D00";
constexpr const char* TemplateText2 =
    "00005F8B45FCC9C21000E826000000EBF168000000006AFCFF7508E800000000EBE083CAFFBF00000000B900000000E82D00";
constexpr const char* TemplateText3 =
    "0000C3FF7514FF7510FF750CFF75086800000000E8000000008945FCC331D2BF00000000B900000000E801000000C385C974";
constexpr const char* TemplateText4 =
    "3078078B450CF2AF75278D4514508D4510508D450C508D4508508D45FC508D45F85052B800000000508B00FF90A4070000C3";

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

void patchLong(std::uint8_t* block, std::size_t offset, std::uint32_t value) {
    std::memcpy(block + offset, &value, sizeof value);
}

void patchCall(std::uint8_t* block, std::size_t offset, std::uintptr_t target) {
    patchLong(block, offset,
              static_cast<std::uint32_t>(target - reinterpret_cast<std::uintptr_t>(block + offset) - 4));
}

std::uint32_t address(const void* p) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
}

} // namespace

std::array<std::uint8_t, HexTemplateBlock::BlockSize> decodeHookTemplate() {
    const std::string text = std::string(TemplateText1) + TemplateText2 + TemplateText3 + TemplateText4;
    std::array<std::uint8_t, HexTemplateBlock::BlockSize> bytes{};
    for (std::size_t i = 0; i < bytes.size() && 2 * i + 1 < text.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(hexDigit(text[2 * i]) * 16 + hexDigit(text[2 * i + 1]));
    return bytes;
}

const HexTemplateBlock& hexTemplateBlock() {
    static const HexTemplateBlock layout;
    return layout;
}

const void* const* HexTemplateBlock::dispatchTable() const {
    return hook::dispatchTable<DispatchSlot>();
}

std::vector<std::uint8_t> HexTemplateBlock::buildTemplate() const {
    const auto bytes = decodeHookTemplate();
    return {bytes.begin(), bytes.end()};
}

void HexTemplateBlock::write(std::uint8_t* block, const std::vector<std::uint8_t>& codeTemplate,
                             const BlockSetup& setup) const {
    std::memcpy(block, codeTemplate.data(), BlockSize);
    // The previous procedure is reached through CallWindowProcW/A by way of a forwarder that knows
    // while the block is running, so that an unhooked block is freed only when unused.
    const auto callPrevious = setup.unicode ? &callPreviousW : &callPreviousA;
    patchCall(block, PatchRunState, 0);
    patchLong(block, PatchPrevProc1, static_cast<std::uint32_t>(setup.previous));
    patchCall(block, PatchSetWindowLong,
              exportAddress("user32", setup.unicode ? "SetWindowLongW" : "SetWindowLongA"));
    patchLong(block, PatchPrevProc2, static_cast<std::uint32_t>(setup.previous));
    patchCall(block, PatchCallWindowProc, reinterpret_cast<std::uintptr_t>(callPrevious));
    patchLong(block, PatchObject, address(setup.dispatch));
}

void HexTemplateBlock::setPrevious(std::uint8_t* block, LONG_PTR previous) const {
    patchLong(block, PatchPrevProc1, static_cast<std::uint32_t>(previous));
    patchLong(block, PatchPrevProc2, static_cast<std::uint32_t>(previous));
}

void HexTemplateBlock::publish(std::uint8_t* block, When when, const std::vector<long>& table,
                               long count) const {
    const bool before = when == When::Before;
    // A table that grew may have moved.
    if (!table.empty()) patchLong(block, before ? PatchBeforeTable : PatchAfterTable, address(table.data()));
    patchLong(block, before ? PatchBeforeCount : PatchAfterCount, static_cast<std::uint32_t>(count));
    flushCode(block, BlockSize);
}

// The block stops dispatching at once; it may still forward a message that is under way, or forward
// for a later subclasser that called it its previous procedure.
void HexTemplateBlock::release(const SubclassRecord& record) const {
    std::uint8_t* block = record.CodeBlock;
    patchLong(block, PatchBeforeCount, 0);
    patchLong(block, PatchAfterCount, 0);
    flushCode(block, BlockSize);
    RetiredBlock retired;
    retired.block = block;
    retired.window = record.WindowHandle;
    retired.previous = record.PrevWndProc;
    retired.unicode = record.Unicode;
    retireFromWindow(retired);
}

} // namespace hook
