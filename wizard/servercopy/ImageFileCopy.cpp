#include "wizard/servercopy/ImageFileCopy.h"

#include <cstdint>
#include <optional>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "wizard/PageFrame.h"
#include "wizard/SetupSession.h"

namespace {

// Often enough that a click is answered well within a tenth of a second,
// seldom enough that answering costs the copy nothing worth measuring.
constexpr std::uint64_t kPumpIntervalMilliseconds = 30;

class InputPump {
  public:
    void PumpWhenDue(const std::function<void()>& beforeInput) {
        auto& ui = platform::Current();
        const std::uint64_t now = ui.TickMilliseconds();
        if (last_ && now - *last_ < kPumpIntervalMilliseconds) return;
        last_ = now;
        if (beforeInput) beforeInput();
        ui.PumpEvents();
    }

  private:
    std::optional<std::uint64_t> last_;
};

}  // namespace

unsigned long CopyImageFile(const std::string& source, const std::string& target,
                            const std::function<void()>& beforeInput) {
    unsigned long result = 0;
    {
        ExitDeferral deferral;
        InputPump pump;
        result = platform::files::CopyFileInSteps(source, target, [&] {
            pump.PumpWhenDue(beforeInput);
            return !Session().CopyCancelled && !ExitDeferral::Requested();
        });
    }
    if (ExitDeferral::Requested()) FinishSetup();
    return result;
}
