#include "wizard/pages/ImageValues.h"

#include "wizard/base/IniAccess.h"
#include "wizard/base/SetupSession.h"

std::string InstallIniValue(const char* section, const char* key) {
    return ReadIniValue(Session().InstallIniPath, section, key, "", kPromptForMedium);
}

std::string ImageVersion() {
    return ReadIniValue(Session().VersionIniPath, "Common", "Version", "", kPromptForMedium);
}
