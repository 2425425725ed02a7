#pragma once

#include <map>
#include <memory>
#include <typeindex>
#include <typeinfo>
#include <vector>

namespace forms {

class Form;

// The program's forms: those loaded (in load order), the global instance of each form class, the
// active form, and unloaded forms kept until the outermost message is done. One per process; it
// lives as long as the process, so forms still held at exit never meet it destroyed.
class FormRegistry {
public:
    static FormRegistry& get();

    void added(const std::shared_ptr<Form>& form);
    // The form is no longer loaded, active or the instance of its class.
    void removed(const Form* form);
    std::vector<std::shared_ptr<Form>> loaded() const;

    std::shared_ptr<Form> instance(const std::type_info& type) const;
    void setInstance(const std::type_info& type, std::shared_ptr<Form> form);

    std::shared_ptr<Form> active() const { return active_.lock(); }
    void setActive(std::weak_ptr<Form> form) { active_ = std::move(form); }

    // Keeps an unloaded form alive until releaseUnloaded runs outside every message.
    void keepUnloaded(std::shared_ptr<Form> form);
    void releaseUnloaded();

private:
    FormRegistry() = default;
    std::vector<std::weak_ptr<Form>> loaded_;
    std::map<std::type_index, std::shared_ptr<Form>> instances_;
    std::weak_ptr<Form> active_;
    std::vector<std::shared_ptr<Form>> unloaded_;
};

} // namespace forms
