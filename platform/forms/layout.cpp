#include "platform/forms/layout.h"

#include "platform/core/runtime_error.h"
#include "platform/forms/controls/intrinsic.h"

#include <map>

namespace forms {

namespace {

struct Registry {
    std::map<std::wstring, ControlTypes::Factory> factories;
};

Registry& registry() {
    static Registry r;
    static bool intrinsic = false;
    if (!intrinsic) {
        intrinsic = true;
        registerIntrinsicControls();
    }
    return r;
}

} // namespace

std::wstring controlKey(const std::wstring& name, int index) {
    return index < 0 ? name : name + L"(" + std::to_wstring(index) + L")";
}

void ControlTypes::add(const std::wstring& type, Factory factory) {
    registry().factories[type] = std::move(factory);
}

bool ControlTypes::known(const std::wstring& type) {
    return registry().factories.count(type) != 0;
}

std::shared_ptr<UserControl> ControlTypes::create(const std::wstring& type) {
    auto& r = registry();
    auto it = r.factories.find(type);
    if (it == r.factories.end())
        throw core::RuntimeError(core::err::TypeMismatch, L"Unknown control type: " + type);
    std::shared_ptr<UserControl> c = it->second();
    c->typeName_ = type;
    return c;
}

std::wstring ControlTypes::typeOf(const UserControl& control) {
    return control.typeName_;
}

} // namespace forms
