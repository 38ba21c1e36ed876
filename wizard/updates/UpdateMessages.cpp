#include "wizard/updates/UpdateMessages.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "wizard/updates/CabFile.h"

void ReportUpdateError(long number, const std::string& description) {
    messages::Show(MessageKind::Failure, std::to_string(number) + "  " + description,
                   kUpdateCaption, platform::mb::Ok);
}

bool ReportRefusedWrite() {
    const long code = static_cast<long>(platform::files::LastError());
    ReportUpdateError(code, Win32ErrorText(code));
    return false;
}

void ReportUpdateAbort(long number, const std::string& description) {
    messages::Show(MessageKind::Failure,
                   std::to_string(number) + "  " + description + "\r\n" + kUpdateFailedText,
                   kUpdateCaption, platform::mb::Ok);
}
