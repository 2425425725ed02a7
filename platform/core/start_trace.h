#pragma once
// When the steps of the program's start happen, for the start-up benchmark's split
// (scripts/bench startup --trace). With the environment variable VEXA_START_TRACE naming a file,
// each step appends a line: the wall-clock time in milliseconds since 1970 (the clock the benchmark
// reads on the host, where the start is made) and the step's name. Without it a step costs a test.

#include <string>

namespace core::startTrace {

void mark(const std::wstring& step);

} // namespace core::startTrace
