#include "shared/BoxedWarning.h"

#include "platform/Platform.h"

std::string JoinWarningLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void ShowBoxedWarning(const std::string& text) {
    platform::Current().ShowMessage(text, kWarningTitle,
                                    platform::mb::Ok | platform::mb::IconExclamation);
}
