#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// What a test saw happen, in order: events raised by a control, calls a handler received. Entries
// are plain text ("SelChange", "MouseDown 1 0 5 7"); text() joins them with ", ".
class EventLog {
public:
    void add(std::wstring entry) { entries_.push_back(std::move(entry)); }
    // A handler that adds a fixed entry, for events without arguments.
    auto recorder(std::wstring entry) {
        return [this, entry = std::move(entry)] { add(entry); };
    }
    void clear() { entries_.clear(); }
    bool empty() const { return entries_.empty(); }
    size_t size() const { return entries_.size(); }
    const std::vector<std::wstring>& entries() const { return entries_; }
    size_t count(const std::wstring& entry) const {
        size_t n = 0;
        for (const auto& e : entries_) n += e == entry;
        return n;
    }
    std::wstring text() const {
        std::wstring s;
        for (const auto& e : entries_) s += (s.empty() ? L"" : L", ") + e;
        return s;
    }

private:
    std::vector<std::wstring> entries_;
};

} // namespace testsupport
