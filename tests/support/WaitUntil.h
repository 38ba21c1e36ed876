// Tests wait for what they expect to happen, up to a deadline, rather than
// sleeping for a time that is long enough on a quiet machine.
#pragma once

#include <chrono>
#include <thread>

namespace testing_support {

// Asks `condition` every `pollMilliseconds` until it holds or `milliseconds`
// have passed; its last answer, asked after the last pause.
template <typename Condition>
bool WaitUntil(Condition condition, unsigned milliseconds = 15000, unsigned pollMilliseconds = 50) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMilliseconds));
    }
}

}  // namespace testing_support
