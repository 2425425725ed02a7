#include "platform/hook/hook_engine.h"

#include "platform/hook/exec_memory.h"
#include "platform/hook/retired_blocks.h"
#include "platform/hook/window_procedure.h"

namespace hook {

bool SubclassRecord::carries(long message, When when) const {
    const long n = count(when);
    if (n == ALL_MESSAGES) return true;
    const std::vector<long>& slots = table(when);
    for (long i = 0; i < n && i < static_cast<long>(slots.size()); ++i)
        if (slots[static_cast<std::size_t>(i)] == message) return true;
    return false;
}

HookEngine::HookEngine(const BlockLayout& layout, HookClient* client)
    : layout_(layout), dispatch_{layout.dispatchTable(), client} {}

HookEngine::~HookEngine() {
    unhookAll();
}

HookFailure HookEngine::checkWindow(HWND window) {
    if (!IsWindow(window)) return HookFailure::NotAWindow;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId() ? HookFailure::None : HookFailure::OtherProcess;
}

bool HookEngine::start() {
    if (started()) return true;
    template_ = layout_.buildTemplate();
    if (template_.empty()) return false;
    records_.assign(1, SubclassRecord{});
    return true;
}

void HookEngine::forgetStart() {
    template_.clear();
    records_.clear();
}

std::size_t HookEngine::freeRecord() {
    for (std::size_t i = records_.size(); i-- > 0;)
        if (!records_[i].WindowHandle) return i;
    records_.emplace_back();
    return records_.size() - 1;
}

HookEngine::Hooked HookEngine::hook(HWND window, HookClient* client, long userValue) {
    Hooked out;
    // Blocks that waited for their last message to finish go now, when nothing of ours runs them.
    releaseRetiredBlocks();
    out.failure = checkWindow(window);
    if (out.failure != HookFailure::None) return out;
    if (!start()) {
        out.failure = HookFailure::NoTemplate;
        return out;
    }

    const bool unicode = IsWindowUnicode(window) != FALSE;
    const LONG_PTR previous = windowProcedure(window, unicode);
    if (previous == 0) {
        out.failure = HookFailure::NotInstalled;
        out.error = GetLastError();
        return out;
    }
    const std::size_t size = layout_.blockSize();
    auto* block = static_cast<std::uint8_t*>(allocExecutable(size));
    if (!block) {
        out.failure = HookFailure::NoMemory;
        out.error = GetLastError();
        return out;
    }

    // The block is complete before it is installed, so no message finds it half written.
    BlockSetup setup;
    setup.window = window;
    setup.previous = previous;
    setup.unicode = unicode;
    setup.client = client ? client : dispatch_.client;
    setup.dispatch = &dispatch_;
    setup.userValue = userValue;
    layout_.write(block, template_, setup);
    flushCode(block, size);

    SetLastError(0);
    const LONG_PTR was =
        setWindowProcedure(window, unicode, reinterpret_cast<LONG_PTR>(block + layout_.entryOffset()));
    if (was == 0) {
        out.failure = HookFailure::NotInstalled;
        out.error = GetLastError();
        freeExecutable(block);
        return out;
    }
    trackBlock(block, size);
    if (was != previous) {
        layout_.setPrevious(block, was);
        flushCode(block, size);
    }

    out.index = static_cast<long>(freeRecord());
    SubclassRecord& record = records_[static_cast<std::size_t>(out.index)];
    record = SubclassRecord{};
    record.WindowHandle = window;
    record.CodeBlock = block;
    record.PrevWndProc = was;
    record.Unicode = unicode;
    return out;
}

SubclassRecord* HookEngine::recordOf(HWND window) {
    if (!window) return nullptr;
    for (std::size_t i = records_.size(); i-- > 0;)
        if (records_[i].WindowHandle == window) return &records_[i];
    return nullptr;
}

const SubclassRecord* HookEngine::recordOf(HWND window) const {
    return const_cast<HookEngine*>(this)->recordOf(window);
}

void HookEngine::unhook(SubclassRecord& record) {
    if (!record.WindowHandle) return;
    layout_.release(record);
    record = SubclassRecord{};
}

void HookEngine::unhookAll() {
    for (std::size_t i = records_.size(); i-- > 0;)
        if (i < records_.size() && records_[i].WindowHandle) unhook(records_[i]);
}

bool HookEngine::addMessage(SubclassRecord& record, long message, When when) {
    long& count = record.count(when);
    std::vector<long>& table = record.table(when);
    const long capacity = layout_.tableCapacity();
    if (message == ALL_MESSAGES) {
        count = ALL_MESSAGES;
    } else if (count < 0) {
        return true; // every message reaches the client already
    } else if (capacity > 0 && count >= capacity) {
        return false; // the count decides, so a full table whose slots were freed stays full
    } else {
        bool placed = false;
        for (long i = 0; i < count && !placed; ++i) {
            long& slot = table[static_cast<std::size_t>(i)];
            if (slot == 0) slot = message;
            placed = slot == message;
        }
        if (!placed) {
            ++count;
            table.resize(static_cast<std::size_t>(count));
            table.back() = message;
        }
    }
    publish(record, when);
    return true;
}

bool HookEngine::deleteMessage(SubclassRecord& record, long message, When when) {
    long& count = record.count(when);
    std::vector<long>& table = record.table(when);
    bool found = message == ALL_MESSAGES;
    if (found) {
        count = 0;
    } else {
        for (long i = 0; i < count && !found; ++i) {
            long& slot = table[static_cast<std::size_t>(i)];
            found = slot == message;
            if (found) slot = 0;
        }
    }
    if (found) publish(record, when);
    return found;
}

void HookEngine::publish(SubclassRecord& record, When when) {
    layout_.publish(record.CodeBlock, when, record.table(when), record.count(when));
}

} // namespace hook
