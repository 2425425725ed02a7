// The look-up: the headword search and the translations of a chosen headword.
#include "app/esas.h"

#include "app/captions.h"
#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/data/connection_string.h"
#include "platform/data/errors.h"
#include "platform/forms/controls/uni_text_box_ex.h"
#include "platform/forms/functions.h"
#include "platform/forms/message_loop.h"
#include "platform/forms/wait_pointer.h"
#include "widgets/combo_box/s_combo_box.h"
#include "widgets/label/label_kdq.h"
#include "widgets/list_box/mc_list_box.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace app {

namespace {

// The soz field of every row a query gives, on a connection of its own.
std::vector<std::wstring> queryRows(const std::wstring& connection, const std::wstring& sql,
                                    const data::Deadline& deadline) {
    data::Connection cn;
    data::Recordset rs;
    OperationScope scope{cn, rs};
    cn.Open(connection, deadline);
    rs.Open(sql, cn, 1, 3, -1);
    std::vector<std::wstring> rows;
    while (!rs.Eof()) {
        rows.push_back(rs.Fields(L"soz").Value().toString());
        rs.MoveNext();
    }
    return rows;
}

// A query that waits for another program's hold on the dictionary runs on a thread of its own, so
// that the window goes on meanwhile. The thread keeps what it shares with the window alive, and
// wakes the window when it is done.
struct Answer {
    std::vector<std::wstring> rows;
    std::exception_ptr failure;
    std::atomic<bool> done{false};
};

std::shared_ptr<Answer> queryAside(HWND window, const std::wstring& connection, const std::wstring& sql,
                                   const data::Deadline& deadline) {
    auto answer = std::make_shared<Answer>();
    std::thread([=] {
        try {
            answer->rows = queryRows(connection, sql, deadline);
        } catch (...) {
            answer->failure = std::current_exception();
        }
        answer->done = true;
        PostMessageW(window, WM_NULL, 0, 0);
    }).detach();
    return answer;
}

} // namespace

// A label is written only when its text changes: a label redraws itself on every write.
void esas::showText(const wchar_t* label, const std::wstring& text) {
    auto& l = control<widgets::Label_KDQ>(label);
    if (l.Text() != text) l.setText(text);
}

// While an asked look-up waits, the window goes on drawing, shows the wait pointer, and the search box
// has the keyboard and takes the keys typed meanwhile (a look-up those keys would start waits for this
// one's end). The keyboard moves to the box from the control that started the look-up (the search
// button, a headword), with the keys already on their way to it, so no letter goes to a button where
// it would be lost, or a Space click it again. Nothing else is handled meanwhile: a click stays in the
// queue until the look-up is over, so nothing the user does can change what the look-up works on.
void esas::waitAnswering(const std::function<bool()>& done) {
    if (done()) return;
    auto& box = control<textbox::UniTextBoxEx>(L"TextBox1");
    const HWND edit = box.editWindow();
    HWND before = GetFocus();
    if (before && before != edit && GetAncestor(before, GA_ROOT) == hWnd())
        box.SetFocus();
    else
        before = nullptr;
    forms::refreshPointer(hWnd());
    while (!done()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG m;
        // Those on their way to the control that had the keyboard came first.
        while (before && PeekMessageW(&m, before, WM_KEYDOWN, WM_DEADCHAR, PM_REMOVE)) {
            m.hwnd = edit;
            forms::MessageLoop::process(m);
        }
        while (PeekMessageW(&m, edit, WM_KEYDOWN, WM_DEADCHAR, PM_REMOVE)) forms::MessageLoop::process(m);
        for (UINT only : {UINT(WM_PAINT), UINT(WM_MOUSEMOVE), UINT(WM_NCMOUSEMOVE)})
            while (PeekMessageW(&m, nullptr, only, only, PM_REMOVE)) DispatchMessageW(&m);
    }
}

// The dictionary is first asked at once. Only when another program holds it does an asked look-up
// wait, within its one deadline, on a thread of its own.
std::optional<esas::Refusal> esas::lookUp(const std::wstring& sql, Origin origin,
                                          std::vector<std::wstring>& rows) {
    const data::Deadline deadline = lookUpDeadline(origin);
    lookingUp_ = origin == Origin::Asked;
    // However the look-up ends, the pointer is again that of whatever it stands over.
    struct Done {
        esas& w;
        ~Done() {
            if (!std::exchange(w.lookingUp_, false)) return;
            core::bestEffort(L"Restoring the pointer", [&] { forms::refreshPointer(w.hWnd()); });
            if (w.typedSearchWaits_) PostMessageW(w.hWnd(), kLookUpTypedWord, 0, 0);
        }
    } done{*this};
    if (auto why = dictionaryRefusal(deadline, origin)) return Refusal{*why};
    const std::wstring connection = dictionaryConnectionString(databaseFolder_);
    try {
        rows = queryRows(connection, sql, data::Deadline(0));
        return std::nullopt;
    } catch (const core::RuntimeError& e) {
        const bool locked = e.number() == data::err::Locked;
        if (!locked || origin == Origin::Typing || deadline.passed())
            return Refusal{failureText(e, settings_.dil), locked};
    }
    const auto answer = queryAside(hWnd(), connection, sql, deadline);
    waitAnswering([&] { return answer->done.load(); });
    try {
        if (answer->failure) std::rethrow_exception(answer->failure);
    } catch (const core::RuntimeError& e) {
        return Refusal{failureText(e, settings_.dil), e.number() == data::err::Locked};
    }
    rows = std::move(answer->rows);
    return std::nullopt;
}

void esas::Search() {
    Search(control<widgets::SComboBox>(L"co").ListIndex(), Origin::Asked);
}

// number is the chooser's ListIndex, read once by the caller. The headword list is cleared, and the
// captions over the lists name the direction, before anything can refuse the search, so a refused one
// leaves no earlier word's headwords under it; the list is drawn only when the handler is done, so a
// search that goes through never shows it empty.
void esas::Search(int number, Origin origin) {
    // An asked look-up waits: a typed word is looked up once it has ended.
    if (lookingUp_) {
        typedSearchWaits_ = typedSearchWaits_ || origin == Origin::Typing;
        return;
    }
    typedSearchWaits_ = false;
    stopTypedRetry();
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
    // The translations of another direction would stand under this one's language names.
    if (number != translationDirection_) {
        clearTranslations();
        showText(L"Label3", L"");
    }

    std::vector<std::wstring> rows;
    if (auto refused =
            lookUp(L"select soz from soz where soz like '%" + data::likeKey(searchKey(number, word)) + L"%' ",
                   origin, rows)) {
        if (refused->locked && origin == Origin::Typing) retryTypedLater(typed, number);
        return lookupRefused(origin, refused->why);
    }
    Taken ya;
    for (const auto& row : rows)
        if (auto h = searchRow(number, row, word, ya)) list.AddItem(std::move(*h));
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

// A typed word that another program's lock kept from the dictionary is tried again, silently, until it
// goes through or the search box holds something else. Each try gives up at once on the lock, as
// typing does, so the window never waits for it.
void esas::retryTypedLater(const std::wstring& typed, int direction) {
    typedRetry_ = TypedRetry{typed, direction};
    SetTimer(hWnd(), kTypedRetryTimer, kTypedRetryPeriod, nullptr);
}

void esas::stopTypedRetry() {
    if (std::exchange(typedRetry_, std::nullopt)) KillTimer(hWnd(), kTypedRetryTimer);
}

void esas::typedRetryTick() {
    // An asked look-up waits for the dictionary: the word is tried after it.
    if (lookingUp_) return;
    const std::optional<TypedRetry> retry = typedRetry_;
    stopTypedRetry();
    if (!retry || control<textbox::UniTextBoxEx>(L"TextBox1").Text() != retry->text ||
        !automaticSearchApplies())
        return;
    Search(retry->direction, Origin::Typing);
}

void esas::clearTranslations() {
    control<widgets::McListBox>(L"ul").Clear();
    showText(L"ga", L"");
    translationDirection_ = 0;
}

void esas::headwordChosen() {
    if (lookingUp_ || !direction(lastDirection_)) return;
    auto& ul = control<widgets::McListBox>(L"ul");
    const std::wstring h = control<widgets::McListBox>(L"list").Text();
    if (h.empty()) return clearTranslations();
    showText(L"Label3", h + L":");
    const int number = lastDirection_;
    translationKey_ = translationKey(number, h, translationKey_);
    // As the search clears its list: a refused click leaves no earlier headword's translations.
    clearTranslations();

    std::vector<std::wstring> rows;
    if (auto refused =
            lookUp(L"select distinct soz from soz where soz like'%" + data::likeKey(translationKey_) + L"%' ",
                   Origin::Asked, rows))
        return lookupRefused(Origin::Asked, refused->why);
    Taken ga;
    for (const auto& row : rows)
        if (auto t = translationRow(number, row, ga)) ul.AddItem(std::move(*t));
    ul.Refresh();
    translationDirection_ = number;
    showText(L"ga", ga.text());
}

} // namespace app
