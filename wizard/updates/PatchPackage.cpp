#include "wizard/updates/PatchPackage.h"

#include <cstdio>
#include <exception>
#include <optional>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Text.h"
#include "shared/modRegistry.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/updates/CabFile.h"
#include "wizard/updates/InfEditing.h"
#include "wizard/updates/IniEntries.h"
#include "wizard/updates/UpdateMessages.h"

namespace {

constexpr const char* kPatchesSection = "PATCHES";
constexpr const char* kPropertiesSection = "PROJECT PROPERTIES";
constexpr const char* kRecordKey = "P_Q_Vorlauf.inf";

// The commercial line's installation folder, used as stored: the installers
// always write it with a trailing backslash.
std::string InstalledFolder() {
    std::string folder =
        ReadRegistryValue(RegistryRoot::LocalMachine, kDestinationsKeyWow, "QUENOR").AsText();
    if (folder.empty()) {
        folder = ReadRegistryValue(RegistryRoot::LocalMachine, kDestinationsKey, "QUENOR").AsText();
    }
    return folder;
}

std::string RecordTimestamp() {
    const platform::LocalTime now = platform::Current().Now();
    char stamp[32] = {};
    std::snprintf(stamp, sizeof(stamp), "%02d.%02d.%04d %02d:%02d", now.day, now.month, now.year,
                  now.hour, now.minute);
    return stamp;
}

// Every file of the download folder except the pre-run package itself goes
// into the image's Setups folder.
void CopyPackageFiles(const std::string& downloadFolder, const std::string& setupsFolder) {
    const auto fail = [](unsigned long error) {
        const long code = static_cast<long>(error);
        throw CabError(code, "ApplyPatchPackage", Win32ErrorText(code));
    };
    const platform::files::FileListing listing =
        platform::files::ListAllFiles(downloadFolder, "*");
    // A folder that cannot be read must not pass for one without files.
    if (listing.error != 0 && !listing.NothingThere()) fail(listing.error);
    for (const std::string& name : listing.names) {
        if (text::ContainsNoCase(name, "P_Q_Vorlauf")) continue;
        if (!platform::files::CopyFileReplacing(downloadFolder + name, setupsFolder + name)) {
            fail(platform::files::LastError());
        }
    }
}

}  // namespace

bool ApplyPatchPackage(const std::string& tempSetupFolder, const std::string& downloadFolder) {
    try {
        const std::string cabinet = downloadFolder + "P_Q_VORLAUF.CAB";
        if (!FileMayExist(cabinet)) return false;

        CabFile cab;
        cab.SetCabName(cabinet);
        cab.Extract("", tempSetupFolder, "");

        const std::string setupsFolder = tempSetupFolder + "Setups\\";
        CopyPackageFiles(downloadFolder, setupsFolder);
        EditUpdateInf(setupsFolder);
        RecordPatchLevel(downloadFolder);
        return true;
    } catch (const CabError& error) {
        ReportUpdateAbort(error.Number(), error.Description());
    } catch (const std::exception& error) {
        ReportUpdateAbort(0, error.what());
    }
    return false;
}

bool RecordPatchLevel(const std::string& downloadFolder) {
    try {
        std::optional<std::string> record;  // none: the write removes the key
        const std::string packageInf = downloadFolder + "P_Q_VORLAUF.INF";
        if (FileMayExist(packageInf)) {
            const std::optional<std::string> lastUpdated =
                ReadIniEntry(kPropertiesSection, "LastUpdated", "", packageInf);
            const std::optional<std::string> title =
                ReadIniEntry(kPropertiesSection, "Title", "", packageInf);
            // A record with empty fields would pass for a package without them.
            if (!lastUpdated || !title) return ReportRefusedWrite();
            record = RecordTimestamp() + "," + *lastUpdated + "," + *title;
        }
        const std::string folder = InstalledFolder();
        if (!folder.empty() && FileMayExist(folder + "Tolvane.inf") &&
            !WriteIniEntry(kPatchesSection, kRecordKey, record, folder + "Tolvane.inf")) {
            return ReportRefusedWrite();
        }
        return true;
    } catch (const std::exception& error) {
        ReportUpdateError(0, error.what());
        return false;
    }
}

bool ClearPatchRecord() {
    try {
        const std::string folder = InstalledFolder();
        const std::string productInf = folder + "Tolvane.inf";
        if (folder.empty() || !FileMayExist(productInf)) return true;
        const std::optional<std::string> saved =
            ReadIniEntry(kPatchesSection, kRecordKey, "", productInf);
        if (!saved) return ReportRefusedWrite();
        if (!DeleteIniSection(kPatchesSection, productInf)) return ReportRefusedWrite();
        if (!saved->empty() && !WriteIniEntry(kPropertiesSection, kRecordKey, *saved, productInf)) {
            return ReportRefusedWrite();
        }
        return true;
    } catch (const std::exception& error) {
        ReportUpdateError(0, error.what());
        return false;
    }
}
