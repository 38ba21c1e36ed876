#include "wizard/base/SystemQueries.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/SetupSession.h"

namespace {

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Query value, set value, create subkey, enumerate subkeys, notify, create link.
constexpr std::uint32_t kRunKeyAccess = 0x3F;

}  // namespace

std::string GetWindowsFolder() { return platform::Current().WindowsFolder(); }

std::string BrowseForFolder(const std::string& title, std::intptr_t ownerWindow, bool newStyle) {
    if (std::optional<std::string> folder = answers::TakeFolderPickerAnswer()) {
        run_log::Write("replayed-folder", {{"title", title}, {"folder", *folder}});
        return *folder;
    }
    return CutAtNul(messages::PickFolder(title, ownerWindow, newStyle));
}

std::string CanonicalizePath(const std::string& path, bool keepServerPath) {
    return CanonicalizeAccepted(path, keepServerPath).value_or(std::string());
}

std::optional<std::string> CanonicalizeAccepted(const std::string& path, bool keepServerPath) {
    const SetupSession& session = Session();
    if (keepServerPath || session.IsWorkstationSetup || session.InternetUpdate) {
        // A server path such as \\server\share\..\x must keep its server part.
        return text::ReplaceAll(path, "..\\", "");
    }
    const std::optional<std::string> canonical = platform::files::CanonicalizeWithShell(path);
    if (!canonical) return std::nullopt;
    return CutAtNul(*canonical);
}

std::string CutAtNul(const std::string& value) { return text::CutAtNul(value); }

bool RemoveRunEntry(const std::string& valueName) {
    return platform::Current()
        .DeleteRegistryValue(RegistryRoot::CurrentUser, kRunKey, valueName, kRunKeyAccess)
        .value_or(false);
}

void BackUpNewDialogsIni() {
    std::string folder = ReadRegistryValue(RegistryRoot::LocalMachine, kDestinationsKeyWow, "QUENOR").AsText();
    if (folder.empty()) {
        folder = ReadRegistryValue(RegistryRoot::LocalMachine, kDestinationsKey, "QUENOR").AsText();
    }
    if (folder.empty()) return;
    // The folder is used as stored: the installers always write it with a
    // trailing backslash.
    platform::files::CopyFileReplacing(folder + "NeueDialoge.ini", folder + "NeueDialoge.780");
}
