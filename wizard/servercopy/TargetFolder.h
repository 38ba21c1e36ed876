// Getting a folder of the server copy ready.
#pragma once

#include <string>

// Creates the folder (one level) and deletes every plain file in it, also
// files the image no longer holds, but not the mark of an incomplete copy;
// subfolders stay. Failures are ignored: the copies into the folder then
// report them. The windows keep answering.
void PrepareTargetFolder(const std::string& path);
// Removes a folder with everything in it, as far as it goes, while the
// windows keep answering; a link in it is removed, never followed.
void RemoveFolderWhileAnswering(const std::string& path);
