// The look-up: the headword search and the translations of a chosen headword.
#include "app/esas.h"

#include "app/captions.h"
#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/data/connection_string.h"
#include "platform/forms/controls/uni_text_box_ex.h"
#include "platform/forms/functions.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/label/label_kdq.h"
#include "widgets/list_box/mc_list_box.h"

#include <string>
#include <vector>

namespace app {

namespace {

// The hourglass while the dictionary is asked; the arrow again however the operation ends.
class BusyPointer {
public:
    explicit BusyPointer(forms::Form& form) : form_(form) { form_.setMousePointer(core::pointer::Hourglass); }
    ~BusyPointer() {
        core::bestEffort(L"Restoring the pointer", [&] { form_.setMousePointer(core::pointer::Arrow); });
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    forms::Form& form_;
};

} // namespace

// A label is written only when its text changes: a label redraws itself on every write.
void esas::showText(const wchar_t* label, const std::wstring& text) {
    auto& l = control<widgets::Label_KDQ>(label);
    if (l.Text() != text) l.setText(text);
}

template <class Visit>
bool esas::dictionaryQuery(const std::wstring& sql, const data::Deadline& deadline, Origin origin,
                           Visit visit) {
    try {
        OperationScope scope{cn_, rs_};
        cn_.Open(dictionaryConnectionString(databaseFolder_), deadline);
        rs_.Open(sql, cn_, 1, 3, -1);
        while (!rs_.Eof()) {
            visit(rs_.Fields(L"soz").Value().toString());
            rs_.MoveNext();
        }
        return true;
    } catch (const core::RuntimeError& e) {
        lookupRefused(origin, failureText(e, settings_.dil));
        return false;
    }
}

void esas::Search() {
    Search(control<widgets::SComboBox>(L"co").ListIndex(), Origin::Asked);
}

// number is the chooser's ListIndex, read once by the caller. The headword list is cleared, and the
// captions over the lists name the direction, before anything can refuse the search, so a refused one
// leaves no earlier word's headwords under it; the list is drawn only when the handler is done, so a
// search that goes through never shows it empty.
void esas::Search(int number, Origin origin) {
    // The user waits for one deadline in all, however the look-up's time is spent; typing never waits.
    const data::Deadline deadline(origin == Origin::Typing ? 0 : data::busyTimeout());
    typedSearchWaits_ = false;
    const std::wstring typed = control<textbox::UniTextBoxEx>(L"TextBox1").Text();
    const std::wstring word = forms::Trim(forms::LCase(typed));
    const Direction* d = direction(number);
    if (!d) return;
    auto& list = control<widgets::McListBox>(L"list");
    lastDirection_ = number;
    showText(L"dddd", std::to_wstring(number));
    list.Clear();
    showText(L"ya", L"");
    if (forms::Len(typed) < 3 || word.empty()) return;
    showText(L"ddi", d->ddi);
    showText(L"ddd", d->ddd);
    BusyPointer busy(*this);
    if (auto why = dictionaryRefusal(deadline, origin)) return lookupRefused(origin, *why);

    Taken ya;
    std::vector<std::wstring> found;
    const bool ok = dictionaryQuery(L"select soz from soz where soz like '%" +
                                        data::likeKey(searchKey(number, word)) + L"%' ",
                                    deadline, origin, [&](const std::wstring& row) {
                                        if (auto h = searchRow(number, row, word, ya))
                                            found.push_back(std::move(*h));
                                    });
    if (!ok) return;
    for (auto& h : found) list.AddItem(std::move(h));
    list.Refresh();
    control<widgets::McListBox>(L"ul").Refresh();
    showText(L"ya", ya.text());

    core::bestEffort(L"Selecting the searched word", [&] {
        long match = -1;
        for (long i = 0; i < list.ListCount(); ++i)
            if (list.list(i) == word) match = i;
        if (match >= 0) list.setListIndex(match);
    });
}

void esas::headwordChosen() {
    const data::Deadline deadline;
    if (!direction(lastDirection_)) return;
    auto& ul = control<widgets::McListBox>(L"ul");
    const std::wstring h = control<widgets::McListBox>(L"list").Text();
    if (h.empty()) {
        showText(L"ga", L"");
        ul.Clear();
        return;
    }
    showText(L"Label3", h + L":");
    const int number = lastDirection_;
    translationKey_ = translationKey(number, h, translationKey_);
    // As the search clears its list: a refused click leaves no earlier headword's translations.
    ul.Clear();
    showText(L"ga", L"");

    BusyPointer busy(*this);
    if (auto why = dictionaryRefusal(deadline, Origin::Asked)) return lookupRefused(Origin::Asked, *why);
    Taken ga;
    std::vector<std::wstring> found;
    const bool ok = dictionaryQuery(L"select distinct soz from soz where soz like'%" +
                                        data::likeKey(translationKey_) + L"%' ",
                                    deadline, Origin::Asked, [&](const std::wstring& row) {
                                        if (auto t = translationRow(number, row, ga))
                                            found.push_back(std::move(*t));
                                    });
    if (!ok) return;
    for (auto& t : found) ul.AddItem(std::move(t));
    ul.Refresh();
    translationDirection_ = number;
    showText(L"ga", ga.text());
}

} // namespace app
