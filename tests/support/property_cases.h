#pragma once

// Persistence cases derived from a control's property table: a new control writes only the rows
// that start away from their stored default, every row survives a write and a read, and each setter
// records its key. A test gives one value per row (away from the row's stored default) and the
// public setter that takes it.

#include "platform/core/text.h"
#include "platform/core/variant.h"
#include "platform/forms/property_bag.h"
#include "platform/forms/property_table.h"
#include "platform/forms/user_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

template <class C>
struct PropertyCase {
    std::wstring key;
    core::Variant value;
    // The public setter (null for a property that is set only at design time, through the bag).
    std::function<void(C&, const core::Variant&)> set;
};

// The keys a bag holds, in order, joined by ", ".
inline std::wstring keysOf(const forms::PropertyBag& bag) {
    std::wstring s;
    for (const auto& [key, value] : bag.entries()) s += (s.empty() ? L"" : L", ") + key;
    return s;
}

template <class C>
std::shared_ptr<C> placedControl(forms::ControlHost& host, const std::wstring& name) {
    auto c = forms::makeControl<C>();
    c->place(host, name, -1, 0, 0, 1200, 600);
    return c;
}

// A new control on the host writes exactly the rows whose start value differs from their stored
// default (and keys outside the table only when listed as extra).
template <class C>
void expectNewControlWritesOnlyStartValues(forms::ControlHost& host, const forms::PropertyTable<C>& table,
                                           const std::vector<std::wstring>& extra = {}) {
    auto c = placedControl<C>(host, L"fresh");
    c->initNew();
    forms::PropertyBag bag;
    c->save(bag);
    std::wstring expected;
    for (const auto& row : table.rows())
        if (!(row.initial(*c) == row.storedDefault(*c)))
            expected += (expected.empty() ? L"" : L", ") + row.key;
    for (const auto& key : extra) expected += (expected.empty() ? L"" : L", ") + key;
    EXPECT_EQ(core::toUtf8(keysOf(bag)), core::toUtf8(expected)) << "what a new control writes";
    // A stored control that holds nothing reads every row as its stored default (as a write stores it).
    auto stored = placedControl<C>(host, L"empty");
    forms::PropertyBag empty;
    stored->readStored(empty);
    for (const auto& row : table.rows())
        EXPECT_TRUE(row.get(*stored) == row.taken(*stored, row.storedDefault(*stored)))
            << core::toUtf8(row.key) << " read from nothing";
}

// Every row has a case; each value, set through the setter, is recorded as a change of its key, is
// written, and reads back the same into a second control, which writes the same bag again.
template <class C>
void expectRowsSurviveWriteAndRead(forms::ControlHost& host, const forms::PropertyTable<C>& table,
                                   const std::vector<PropertyCase<C>>& cases) {
    for (const auto& row : table.rows()) {
        const bool covered =
            std::any_of(cases.begin(), cases.end(), [&](const auto& pc) { return pc.key == row.key; });
        EXPECT_TRUE(covered) << "no case for the row " << core::toUtf8(row.key);
    }
    auto from = placedControl<C>(host, L"from");
    from->initNew();
    forms::PropertyBag design;
    for (const auto& pc : cases) {
        const auto& row = table.row(pc.key);
        EXPECT_FALSE(pc.value == row.storedDefault(*from))
            << core::toUtf8(pc.key) << ": the case's value is the default";
        if (!pc.set) {
            design.WriteProperty(pc.key, pc.value);
            continue;
        }
        pc.set(*from, pc.value);
        const auto& changed = from->changedProperties();
        EXPECT_TRUE(!changed.empty() && changed.back() == pc.key)
            << core::toUtf8(pc.key) << " not recorded as changed";
        EXPECT_TRUE(row.get(*from) == pc.value) << core::toUtf8(pc.key) << " does not hold what was set";
    }
    if (!design.empty()) {
        // Design-time values reach the first control through a stored form.
        forms::PropertyBag first;
        from->save(first);
        for (const auto& [key, value] : design.entries()) first.WriteProperty(key, value);
        from = placedControl<C>(host, L"fromStored");
        from->readStored(first);
    }
    forms::PropertyBag bag;
    from->save(bag);
    auto to = placedControl<C>(host, L"to");
    forms::PropertyBag copy = bag;
    to->readStored(copy);
    for (const auto& pc : cases) {
        EXPECT_TRUE(bag.contains(pc.key)) << core::toUtf8(pc.key) << " not written";
        EXPECT_TRUE(table.row(pc.key).get(*to) == pc.value) << core::toUtf8(pc.key) << " not read back";
    }
    forms::PropertyBag again;
    to->save(again);
    EXPECT_TRUE(again == bag) << "written again: " << core::toUtf8(keysOf(again))
                              << "; first: " << core::toUtf8(keysOf(bag));
}

} // namespace testsupport
