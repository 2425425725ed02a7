#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace forms {

// An event a control or form declares as a member; its host attaches one handler. Arguments the
// host may change are declared as references (Event<int&>).
template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    void handle(Handler handler) { handler_ = std::move(handler); }
    void clear() { handler_ = nullptr; }
    bool connected() const { return static_cast<bool>(handler_); }

    // Calls the handler, if any. The handler is copied first, so a handler may replace itself.
    template <class... Given>
    void raise(Given&&... args) const {
        if (!handler_) return;
        Handler h = handler_;
        h(std::forward<Given>(args)...);
    }

private:
    Handler handler_;
};

// Closed while a form creates its controls and reads their stored properties: events raised then
// are dropped. Shared, so a control may outlive its form's bookkeeping.
class EventGate {
public:
    bool open() const { return closed_ == 0; }

    class Closed {
    public:
        explicit Closed(EventGate& gate) : gate_(&gate) { ++gate_->closed_; }
        ~Closed() {
            if (gate_) --gate_->closed_;
        }
        Closed(const Closed&) = delete;
        Closed& operator=(const Closed&) = delete;

    private:
        EventGate* gate_;
    };
    Closed close() { return Closed(*this); }

private:
    int closed_ = 0;
};

// Tells code that raised an event (or ran DoEvents) whether its object was unloaded meanwhile.
// The watch keeps the flag itself alive, so it can be asked after the object is gone.
class Liveness {
public:
    Liveness() : flag_(std::make_shared<bool>(true)) {}
    ~Liveness() { *flag_ = false; }
    Liveness(const Liveness&) = delete;
    Liveness& operator=(const Liveness&) = delete;

    class Watch {
    public:
        explicit Watch(std::shared_ptr<const bool> flag) : flag_(std::move(flag)) {}
        bool alive() const { return *flag_; }

    private:
        std::shared_ptr<const bool> flag_;
    };

    Watch watch() const { return Watch(flag_); }
    bool alive() const { return *flag_; }
    void end() { *flag_ = false; }
    // A new life for an object loaded again: watches of the old one stay ended.
    void renew() {
        *flag_ = false;
        flag_ = std::make_shared<bool>(true);
    }

private:
    std::shared_ptr<bool> flag_;
};

} // namespace forms
