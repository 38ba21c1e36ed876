// Letting the windows answer while the copy works: after each folder and
// file, and inside long steps (a large file, many old files to delete) as
// soon as they have waited a little while.
#pragma once

#include <functional>

namespace input_pump {

// A run starts; the windows count as having just answered.
void Restart();
// Lets pending input run now.
void Now();
// Lets pending input run when the windows have waited long enough since
// they last answered; `before` runs first then.
void WhenDue(const std::function<void()>& before = {});

}  // namespace input_pump
