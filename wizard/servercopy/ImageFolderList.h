// The folders of the image that the server copy takes: the section
// [SELVORFOLDERS] of Install.ini, read as plain text lines.
#pragma once

#include <string>
#include <vector>

#include "wizard/servercopy/CopyError.h"

// Appends the entries of the section, in file order and as written (blanks
// kept), to `folders` and returns their number. When Install.ini cannot be
// read the failure is recorded and the result is 0.
int ReadImageFolderList(std::vector<std::string>& folders, CopyError& error);
