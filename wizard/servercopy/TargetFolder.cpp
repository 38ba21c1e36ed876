#include "wizard/servercopy/TargetFolder.h"

#include "platform/Files.h"
#include "shared/Text.h"

void PrepareTargetFolder(const std::string& path) {
    namespace files = platform::files;
    // A blank path would empty the current folder.
    if (text::Trim(path).empty()) return;
    files::CreateOneFolder(path);
    const auto names = files::ListPlainFiles(path, "*.*");
    if (!names) return;
    // Read-only files of an earlier copy from a CD go as well.
    for (const std::string& name : *names) files::DeleteFileAt(text::JoinPath(path, name));
}
