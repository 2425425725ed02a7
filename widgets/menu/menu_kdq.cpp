#include "widgets/menu/menu_kdq.h"

#include "platform/core/constants.h"
#include "platform/core/event_log.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/forms/layout.h"
#include "platform/forms/screen.h"
#include "platform/forms/std_font.h"
#include "platform/forms/surface.h"
#include "widgets/label/about_box.h"
#include "widgets/menu/menu_engine.h"

namespace widgets {

namespace {

constexpr std::int32_t kNewFontHeight = 16;
constexpr wchar_t kNewFontName[] = L"Tahoma";
// The control keeps this size on its form whatever it is given.
constexpr int kSideTwips = 840;

modProcess::Settings& engine() {
    return modProcess::settings();
}

} // namespace

void Menu_KDQ::registerType() {
    forms::registerControlType<Menu_KDQ>(L"Menu_KDQ");
}

const forms::PropertyTable<Menu_KDQ>& Menu_KDQ::properties() {
    static const forms::PropertyTable<Menu_KDQ> table = makeProperties();
    return table;
}

// The rows live in the engine's settings; a new control leaves TiengViet as the engine has it.
forms::PropertyTable<Menu_KDQ> Menu_KDQ::makeProperties() {
    using M = Menu_KDQ;
    using forms::OnChange;
    auto tiengViet = forms::field<M, bool>(
        L"TiengViet", [](M&) -> bool& { return engine().TiengViet; }, true, OnChange::None);
    tiengViet.initial = [](M&) { return core::Variant(engine().TiengViet); };
    return forms::PropertyTable<M>{
        tiengViet,
        forms::field<M, std::wstring>(
            L"FontName.FontName", [](M&) -> std::wstring& { return engine().font.name; }, kNewFontName,
            OnChange::None),
        forms::field<M, std::int32_t>(
            L"FontHeight", [](M&) -> std::int32_t& { return engine().font.height; }, kNewFontHeight,
            OnChange::None),
    };
}

void Menu_KDQ::UserControl_Initialize() {
    properties().init(*this);
}

bool Menu_KDQ::TiengViet() const {
    return engine().TiengViet;
}

std::int32_t Menu_KDQ::FontHeight() const {
    return engine().font.height;
}

std::shared_ptr<forms::StdFont> Menu_KDQ::FontName() {
    auto font = surface().Font();
    font->setName(engine().font.name);
    return font;
}

void Menu_KDQ::setFontName(std::shared_ptr<forms::StdFont> value) {
    if (!value) throw core::RuntimeError(core::err::InvalidPropertyValue);
    surface().setFont(value);
    engine().font.name = value->Name();
    PropertyChanged(L"FontName");
}

void Menu_KDQ::Setup(HWND hWnd) {
    modProcess::Setup(surface().hDC(), hWnd);
}

void Menu_KDQ::Refresh() {
    modProcess::RefreshMenus(modProcess::OwnerWnd());
}

void Menu_KDQ::About() {
    core::bestEffort(L"menu about box", [] { fAbout::showModal(); });
}

void Menu_KDQ::UserControl_Resize() {
    forms::ControlHost* host = Container();
    const bool pixels = host && host->hostScaleMode() == core::scale::Pixels;
    const int side = pixels ? forms::Screen::twipsToPixelsX(kSideTwips) : kSideTwips;
    if (Width() != side || Height() != side) Move(Left(), Top(), side, side);
}

void Menu_KDQ::UserControl_Terminate() {
    modProcess::UnhookMenus(modProcess::OwnerWnd());
}

} // namespace widgets
