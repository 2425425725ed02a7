// Fills a list box with 10,000 mixed-script headwords and refreshes it once (the refresh sorts);
// prints the time each step takes.
#include "platform/forms/do_events.h"
#include "platform/forms/form.h"
#include "platform/forms/user_control.h"
#include "widgets/list_box/mc_list_box.h"

#include "timing.h"

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

} // namespace

int main() {
    const wchar_t* stems[] = {L"мир",   L"world", L"dünya", L"вода",   L"water", L"su",   L"ışık", L"свет",
                              L"light", L"ağaç",  L"tree",  L"дерево", L"göz",   L"глаз", L"eye",  L"kitap"};
    auto form = std::make_shared<BenchForm>();
    form->Show();
    auto list = forms::placeControl<widgets::McListBox>(*form, L"list", 150, 150, 5000, 5000);
    list->setSortOrder(-1);
    forms::DoEvents();

    const double start = bench::now();
    for (int i = 0; i < 10000; ++i)
        list->AddItem(std::wstring(stems[i % 16]) + L" " + std::to_wstring((i * 7919) % 10007));
    const double added = bench::now() - start;
    const double refreshStart = bench::now();
    list->Refresh();
    const double refreshed = bench::now() - refreshStart;

    std::printf("AddItem x 10000: %.1f ms\nRefresh (sort and paint): %.1f ms\ntotal: %.1f ms\n", added,
                refreshed, added + refreshed);
    std::printf("items: %ld, rows shown: %ld\n", list->ListCount(), list->visibleRowCount());
    list.reset();
    form->Unload();
    return 0;
}
