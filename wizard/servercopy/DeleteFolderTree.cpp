#include "wizard/servercopy/DeleteFolderTree.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/Text.h"
#include "ui/BusyPointer.h"
#include "wizard/base/ProgramRole.h"

namespace {

namespace files = platform::files;

bool DeleteTree(const std::string& folder) {
    // A link is removed as it stands: following it would delete the files of
    // a folder outside the tree.
    if (files::IsLink(folder)) return files::RemoveEmptyFolder(folder);
    // Hidden and system entries are left out, so the folder that holds one
    // cannot be removed and the deletion stops there.
    const auto entries =
        files::ListEntries(folder, "*.*").value_or(std::vector<files::FolderEntry>{});
    for (const files::FolderEntry& entry : entries) {
        if (entry.hiddenOrSystem) continue;
        const std::string path = text::JoinPath(folder, entry.name);
        const bool removed = entry.folder ? DeleteTree(path) : files::DeleteFileIfWritable(path);
        if (!removed) return false;
    }
    return files::RemoveEmptyFolder(folder);
}

}  // namespace

bool DeleteFolderTree(const std::string& path) {
    ui::BusyPointer busy;
    // A blank path would name the current folder (or the drive's root).
    if (!text::Trim(path).empty() && DeleteTree(path)) return true;
    busy.End();
    messages::Show(MessageKind::Failure, "Fehler beim Löschen der Verzeichnise", kApplicationTitle,
                   platform::mb::Ok);
    return false;
}
