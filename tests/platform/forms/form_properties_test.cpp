// A form's stored properties go through its property table.
#include "forms_test_support.h"
#include "support/property_cases.h"

#include "platform/core/runtime_error.h"
#include "platform/core/text.h"
#include "platform/core/variant.h"
#include "platform/forms/property_table.h"
#include "platform/forms/std_font.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

using F = Form;
// A value away from the default for every row, and the setter that takes it.
const std::vector<testsupport::PropertyCase<F>>& formCases() {
    static const std::vector<testsupport::PropertyCase<F>> cases{
        {L"Caption", L"Sözlük", [](F& f, const core::Variant& v) { f.setCaption(v.toString()); }},
        {L"BackColor", core::Variant::colour(0xFF),
         [](F& f, const core::Variant& v) { f.setBackColor(v.toColour()); }},
        {L"ForeColor", core::Variant::colour(0xFF00),
         [](F& f, const core::Variant& v) { f.setForeColor(v.toColour()); }},
        {L"Font", core::Variant(StdFont::create(L"Tahoma", 9.75, true)),
         [](F& f, const core::Variant& v) { f.setFont(v.toFont()); }},
        {L"BorderStyle", 1, [](F& f, const core::Variant& v) { f.setBorderStyle(v.toLong()); }},
        {L"ControlBox", false, [](F& f, const core::Variant& v) { f.setControlBox(v.toBoolean()); }},
        {L"MinButton", false, [](F& f, const core::Variant& v) { f.setMinButton(v.toBoolean()); }},
        {L"MaxButton", false, [](F& f, const core::Variant& v) { f.setMaxButton(v.toBoolean()); }},
        {L"ShowInTaskbar", false, [](F& f, const core::Variant& v) { f.setShowInTaskbar(v.toBoolean()); }},
        {L"NoActivate", true, [](F& f, const core::Variant& v) { f.setNoActivate(v.toBoolean()); }},
        {L"TopMost", true, [](F& f, const core::Variant& v) { f.setTopMost(v.toBoolean()); }},
        {L"WindowState", 2, [](F& f, const core::Variant& v) { f.setWindowState(v.toLong()); }},
        {L"KeyPreview", true, [](F& f, const core::Variant& v) { f.setKeyPreview(v.toBoolean()); }},
        {L"MousePointer", 11, [](F& f, const core::Variant& v) { f.setMousePointer(v.toLong()); }},
    };
    return cases;
}

TEST(FormsProperties, EveryRowSurvivesWriteAndReadAndDefaultsAreNotStored) {
    const auto& table = Form::properties();
    F fresh;
    PropertyBag none;
    fresh.writeProperties(none);
    EXPECT_TRUE(none.empty()) << core::toUtf8(testsupport::keysOf(none));
    for (const auto& row : table.rows()) {
        const bool covered = std::any_of(formCases().begin(), formCases().end(),
                                         [&](const auto& c) { return c.key == row.key; });
        EXPECT_TRUE(covered) << core::toUtf8(row.key);
    }
    F from;
    for (const auto& c : formCases()) {
        c.set(from, c.value);
        EXPECT_TRUE(table.row(c.key).get(from) == c.value) << core::toUtf8(c.key);
    }
    PropertyBag bag;
    from.writeProperties(bag);
    EXPECT_EQ(bag.size(), formCases().size());
    F to;
    to.readProperties(bag);
    for (const auto& c : formCases()) EXPECT_TRUE(table.row(c.key).get(to) == c.value) << core::toUtf8(c.key);
    PropertyBag again;
    to.writeProperties(again);
    EXPECT_TRUE(again == bag);
}

TEST(FormsProperties, ALoadedFormTakesStoredValuesOrNoneAtAll) {
    auto form = std::make_shared<formstest::PlainForm>();
    form->load();
    form->readProperties(PropertyBag{{L"Caption", L"Sözlük"}, {L"BorderStyle", 4}});
    wchar_t text[32]{};
    GetWindowTextW(form->hWnd(), text, 32);
    EXPECT_STREQ(text, L"Sözlük");
    EXPECT_TRUE(GetWindowLongW(form->hWnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    // A value the setter refuses is refused here too, and nothing is taken.
    for (const PropertyBag& bad : {PropertyBag{{L"Caption", L"x"}, {L"BorderStyle", 6}},
                                   PropertyBag{{L"Caption", L"x"}, {L"MousePointer", 16}},
                                   PropertyBag{{L"Caption", L"x"}, {L"WindowState", 3}}})
        EXPECT_THROW(form->readProperties(bad), core::RuntimeError);
    try {
        form->readProperties(PropertyBag{{L"ShowInTaskbar", false}});
        ADD_FAILURE() << "ShowInTaskbar taken at run time";
    } catch (const core::RuntimeError& e) {
        EXPECT_EQ(e.number(), core::err::SetNotSupportedAtRuntime);
    }
    EXPECT_EQ(form->Caption(), L"Sözlük");
    form->Unload();
}

} // namespace
