#pragma once

#include "platform/core/system_handles.h"

#include <functional>
#include <string>

namespace tools {

// Keeps two builds from writing into one folder at once: the first holds the folder, a later one
// waits until it is free. The hold is a file open without sharing, which the system closes when the
// process ends, however it ends, so a crashed build never blocks the next; the file goes with its
// handle. Under Wine the hold is kept by the Wine server: programs of another Wine prefix do not
// see it.
class BuildLock {
public:
    // Holds the folder, calling waiting() once when another build holds it first. Throws
    // std::runtime_error naming the file when the folder cannot be held (it is not writable).
    explicit BuildLock(const std::wstring& folder, const std::function<void()>& waiting = {});

    // The file whose handle holds the folder; public for the tests, which leave one behind.
    static std::wstring fileIn(const std::wstring& folder);

private:
    core::FileHandle file_;
};

} // namespace tools
