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
// Where the old files of the target go, inside the new copy's folder, which
// goes as a whole at the end.
constexpr const char* kOldFilesFolder = "~Alt";

class NewCopyMove {
  public:
    NewCopyMove(std::string newCopy, CopyError& error)
        : newCopy_(std::move(newCopy)), error_(error) {
        const std::string oldFiles = text::JoinPath(newCopy_, kOldFilesFolder);
        // Old files of a run ended while it removed them would take the
        // names the files moved aside now need.
        RemoveFolderWhileAnswering(oldFiles);
        files::CreateOneFolder(oldFiles);
    }

    // Moves the plain files of `from` into `to` and the plain files of `to`
    // that did not come from `from` aside. In the copy's own folder the mark
    // and the current-version file stay.
    void MoveFolderFiles(const std::string& from, const std::string& to, bool copyRoot) {
        // Renaming over a file makes some file systems write the renamed one
        // out there and then, which holds the windows up for tenths of a
        // second; a file moved aside and one moved into a free name do not.
        const std::string aside = NextAsideFolder();
        const files::FileListing listing = ListAnswering(from);
        if (listing.error != 0 && !listing.NothingThere()) {
            error_.Record(listing.error);
            return;
        }
        std::set<std::string> moved;
        for (const std::string& name : listing.names) {
            if (copyRoot && server_copy::IsMarkName(name)) continue;
            const std::string old = text::JoinPath(to, name);
            // A folder of that name stays, and the file cannot take its place.
            const bool movedAside =
                !files::FileExists(old) || files::MoveFileTo(old, text::JoinPath(aside, name));
            if (!movedAside || !files::MoveFileTo(text::JoinPath(from, name), old)) {
                error_.Record(files::LastError());
                return;
            }
            moved.insert(text::Upper(name));
            input_pump::WhenDue();
        }
        for (const std::string& name : ListAnswering(to).names) {
            const bool kept = moved.count(text::Upper(name)) != 0 ||
                              (copyRoot && (server_copy::IsMarkName(name) ||
                                            text::EqualsNoCase(name, kCurrentVersionFile)));
            // An old file that cannot be moved is left, as when a copy starts.
            if (!kept) files::MoveFileTo(text::JoinPath(to, name), text::JoinPath(aside, name));
            input_pump::WhenDue();
        }
    }

  private:
    // One folder of old files for each folder of the copy: names repeat
    // from folder to folder.
    std::string NextAsideFolder() {
        const std::string folder = text::JoinPath(
            text::JoinPath(newCopy_, kOldFilesFolder), std::to_string(asideFolders_++));
        files::CreateOneFolder(folder);
        return folder;
    }
    // Listing a folder of thousands of files takes a while.
    static files::FileListing ListAnswering(const std::string& folder) {
        input_pump::WhenDue();
        files::FileListing listing = files::ListPlainFiles(folder, "*.*");
        input_pump::WhenDue();
        return listing;
    }

    const std::string newCopy_;
    CopyError& error_;
    int asideFolders_ = 0;
};

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
    NewCopyMove move(newCopy, error);
    move.MoveFolderFiles(newCopy, target, true);
    // A folder listed twice, in any case, is moved once: the second time
    // would find it empty and take the files just moved for old ones.
    std::set<std::string> done{text::Upper(target)};
    for (const std::string& entry : listedFolders) {
        const std::optional<std::string> from = PreparedFolderOf(newCopy, entry);
        const std::optional<std::string> to = PreparedFolderOf(target, entry);
        if (error.Failed()) return;
        if (!from || !to || !done.insert(text::Upper(*to)).second) continue;
        files::CreateOneFolder(*to);
        move.MoveFolderFiles(*from, *to, false);
    }
}
