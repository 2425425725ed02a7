#pragma once

#include <utility>

namespace core {

// Move-only owner of one system handle, freed by its Deleter (a type whose call operator frees the
// handle). "No handle" is null, or what the Deleter's static none() returns (a file handle's
// INVALID_HANDLE_VALUE); reset() frees the old handle before taking the new one.
template <class Handle, class Deleter>
class UniqueHandle {
    static Handle none() noexcept {
        if constexpr (requires { Deleter::none(); })
            return Deleter::none();
        else
            return Handle{};
    }

public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, none())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, none()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != none(); }
    void reset() noexcept { reset(none()); }
    void reset(Handle handle) noexcept {
        if (handle_ != none() && handle_ != handle) Deleter{}(handle_);
        handle_ = handle;
    }
    // Gives the handle up to a new owner (SetWindowRgn takes a region, for example).
    Handle release() noexcept { return std::exchange(handle_, none()); }

private:
    Handle handle_ = none();
};

} // namespace core
