#include "wizard/servercopy/ImageFiles.h"

#include "platform/Files.h"
#include "wizard/servercopy/CopyLayout.h"

std::vector<ImageFile> ListImageFiles(const std::string& imageRoot,
                                      const std::vector<std::string>& folders, CopyError& error) {
    std::vector<ImageFile> files;
    for (const std::string& entry : folders) {
        const std::string folder = SourceFolderOf(imageRoot, entry);
        // An empty folder path would list the current folder instead.
        if (folder.empty()) {
            error.Record(kPathTooLong);
            return {};
        }
        const auto names = platform::files::ListPlainFiles(folder, "*.*");
        if (!names) continue;
        for (const std::string& name : *names) files.push_back({name, entry});
    }
    return files;
}
