#include "platform/forms/form_registry.h"

#include "platform/core/event_log.h"
#include "platform/forms/form.h"

#include <algorithm>

namespace forms {

FormRegistry& FormRegistry::get() {
    static auto* registry = new FormRegistry;
    return *registry;
}

void FormRegistry::added(const std::shared_ptr<Form>& form) {
    loaded_.push_back(form);
}

void FormRegistry::removed(const Form* form) {
    std::erase_if(loaded_, [form](const std::weak_ptr<Form>& w) {
        auto f = w.lock();
        return !f || f.get() == form;
    });
    std::erase_if(instances_, [form](const auto& entry) { return entry.second.get() == form; });
    if (auto a = active_.lock(); !a || a.get() == form) active_.reset();
}

std::vector<std::shared_ptr<Form>> FormRegistry::loaded() const {
    std::vector<std::shared_ptr<Form>> out;
    for (const auto& w : loaded_)
        if (auto f = w.lock(); f && f->loaded()) out.push_back(f);
    return out;
}

std::shared_ptr<Form> FormRegistry::instance(const std::type_info& type) const {
    auto it = instances_.find(std::type_index(type));
    return it == instances_.end() ? nullptr : it->second;
}

void FormRegistry::setInstance(const std::type_info& type, std::shared_ptr<Form> form) {
    instances_[std::type_index(type)] = std::move(form);
}

void FormRegistry::keepUnloaded(std::shared_ptr<Form> form) {
    unloaded_.push_back(std::move(form));
}

void FormRegistry::releaseUnloaded() {
    if (core::HandlingMessage::depth() > 0) return;
    // Released outside the list: a form's destructor may unload or keep another.
    std::vector<std::shared_ptr<Form>> gone;
    gone.swap(unloaded_);
}

} // namespace forms
