#include "wizard/base/IniAccess.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/Profile.h"
#include "shared/Messages.h"
#include "shared/Text.h"
#include "wizard/base/ProgramRole.h"

namespace {

void PromptForMedium(const std::string& file) {
    // The image lacks a file it needs: what is read from it is missing.
    if (file.find("Install") != std::string::npos) {
        messages::Show(
            MessageKind::Failure,
            "Datei nicht gefunden! (" + text::Trim(file) + ") Bitte legen Sie die Programm-CD ein",
            kApplicationTitle, platform::mb::Ok);
    }
    if (file.find("SysInst") != std::string::npos) {
        messages::Show(MessageKind::Failure, "Bitte legen Sie die Service-CD ein",
                       kApplicationTitle, platform::mb::Ok);
    }
}

}  // namespace

std::string ReadIniValue(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue, bool quiet) {
    // The installation folders live in INI files of the Windows folder, named
    // without a folder, so they are read without a file test. The suite's
    // programs write those files in the system's code page; every other file
    // read here is one of the image's own.
    if (section == "DESTINATIONS") {
        return platform::profile::ReadString(section, key, defaultValue, file, 2048);
    }
    if (!platform::files::IsPlainFile(file)) {
        if (!quiet) PromptForMedium(file);
        return {};
    }
    return platform::profile::ReadImageString(section, key, defaultValue, file, 2048);
}
