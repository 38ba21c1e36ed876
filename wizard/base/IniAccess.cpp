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

// The file is there, or cannot be told to be missing, but cannot be read:
// every value of it would read as empty and lead the wizard astray.
void ReportUnreadable(const std::string& file, unsigned long error) {
    messages::Show(MessageKind::Failure,
                   "Datei nicht lesbar! (" + text::Trim(file) + ": " +
                       platform::files::ErrorDescription(error) +
                       ") Bitte legen Sie die Programm-CD ein",
                   kApplicationTitle, platform::mb::Ok);
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
        const unsigned long error = platform::files::LastError();
        if (quiet) return {};
        if (error == 0 || platform::files::FileIsMissing(error)) {
            PromptForMedium(file);
        } else {
            ReportUnreadable(file, error);
        }
        return {};
    }
    const std::optional<std::string> value = platform::profile::ReadValueIfReadable(
        section, key, defaultValue, file, platform::files::TextEncoding::Windows1252, 2048);
    if (!value && !quiet) ReportUnreadable(file, platform::files::LastError());
    return value.value_or(std::string());
}
