#include "wizard/servercopy/TargetFolder.h"

#include <vector>

#include "platform/Files.h"
#include "shared/Text.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/servercopy/InputPump.h"

namespace {

namespace files = platform::files;

// Read-only files of an earlier copy from a CD go as well. An earlier copy
// on a share can take seconds to delete, a large file alone tenths of a
// second.
void DeleteAnswering(const std::string& path) {
    files::DeleteFileAt(path, [] { input_pump::WhenDue(); });
    input_pump::WhenDue();
}

}  // namespace

void PrepareTargetFolder(const std::string& path) {
    // A blank path would empty the current folder.
    if (text::Trim(path).empty()) return;
    files::CreateOneFolder(path);
    for (const std::string& name : files::ListPlainFiles(path, "*.*").names) {
        // The mark says the folder is incomplete until the copy is done.
        if (!server_copy::IsMarkName(name)) DeleteAnswering(text::JoinPath(path, name));
    }
}

void RemoveFolderWhileAnswering(const std::string& path) {
    if (text::Trim(path).empty()) return;
    if (files::IsLink(path)) {
        files::RemoveEmptyFolder(path);
        return;
    }
    // Listing a folder of thousands of files takes a while.
    input_pump::WhenDue();
    const auto entries = files::ListEntries(path, "*.*").value_or(std::vector<files::FolderEntry>{});
    input_pump::WhenDue();
    for (const files::FolderEntry& entry : entries) {
        const std::string child = text::JoinPath(path, entry.name);
        if (entry.folder) {
            RemoveFolderWhileAnswering(child);
        } else {
            DeleteAnswering(child);
        }
    }
    files::RemoveEmptyFolder(path);
}
