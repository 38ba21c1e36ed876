#include "wizard/servercopy/ImageFiles.h"

#include "platform/Files.h"
#include "wizard/servercopy/CopyLayout.h"
#include "wizard/servercopy/InputPump.h"

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
        const platform::files::FileListing listing = platform::files::ListPlainFiles(folder, "*.*");
        // A folder the image does not have lists nothing; one that is there
        // but cannot be read would leave its files out of a "complete" copy.
        if (listing.error != 0 && !listing.NothingThere()) {
            error.Record(listing.error);
            return {};
        }
        for (const std::string& name : listing.names) files.push_back({name, entry});
        // Listing thousands of files on a share takes a while.
        input_pump::WhenDue();
    }
    return files;
}
