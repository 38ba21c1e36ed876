#include "wizard/servercopy/InputPump.h"

#include <cstdint>

#include "platform/Platform.h"

namespace input_pump {
namespace {

// Often enough that a click is answered within a tenth of a second, seldom
// enough that answering costs the copy nothing worth measuring: each answer
// is a round trip to the window system.
constexpr std::uint64_t kIntervalMilliseconds = 50;

std::uint64_t lastAnswered = 0;

}  // namespace

void Restart() { lastAnswered = platform::Current().TickMilliseconds(); }

void Now() {
    Restart();
    platform::Current().PumpEvents();
}

void WhenDue(const std::function<void()>& before) {
    if (platform::Current().TickMilliseconds() - lastAnswered < kIntervalMilliseconds) return;
    if (before) before();
    Now();
}

}  // namespace input_pump
