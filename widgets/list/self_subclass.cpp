#include "widgets/list/self_subclass.h"

#include "platform/hook/exports.h"

#include "platform/hook/exec_memory.h"
#include "platform/hook/retired_blocks.h"

#include <cstring>
#include <string>

namespace widgets {

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

LONG_PTR windowProc(HWND window, bool unicode) {
    return unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

LONG_PTR setWindowProc(HWND window, bool unicode, LONG_PTR proc) {
    return unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                   : SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
}

} // namespace

std::array<std::uint8_t, SelfSubclass::BlockSize> decodeHookTemplate() {
    const std::string text = std::string(TemplateText1) + TemplateText2 + TemplateText3 + TemplateText4;
    std::array<std::uint8_t, SelfSubclass::BlockSize> bytes{};
    for (std::size_t i = 0; i < bytes.size() && 2 * i + 1 < text.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(hexDigit(text[2 * i]) * 16 + hexDigit(text[2 * i + 1]));
    return bytes;
}

SelfSubclass::SelfSubclass(hook::HookClient& client)
    : dispatch_{hook::dispatchTable<DispatchSlot>(), &client} {}

SelfSubclass::~SelfSubclass() {
    sc_UnSubclassAll();
}

std::uintptr_t SelfSubclass::procAddress(const char* module, const char* function) {
    HMODULE handle = GetModuleHandleA(module);
    if (!handle) return 0;
    return reinterpret_cast<std::uintptr_t>(GetProcAddress(handle, function));
}

void SelfSubclass::patchLong(std::uint8_t* block, std::size_t offset, std::uint32_t value) {
    std::memcpy(block + offset, &value, sizeof value);
}

void SelfSubclass::patchCall(std::uint8_t* block, std::size_t offset, std::uintptr_t target) {
    patchLong(block, offset,
              static_cast<std::uint32_t>(target - reinterpret_cast<std::uintptr_t>(block + offset) - 4));
}

long SelfSubclass::findRecord(HWND window, bool free) const {
    for (long i = static_cast<long>(records_.size()) - 1; i >= 0; --i) {
        const HWND held = records_[static_cast<std::size_t>(i)].WindowHandle;
        if (free ? held == nullptr : held == window) return i;
    }
    return -1;
}

long SelfSubclass::sc_Subclass(HWND window) {
    long index;
    if (template_[0] == 0) {
        template_ = decodeHookTemplate();
        // The previous procedure is reached through CallWindowProcW/A by way of a forwarder that
        // knows while the block is running, so that an unhooked block is freed only when unused.
        callWindowProcA_ = reinterpret_cast<std::uintptr_t>(&hook::callPreviousA);
        callWindowProcW_ = reinterpret_cast<std::uintptr_t>(&hook::callPreviousW);
        setWindowLongA_ = procAddress("user32", "SetWindowLongA");
        setWindowLongW_ = procAddress("user32", "SetWindowLongW");
        records_.assign(1, SubclassRecord{});
        index = 0;
    } else {
        index = findRecord(window, true);
        if (index == -1) {
            records_.emplace_back();
            index = static_cast<long>(records_.size()) - 1;
        }
    }
    if (!IsWindow(window)) return -1;

    // A Unicode window keeps the W functions, or its text would be squeezed through the code page.
    const bool unicode = IsWindowUnicode(window) != FALSE;
    const LONG_PTR previous = windowProc(window, unicode);
    if (previous == 0) return -1;
    auto* block = static_cast<std::uint8_t*>(hook::allocExecutable(BlockSize));
    if (!block) return -1;

    // The block is complete before it is installed, so no message can find it half patched.
    std::memcpy(block, template_.data(), BlockSize);
    patchCall(block, PatchRunState, 0);
    patchLong(block, PatchPrevProc1, static_cast<std::uint32_t>(previous));
    patchCall(block, PatchSetWindowLong, unicode ? setWindowLongW_ : setWindowLongA_);
    patchLong(block, PatchPrevProc2, static_cast<std::uint32_t>(previous));
    patchCall(block, PatchCallWindowProc, unicode ? callWindowProcW_ : callWindowProcA_);
    patchLong(block, PatchObject, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&dispatch_)));
    hook::flushCode(block, BlockSize);

    const LONG_PTR was = setWindowProc(window, unicode, reinterpret_cast<LONG_PTR>(block));
    if (was == 0) {
        hook::freeExecutable(block);
        return -1;
    }
    hook::trackBlock(block, BlockSize);
    if (was != previous) {
        patchLong(block, PatchPrevProc1, static_cast<std::uint32_t>(was));
        patchLong(block, PatchPrevProc2, static_cast<std::uint32_t>(was));
        hook::flushCode(block, BlockSize);
    }

    SubclassRecord& record = records_[static_cast<std::size_t>(index)];
    record = SubclassRecord{};
    record.WindowHandle = window;
    record.CodeBlock = block;
    record.PrevWndProc = was;
    record.Unicode = unicode;
    return index;
}

void SelfSubclass::sc_UnSubclass(HWND window) {
    SubclassRecord* found = recordOf(window);
    if (!found) return;
    SubclassRecord& record = *found;
    std::uint8_t* block = record.CodeBlock;

    // The block stops dispatching at once; it may still forward a message that is under way, or
    // forward for a later subclasser that called it its previous procedure.
    patchLong(block, PatchBeforeCount, 0);
    patchLong(block, PatchAfterCount, 0);
    hook::flushCode(block, BlockSize);

    hook::RetiredBlock retired;
    retired.block = block;
    retired.window = window;
    retired.previous = record.PrevWndProc;
    retired.unicode = record.Unicode;
    if (IsWindow(window)) {
        if (windowProc(window, record.Unicode) == reinterpret_cast<LONG_PTR>(block))
            setWindowProc(window, record.Unicode, record.PrevWndProc);
        else
            retired.chained = true;
    }

    record = SubclassRecord{};
    hook::retireBlock(retired);
}

void SelfSubclass::sc_UnSubclassAll() {
    for (long i = static_cast<long>(records_.size()) - 1; i >= 0; --i) {
        if (static_cast<std::size_t>(i) >= records_.size()) continue;
        const HWND window = records_[static_cast<std::size_t>(i)].WindowHandle;
        if (window) sc_UnSubclass(window);
    }
}

void SelfSubclass::sc_AddMsg(HWND window, long message, long when) {
    changeTables(window, message, when, &SelfSubclass::addMessage);
}

void SelfSubclass::sc_DelMsg(HWND window, long message, long when) {
    changeTables(window, message, when, &SelfSubclass::deleteMessage);
}

// The before table first, then the after table, as the when-flags ask.
void SelfSubclass::changeTables(HWND window, long message, long when, TableChange change) {
    SubclassRecord* record = recordOf(window);
    if (!record) return;
    if (when & HookBefore)
        (this->*change)(message, record->BeforeTable, record->BeforeCount, HookBefore, record->CodeBlock);
    if (when & HookAfter)
        (this->*change)(message, record->AfterTable, record->AfterCount, HookAfter, record->CodeBlock);
}

SelfSubclass::SubclassRecord* SelfSubclass::recordOf(HWND window) {
    const long index = window ? findRecord(window, false) : -1;
    return index < 0 ? nullptr : &records_[static_cast<std::size_t>(index)];
}

const SelfSubclass::SubclassRecord* SelfSubclass::recordOf(HWND window) const {
    return const_cast<SelfSubclass*>(this)->recordOf(window);
}

bool SelfSubclass::carries(HWND window, long message, long when) const {
    const SubclassRecord* found = recordOf(window);
    if (!found) return false;
    const SubclassRecord& record = *found;
    const auto inTable = [message](const std::vector<long>& table, long count) {
        if (count == ALL_MESSAGES) return true;
        for (long i = 0; i < count && i < static_cast<long>(table.size()); ++i)
            if (table[static_cast<std::size_t>(i)] == message) return true;
        return false;
    };
    return ((when & HookBefore) && inTable(record.BeforeTable, record.BeforeCount)) ||
           ((when & HookAfter) && inTable(record.AfterTable, record.AfterCount));
}

void SelfSubclass::addMessage(long message, std::vector<long>& table, long& count, long when,
                              std::uint8_t* block) {
    if (message == ALL_MESSAGES) {
        count = ALL_MESSAGES;
    } else {
        // Every message already reaches the callback.
        if (count == ALL_MESSAGES) return;
        for (long i = 0; i < count; ++i) {
            long& slot = table[static_cast<std::size_t>(i)];
            if (slot == message) return;
            if (slot == 0) {
                slot = message;
                return;
            }
        }
        ++count;
        table.resize(static_cast<std::size_t>(count));
        table.back() = message;
    }
    const std::size_t addressField = when == HookBefore ? PatchBeforeTable : PatchAfterTable;
    const std::size_t countField = when == HookBefore ? PatchBeforeCount : PatchAfterCount;
    // The table may have moved when it grew.
    if (message != ALL_MESSAGES)
        patchLong(block, addressField,
                  static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(table.data())));
    patchLong(block, countField, static_cast<std::uint32_t>(count));
    hook::flushCode(block, BlockSize);
}

void SelfSubclass::deleteMessage(long message, std::vector<long>& table, long& count, long when,
                                 std::uint8_t* block) {
    if (message == ALL_MESSAGES) {
        count = 0;
        patchLong(block, when == HookBefore ? PatchBeforeCount : PatchAfterCount, 0);
        hook::flushCode(block, BlockSize);
        return;
    }
    for (long i = 0; i < count; ++i) {
        long& slot = table[static_cast<std::size_t>(i)];
        if (slot == message) {
            slot = 0;
            return;
        }
    }
}

bool SelfSubclass::startTracking() {
    TrackInUser32 = hook::IsFunctionExported("TrackMouseEvent", "User32");
    TrackAvailable = TrackInUser32 || hook::IsFunctionExported("_TrackMouseEvent", "Comctl32");
    return TrackAvailable;
}

void SelfSubclass::TrackMouseLeave(HWND window) const {
    if (TrackAvailable) hook::TrackMouseLeave(window, TrackInUser32);
}

} // namespace widgets
