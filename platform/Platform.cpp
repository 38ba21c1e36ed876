#include "platform/Platform.h"

#include <cstdlib>

namespace platform {
namespace {
Platform* current = nullptr;
}

Platform& Current() {
    // A program that forgot to install its platform is a programming error
    // that must show at once, not a null dereference somewhere later.
    if (current == nullptr) std::abort();
    return *current;
}

void Install(Platform& platform) { current = &platform; }

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(current) { current = &platform; }

ScopedPlatform::~ScopedPlatform() { current = previous_; }

}  // namespace platform
