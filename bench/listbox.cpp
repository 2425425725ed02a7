// Fills a list box with 10,000 mixed-script headwords and refreshes it once (the refresh sorts);
// prints the time each step takes.
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/user_control.h"
#include "widgets/list/mc_list_box.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

class BenchForm : public forms::Form {
public:
    BenchForm() {
        setName(L"BenchForm");
        setCaption(L"list box");
        setClientSize(6000, 6000);
    }
};

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    const wchar_t* stems[] = {L"мир",   L"world", L"dünya", L"вода",   L"water", L"su",   L"ışık", L"свет",
                              L"light", L"ağaç",  L"tree",  L"дерево", L"göz",   L"глаз", L"eye",  L"kitap"};
    auto form = std::make_shared<BenchForm>();
    form->Show();
    auto list = forms::placeControl<widgets::McListBox>(*form, L"list", 150, 150, 5000, 5000);
    list->setSortOrder(-1);
    forms::DoEvents();

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10000; ++i)
        list->AddItem(std::wstring(stems[i % 16]) + L" " + std::to_wstring((i * 7919) % 10007));
    const double added = msSince(start);
    const auto refreshStart = std::chrono::steady_clock::now();
    list->Refresh();
    const double refreshed = msSince(refreshStart);

    std::printf("AddItem x 10000: %.1f ms\nRefresh (sort and paint): %.1f ms\ntotal: %.1f ms\n", added,
                refreshed, added + refreshed);
    std::printf("items: %ld, rows shown: %ld\n", list->ListCount(), list->visibleRowCount());
    list.reset();
    form->Unload();
    return 0;
}
