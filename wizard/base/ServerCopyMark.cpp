#include "wizard/base/ServerCopyMark.h"

#include "platform/Files.h"
#include "shared/Text.h"

namespace server_copy {
namespace {

namespace files = platform::files;

// For whoever finds the folder half filled: what happened and what to do.
constexpr const char* kMarkText =
    "Das Kopieren des Setups in dieses Verzeichnis wurde nicht abgeschlossen.\r\n"
    "Solange diese Datei hier liegt, ist die Kopie unvollstaendig: kopieren Sie\r\n"
    "das Setup mit dem Setup-Assistenten erneut auf den Server.\r\n";

std::string MarkIn(const std::string& folder) { return text::JoinPath(folder, kIncompleteMark); }

unsigned long FailureCode() {
    const unsigned long code = files::LastError();
    return code != 0 ? code : 31;  // ERROR_GEN_FAILURE
}

}  // namespace

bool IsIncomplete(const std::string& folder) {
    if (text::Trim(folder).empty()) return false;
    if (files::FileExists(MarkIn(folder))) return true;
    // A mark the system cannot tell about (no rights, the share gone) may be
    // there: the copy is not taken for complete on that.
    const unsigned long error = files::LastError();
    return error != 0 && !files::FileIsMissing(error);
}

unsigned long MarkIncomplete(const std::string& folder) {
    return files::WriteWholeFile(MarkIn(folder), kMarkText) ? 0 : FailureCode();
}

unsigned long MarkComplete(const std::string& folder) {
    if (files::DeleteFileAt(MarkIn(folder))) return 0;
    // Taken before the test below, which sets its own.
    const unsigned long failure = FailureCode();
    // Gone already is as good as removed.
    return IsIncomplete(folder) ? failure : 0;
}

bool IsMarkName(const std::string& name) { return text::EqualsNoCase(name, kIncompleteMark); }

std::string IncompleteMessage(const std::string& folder) {
    return "Das Setup im Installations-Verzeichnis auf dem Server\r\n\r\n" + folder +
           "\r\n\r\nist unvollständig: das Kopieren wurde nicht abgeschlossen. Von dort kann "
           "nicht installiert werden.\r\n\r\nBitte kopieren Sie das Setup mit dem "
           "Setup-Assistenten erneut auf den Server.";
}

}  // namespace server_copy
