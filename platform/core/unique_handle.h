#pragma once

#include <utility>

namespace core {

// Move-only owner of one system handle, freed by its Deleter (a type whose call operator frees the
// handle). Null is "no handle"; reset() frees the old handle before taking the new one.
template <class Handle, class Deleter>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{}) noexcept {
        if (handle_ != Handle{} && handle_ != handle) Deleter{}(handle_);
        handle_ = handle;
    }
    // Gives the handle up to a new owner (SetWindowRgn takes a region, for example).
    Handle release() noexcept { return std::exchange(handle_, Handle{}); }

private:
    Handle handle_{};
};

} // namespace core
