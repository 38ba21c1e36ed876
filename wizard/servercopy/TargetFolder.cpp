#include "wizard/servercopy/TargetFolder.h"

#include "platform/Files.h"
#include "shared/Text.h"
#include "wizard/servercopy/InputPump.h"

void PrepareTargetFolder(const std::string& path) {
    namespace files = platform::files;
    // A blank path would empty the current folder.
    if (text::Trim(path).empty()) return;
    files::CreateOneFolder(path);
    for (const std::string& name : files::ListPlainFiles(path, "*.*").names) {
        // Read-only files of an earlier copy from a CD go as well. An earlier
        // copy on a share can take seconds to delete, a large file alone
        // tenths of a second.
        files::DeleteFileAt(text::JoinPath(path, name), [] { input_pump::WhenDue(); });
        input_pump::WhenDue();
    }
}
