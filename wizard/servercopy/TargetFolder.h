// Getting a folder of the server copy ready.
#pragma once

#include <string>

// Creates the folder (one level) and deletes every plain file in it, also
// files the image no longer holds; subfolders stay. Failures are ignored:
// the copies into the folder then report them. The windows keep answering.
void PrepareTargetFolder(const std::string& path);
