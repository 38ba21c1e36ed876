#include "wizard/updates/UpdateMessages.h"

#include "platform/Platform.h"

void ReportUpdateError(long number, const std::string& description) {
    platform::Current().ShowMessage(std::to_string(number) + "  " + description, kUpdateCaption,
                                    platform::mb::Ok);
}

void ReportUpdateAbort(long number, const std::string& description) {
    platform::Current().ShowMessage(
        std::to_string(number) + "  " + description + "\r\n" + kUpdateFailedText, kUpdateCaption,
        platform::mb::Ok);
}
