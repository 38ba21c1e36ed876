#include "wizard/updates/InfEditing.h"

#include <exception>

#include "platform/Files.h"
#include "shared/RunLog.h"
#include "wizard/base/StartPrograms.h"
#include "wizard/updates/IniEntries.h"
#include "wizard/updates/UpdateMessages.h"

namespace {

bool Recorded(const std::string& file, const char* result, bool value) {
    run_log::Write("inf-edit", {{"file", file}, {"result", result}});
    return value;
}

bool EditFile(const std::string& file) {
    const std::optional<std::string> versionFile =
        ReadIniEntry("PROJECT PROPERTIES", "VersionFile", "", file);
    if (!versionFile) return Recorded(file, "unreadable", ReportRefusedWrite());
    // The INF reader skips keys starting with ";", so the line stays
    // readable for people but no longer counts.
    if (!versionFile->empty() &&
        !(DeleteIniEntry("PROJECT PROPERTIES", "VersionFile", file) &&
          WriteIniEntry("PROJECT PROPERTIES", ";VersionFile", *versionFile, file))) {
        return Recorded(file, "refused", ReportRefusedWrite());
    }
    if (!DeleteIniEntry("COMPONENTS", "P_Q_Vorlauf", file)) {
        return Recorded(file, "refused", ReportRefusedWrite());
    }
    return Recorded(file, "edited", true);
}

}  // namespace

bool EditUpdateInf(const std::string& folder) {
    const std::string file = folder + "P_TL_UPD.inf";
    try {
        if (!FileMayExist(file)) return Recorded(file, "missing", true);
    } catch (const std::exception& error) {
        ReportUpdateError(0, error.what());
        return false;
    }
    return EditUpdateInfFile(file);
}

bool EditUpdateInfFile(const std::string& file) {
    try {
        return EditFile(file);
    } catch (const std::exception& error) {
        ReportUpdateError(0, error.what());
        return Recorded(file, "failed", false);
    }
}

bool EditUpdateInfNamedBy(const std::string& word) {
    // A word naming an existing file is the INF itself; anything else is
    // the folder that holds it.
    if (platform::files::FileExists(word)) return EditUpdateInfFile(word);
    // A folder without the file has nothing to edit.
    const std::string file = word + "P_TL_UPD.inf";
    if (!FileMayExist(file)) return Recorded(file, "missing", false);
    return EditUpdateInfFile(file);
}
