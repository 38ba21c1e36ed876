// Deleting an old installation folder from the server.
#pragma once

#include <string>

// Deletes the folder with everything in it, stopping at the first file or
// folder that cannot be removed (a read-only file, a folder that still holds
// hidden or system files) with one message; what was deleted before stays
// deleted. A junction or symbolic link is removed itself, never what it
// points to. True when the whole tree is gone.
bool DeleteFolderTree(const std::string& path);
