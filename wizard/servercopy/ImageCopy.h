// One copy of the image's files into a folder: the listing, the folders,
// the files and the closing steps, with the run's first failure.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wizard/servercopy/CopyDisplay.h"
#include "wizard/servercopy/CopyError.h"
#include "wizard/servercopy/ImageFiles.h"

class ImageCopy {
  public:
    ImageCopy(std::string imageRoot, CopyDisplay& progress)
        : root_(std::move(imageRoot)), progress_(progress) {}

    // Lists the files of the image; false when that failed or was cancelled.
    bool CollectFiles();
    // Creates the folder and the listed folders below it and empties them
    // of old plain files (the mark stays); false when stopped.
    bool PrepareFolders(const std::string& folder);
    // Copies the files into the folder prepared, then places the files that
    // every server copy needs (also after a failure or Cancel in the files).
    void CopyInto(const std::string& folder);

    // A failure is recorded or the user cancelled.
    bool Stopped() const;
    CopyError& Error() { return error_; }
    const CopyError& Error() const { return error_; }
    // The folder-list entries the copy prepared below its folder.
    std::vector<std::string> ListedFolders() const;
    std::size_t FilesListed() const { return files_.size(); }
    std::size_t FilesCopied() const { return filesCopied_; }
    unsigned long long BytesCopied() const { return bytesCopied_; }

  private:
    std::string FromRoot(const std::string& relative) const;
    void CopyFiles(const std::string& folder);
    void PlaceClosingFiles(const std::string& folder);

    const std::string root_;
    CopyDisplay& progress_;
    CopyError error_;
    std::vector<std::string> folders_;
    std::vector<ImageFile> files_;
    std::size_t filesCopied_ = 0;
    unsigned long long bytesCopied_ = 0;
};
