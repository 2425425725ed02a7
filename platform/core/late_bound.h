#pragma once
// A function of a system library that the window's first paint does not need (the database, speech,
// a rare colour, the notification area, tooltips, the lists' flat scroll bars): the library is loaded
// when the binding is made, at the first use, instead of with the program, since under Wine every
// library loaded at start adds to the time before the window shows. A binding is made once (a
// function's static, or a member of a table made at the first use) and the library stays loaded for
// the rest of the run.
//
// A site that can do without the function tests for it first (`if (f) f(...)`); a site that cannot
// just calls it, and a missing function then raises a LibraryError that names what is missing.

#include <windows.h>

#include <vector>

namespace core {

class LateBinding {
public:
    explicit operator bool() const noexcept { return address_ != nullptr; }
    // Throws a LibraryError naming the library, or the function when the library loaded without it.
    void require() const {
        if (!address_) raiseMissing();
    }

protected:
    LateBinding(const wchar_t* library, const char* function) noexcept;
    explicit LateBinding(void* given) noexcept : address_(given) {}
    [[noreturn]] void raiseMissing() const;

    void* address_ = nullptr;

private:
    const wchar_t* library_ = nullptr;
    const char* function_ = nullptr;
    bool libraryLoaded_ = false;
};

template <class Fn>
class LateBound;

// The system libraries' functions are all of the WINAPI convention. The call takes the function's own
// parameter types, so that an argument converts as in a direct call (a null handle given as 0).
template <class R, class... Params>
class LateBound<R WINAPI(Params...)> : public LateBinding {
public:
    using Fn = R WINAPI(Params...);

    LateBound(const wchar_t* library, const char* function) noexcept : LateBinding(library, function) {}
    // A function given as it is, such as a stand-in in a test; absent when null.
    LateBound(Fn* given = nullptr) noexcept : LateBinding(reinterpret_cast<void*>(given)) {}

    R operator()(Params... args) const {
        require();
        return reinterpret_cast<Fn*>(address_)(args...);
    }
};

// A table of functions bound late from one library. Each function is listed once, as a member made
// with the table (`Entry<decltype(::F)> F{*this, "F"};`), and the table can tell whether all are there.
class LateTable {
public:
    LateTable(const LateTable&) = delete;
    LateTable& operator=(const LateTable&) = delete;

    bool complete() const noexcept {
        for (const LateBinding* entry : entries_)
            if (!*entry) return false;
        return true;
    }
    // Throws the LibraryError of the first function the table lacks.
    void requireAll() const {
        for (const LateBinding* entry : entries_) entry->require();
    }

protected:
    explicit LateTable(const wchar_t* library) noexcept : library_(library) {}
    ~LateTable() = default;

    template <class Fn>
    class Entry : public LateBound<Fn> {
    public:
        Entry(LateTable& table, const char* function) : LateBound<Fn>(table.library_, function) {
            table.entries_.push_back(this);
        }
    };

private:
    const wchar_t* library_;
    std::vector<const LateBinding*> entries_;
};

} // namespace core
