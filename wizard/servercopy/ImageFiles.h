// The files of the image that the server copy takes.
#pragma once

#include <string>
#include <vector>

#include "wizard/servercopy/CopyError.h"

struct ImageFile {
    std::string name;
    std::string entry;  // the folder-list entry it was found in, as written
};

// The plain files (no folders, hidden or system files) of every listed
// folder of the image, folder by folder in list order; a folder listed twice
// gives its files twice, a missing folder none.
std::vector<ImageFile> ListImageFiles(const std::string& imageRoot,
                                      const std::vector<std::string>& folders, CopyError& error);
