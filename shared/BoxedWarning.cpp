#include "shared/BoxedWarning.h"

#include "platform/Platform.h"
#include "shared/Messages.h"

std::string JoinWarningLines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

void ShowBoxedWarning(const std::string& text) {
    // A warning of what was done: taken as read, whatever its icon says.
    messages::Show(MessageKind::Information, text, kWarningTitle,
                   platform::mb::Ok | platform::mb::IconExclamation);
}
