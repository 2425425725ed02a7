// The controls of a form: finding them, their tab order, the default and cancel controls.
#include "platform/forms/form.h"

#include "platform/forms/window_object.h"

#include <algorithm>

namespace forms {

// --- controls

namespace {
void collect(const ControlHost& host, std::vector<UserControl*>& out) {
    for (UserControl* c : host.hostedControls()) {
        out.push_back(c);
        collect(*c, out);
    }
}
} // namespace

std::vector<UserControl*> Form::allControls() const {
    std::vector<UserControl*> out;
    collect(*this, out);
    return out;
}

UserControl* Form::findControl(const std::wstring& name, int index) const {
    for (const auto& c : controls_)
        if (c->Name() == name && c->Index() == index) return c.get();
    return nullptr;
}

UserControl* Form::ensureControl(const std::wstring& name, int index) {
    if (UserControl* c = findControl(name, index)) return c;
    for (size_t i = 0; i < later_.size(); ++i)
        if (later_[i].entry.name == name && later_[i].entry.index == index) {
            makeLaterControl(i);
            return findControl(name, index);
        }
    return nullptr;
}

UserControl* Form::containerOf(const UserControl& control) const {
    ControlHost* h = control.Container();
    if (!h || h == this) return nullptr;
    return dynamic_cast<UserControl*>(h);
}

Layout Form::saveLayout() {
    makeWaitingControls();
    Layout out;
    for (size_t i = 0; i < controls_.size(); ++i) {
        UserControl& c = *controls_[i];
        LayoutEntry e;
        e.type = ControlTypes::typeOf(c);
        e.name = c.Name();
        e.index = c.Index();
        e.container = places_[i].container;
        e.afterFirstPaint = places_[i].afterFirstPaint;
        e.left = c.Left();
        e.top = c.Top();
        e.width = c.Width();
        e.height = c.Height();
        e.tabIndex = c.TabIndex();
        e.visible = c.Visible();
        e.enabled = c.enabled_;
        e.tabStop = c.TabStop();
        e.isDefault = c.Default();
        e.isCancel = c.Cancel();
        e.toolTipText = c.ToolTipText();
        e.tag = c.Tag();
        c.save(e.properties);
        out.push_back(std::move(e));
    }
    return out;
}

UserControl* Form::ActiveControl() const {
    UserControl* c = UserControl::fromWindow(GetFocus());
    if (!c || c->Parent() != this) return nullptr;
    // The outermost control of the form that holds the focus.
    while (UserControl* up = containerOf(*c)) {
        if (std::none_of(controls_.begin(), controls_.end(), [c](const auto& p) { return p.get() == c; })) {
            c = up;
            continue;
        }
        break;
    }
    return c;
}

UserControl* Form::defaultControl() const {
    for (UserControl* c : allControls())
        if (c->Default() && c->loaded()) return c;
    return nullptr;
}

UserControl* Form::cancelControl() const {
    for (UserControl* c : allControls())
        if (c->Cancel() && c->loaded()) return c;
    return nullptr;
}

void Form::clearDefault(UserControl* except) {
    for (UserControl* c : allControls())
        if (c != except && c->Default()) {
            c->default_ = false;
            if (c->loaded()) c->raiseAmbientChanged(L"DisplayAsDefault");
        }
}

void Form::clearCancel(UserControl* except) {
    for (UserControl* c : allControls())
        if (c != except) c->cancel_ = false;
}

void Form::defaultDisplayChanged() {
    if (UserControl* d = defaultControl()) d->raiseAmbientChanged(L"DisplayAsDefault");
}

std::vector<UserControl*> Form::tabSequence() const {
    // The form's own controls (its layout's, and those placed on it) share one tab order. Controls a
    // control placed inside itself follow that control, in their own order.
    auto ownControl = [this](const UserControl* c) {
        return c->Container() == this ||
               std::any_of(controls_.begin(), controls_.end(), [c](const auto& p) { return p.get() == c; });
    };
    auto byTabIndex = [](UserControl* a, UserControl* b) { return a->TabIndex() < b->TabIndex(); };
    std::vector<UserControl*> top;
    for (UserControl* c : allControls())
        if (ownControl(c)) top.push_back(c);
    std::stable_sort(top.begin(), top.end(), byTabIndex);
    std::vector<UserControl*> sequence;
    auto add = [&](auto& self, UserControl* c) -> void {
        sequence.push_back(c);
        std::vector<UserControl*> inner;
        for (UserControl* k : c->hostedControls())
            if (!ownControl(k)) inner.push_back(k);
        std::stable_sort(inner.begin(), inner.end(), byTabIndex);
        for (UserControl* k : inner) self(self, k);
    };
    for (UserControl* c : top) add(add, c);
    return sequence;
}

void Form::tabFocus(bool forward) {
    std::vector<UserControl*> order;
    for (UserControl* c : tabSequence()) {
        if (!c->loaded() || !c->TabStop() || !c->CanGetFocus()) continue;
        if (!IsWindowVisible(c->hWnd()) || !IsWindowEnabled(c->hWnd())) continue;
        order.push_back(c);
    }
    if (order.empty()) return;
    HWND focus = GetFocus();
    int current = -1;
    for (size_t i = 0; i < order.size(); ++i)
        if (focus && (order[i]->hWnd() == focus || IsChild(order[i]->hWnd(), focus)))
            current = static_cast<int>(i);
    const int n = static_cast<int>(order.size());
    int next = current < 0 ? (forward ? 0 : n - 1) : (current + (forward ? 1 : n - 1)) % n;
    order[static_cast<size_t>(next)]->SetFocus();
}

Form* Form::fromWindow(HWND hwnd) {
    if (!hwnd) return nullptr;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (!root) root = hwnd;
    auto* form = dynamic_cast<Form*>(windowObject::of(root));
    if (!form) {
        // A floating window of a control belongs to the control's form.
        if (UserControl* c = UserControl::fromWindow(hwnd)) return c->Parent();
        return nullptr;
    }
    return form;
}

} // namespace forms
