#pragma once

#include "platform/core/system_handles.h"

#include <functional>
#include <string>

namespace tools {

// Keeps two builds from writing into one folder at once: the first holds the folder, a later one
// waits until it is free. The hold is a byte-range lock on a file in the folder. Wine's server keeps
// it as a POSIX lock on the host file too, so builds under other Wine prefixes (other servers) see
// it, and the host drops it when the holder ends, however it ends, so a killed build never blocks the
// next. Letting go moves the file off its name before unlocking it: whoever takes the lock then holds
// the folder only while the name still gives the file it locked, and tries again otherwise.
class BuildLock {
public:
    // Holds the folder, calling waiting() once when another build holds it first. Throws
    // std::runtime_error naming the file when the folder cannot be held (it is not writable).
    explicit BuildLock(const std::wstring& folder, const std::function<void()>& waiting = {});
    ~BuildLock();
    BuildLock(const BuildLock&) = delete;
    BuildLock& operator=(const BuildLock&) = delete;

    // The file whose lock holds the folder; public for the tests, which leave one behind.
    static std::wstring fileIn(const std::wstring& folder);

private:
    std::wstring path_;
    core::FileHandle file_;
};

} // namespace tools
