#include "wizard/servercopy/ImageFileCopy.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "wizard/base/ProgramEnd.h"
#include "wizard/base/SetupSession.h"
#include "wizard/servercopy/InputPump.h"

unsigned long CopyImageFile(const std::string& source, const std::string& target,
                            const std::function<void()>& beforeInput,
                            unsigned long long& bytesWritten) {
    unsigned long result = 0;
    {
        ExitDeferral deferral;
        result = platform::files::CopyFileInSteps(source, target, [&] {
            input_pump::WhenDue(beforeInput);
            return !Session().CopyCancelled && !ExitDeferral::Requested();
        }, &bytesWritten);
    }
    if (ExitDeferral::Requested()) FinishSetup();
    return result;
}
