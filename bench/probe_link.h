#pragma once

// The Windows half of a benchmark that bench/search/screen_probe watches: questions go out on the
// standard output as "@probe ..." lines, answers come back on the standard input. While an answer
// is awaited the program runs its message loop as the real one does, so what the probe watches is
// painted and reaches the screen as it would for a user.

#include "platform/forms/message_loop.h"

#include <windows.h>

#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace bench {

class ProbeLink {
public:
    ProbeLink() : thread_(GetCurrentThreadId()), reader_([this] { read(); }) { reader_.detach(); }

    // Whether the program was started by the probe (it says so in the environment).
    static bool present() { return GetEnvironmentVariableW(L"VEXA_SCREEN_PROBE", nullptr, 0) > 0; }

    std::string ask(const std::string& question) {
        std::printf("@probe %s\n", question.c_str());
        std::fflush(stdout);
        forms::MessageLoop::runUntil([this] {
            std::lock_guard<std::mutex> lock(mutex_);
            return !lines_.empty() || ended_;
        });
        std::lock_guard<std::mutex> lock(mutex_);
        if (lines_.empty()) return {};
        std::string line = lines_.front();
        lines_.pop_front();
        return line;
    }

private:
    DWORD thread_;
    std::mutex mutex_;
    std::deque<std::string> lines_;
    bool ended_ = false;
    std::thread reader_;

    // Each line read wakes the message loop with an empty message, after which it looks again.
    void read() {
        HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
        std::string line;
        char c;
        DWORD got = 0;
        while (ReadFile(in, &c, 1, &got, nullptr) && got == 1) {
            if (c != '\n') {
                line += c;
                continue;
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                lines_.push_back(line);
            }
            line.clear();
            PostThreadMessageW(thread_, WM_NULL, 0, 0);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ended_ = true;
        }
        PostThreadMessageW(thread_, WM_NULL, 0, 0);
    }
};

} // namespace bench
