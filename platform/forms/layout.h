#pragma once

#include "platform/forms/property_bag.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace forms {

class UserControl;

// One control of a form's layout: what the form stores for it. Positions and sizes are in its
// container's scale (twips on a form; a container's ScaleMode read from its own entry); the container is ""
// for the form, else the name of an earlier control ("Name" or "Name(index)" for a member of a control
// array).
struct LayoutEntry {
    std::wstring type;
    std::wstring name;
    int index = -1; // member of a control array when 0 or more
    std::wstring container;
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = 0;
    PropertyBag properties;
    // Values the form keeps for the control (its extender).
    bool visible = true;
    bool enabled = true;
    bool tabStop = true;
    bool isDefault = false;
    bool isCancel = false;
    std::wstring toolTipText;
    std::wstring tag;
    // Made once the form has been painted (sooner when code asks for it through Form::ensureControl,
    // or when a key or a button is pressed): for a control the first paint does not show. Only an
    // entry out of the keyboard's way may wait: no tab stop, neither the default nor the cancel
    // button, the container of no other entry, and a control that cannot take the focus (known once
    // it is made). The form refuses a layout that breaks the rule, naming the entry.
    bool afterFirstPaint = false;

    friend bool operator==(const LayoutEntry& a, const LayoutEntry& b) = default;
};

using Layout = std::vector<LayoutEntry>;

// The display name of a control: "Name" or "Name(index)".
std::wstring controlKey(const std::wstring& name, int index);

// Control types by the name layouts use. The intrinsic controls are registered on first use;
// a control library registers its own types before its forms load.
namespace ControlTypes {
using Factory = std::function<std::shared_ptr<UserControl>()>;
void add(const std::wstring& type, Factory factory);
bool known(const std::wstring& type);
// Error 13 for an unknown type name.
std::shared_ptr<UserControl> create(const std::wstring& type);
// The type name a control was registered under (empty when made otherwise).
std::wstring typeOf(const UserControl& control);
} // namespace ControlTypes

template <class T>
void registerControlType(const std::wstring& type);

} // namespace forms

#include "platform/forms/user_control.h"

namespace forms {
template <class T>
void registerControlType(const std::wstring& type) {
    ControlTypes::add(type, [] { return std::static_pointer_cast<UserControl>(makeControl<T>()); });
}
} // namespace forms
