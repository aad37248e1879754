// Bounded waiting for a condition that the driver can observe (a window, a text, a file), polled
// every few milliseconds: no test sleeps in place of a condition.
#pragma once

#include <windows.h>

#include <chrono>

// How long a test waits for anything the program does in answer to one action.
inline constexpr std::chrono::milliseconds kWait{10000};

template <typename Condition> bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = kWait) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        Sleep(5);
    }
}
