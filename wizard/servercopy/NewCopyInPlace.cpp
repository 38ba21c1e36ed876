#include "wizard/servercopy/NewCopyInPlace.h"

#include <optional>
#include <set>

#include "platform/Files.h"
#include "shared/Text.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/servercopy/CopyLayout.h"
#include "wizard/servercopy/InputPump.h"
#include "wizard/servercopy/TargetFolder.h"

namespace {

namespace files = platform::files;

// Written again right after the copy; deleting it first would leave the
// folder for a moment without one.
constexpr const char* kCurrentVersionFile = "AktVersion.ini";

// Moves the plain files of `from` into `to`, then deletes those of `to` that
// did not come from `from`. In the copy's own folder the mark and the
// current-version file stay.
void MoveFolderFiles(const std::string& from, const std::string& to, bool copyRoot,
                     CopyError& error) {
    const files::FileListing listing = files::ListPlainFiles(from, "*.*");
    if (listing.error != 0 && !listing.NothingThere()) {
        error.Record(listing.error);
        return;
    }
    std::set<std::string> moved;
    for (const std::string& name : listing.names) {
        if (copyRoot && server_copy::IsMarkName(name)) continue;
        if (!files::MoveReplacing(text::JoinPath(from, name), text::JoinPath(to, name))) {
            error.Record(files::LastError());
            return;
        }
        moved.insert(text::Upper(name));
        input_pump::WhenDue();
    }
    for (const std::string& name : files::ListPlainFiles(to, "*.*").names) {
        const bool kept = moved.count(text::Upper(name)) != 0 ||
                          (copyRoot && (server_copy::IsMarkName(name) ||
                                        text::EqualsNoCase(name, kCurrentVersionFile)));
        // An old file that cannot be deleted is left, as when a copy starts.
        if (!kept) files::DeleteFileAt(text::JoinPath(to, name), [] { input_pump::WhenDue(); });
        input_pump::WhenDue();
    }
}

}  // namespace

bool HoldsCompleteCopy(const std::string& folder) {
    return files::IsPlainFile(text::JoinPath(folder, "Selvor.exe")) &&
           !server_copy::IsIncomplete(folder);
}

std::string NewCopyFolderOf(const std::string& target) {
    return text::JoinPath(target, server_copy::kNewCopyFolder);
}

void MoveNewCopyIntoPlace(const std::string& newCopy, const std::string& target,
                          const std::vector<std::string>& listedFolders, CopyError& error) {
    if (const unsigned long failure = server_copy::MarkIncomplete(target)) {
        error.Record(failure);
        return;
    }
    MoveFolderFiles(newCopy, target, true, error);
    // A folder listed twice, in any case, is moved once: the second time
    // would find it empty and take the files just moved for old ones.
    std::set<std::string> done{text::Upper(target)};
    for (const std::string& entry : listedFolders) {
        const std::optional<std::string> from = PreparedFolderOf(newCopy, entry);
        const std::optional<std::string> to = PreparedFolderOf(target, entry);
        if (error.Failed()) return;
        if (!from || !to || !done.insert(text::Upper(*to)).second) continue;
        files::CreateOneFolder(*to);
        MoveFolderFiles(*from, *to, false, error);
    }
    if (!error.Failed()) RemoveFolderWhileAnswering(newCopy);
}
