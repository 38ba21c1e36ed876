// Small path procedures of the cabinet reader.
#pragma once

#include <string>

// The path with "\" appended unless it already ends in one; "" gives "\".
std::string AddBackslash(const std::string& path);

struct SplitPathResult {
    std::string folder;  // up to and including the last "\", or empty
    std::string file;    // the rest
};
SplitPathResult SplitPath(const std::string& path);

// Creates the folder and every missing parent; true when it exists afterwards.
bool CreateFolderPath(const std::string& folder);
