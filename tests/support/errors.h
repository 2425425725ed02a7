#pragma once

#include "platform/core/runtime_error.h"

#include <string>

namespace testsupport {

// The number of the run-time error a call raises, or 0 when it raises none; the error's text goes
// to description when one is given.
template <class F>
int errorOf(F&& call, std::wstring* description = nullptr) {
    try {
        call();
    } catch (const core::RuntimeError& e) {
        if (description) *description = e.description();
        return e.number();
    }
    return 0;
}

} // namespace testsupport
