// The hourglass for the duration of a piece of work.
#pragma once

#include "platform/Platform.h"

namespace ui {

class BusyPointer {
  public:
    BusyPointer() { platform::Current().SetMousePointer(platform::MousePointer::Hourglass); }
    ~BusyPointer() { End(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

    // Back to the default pointer before the work is over, for a message.
    void End() {
        if (!busy_) return;
        busy_ = false;
        platform::Current().SetMousePointer(platform::MousePointer::Default);
    }

  private:
    bool busy_ = true;
};

}  // namespace ui
