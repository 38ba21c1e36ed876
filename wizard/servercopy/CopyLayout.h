// Where the files of the image come from and where they go on the server.
#pragma once

#include <optional>
#include <string>

// The image folder named by a folder-list entry ("..\" steps resolved, or
// dropped for a full server image); empty when the path is rejected.
std::string SourceFolderOf(const std::string& imageRoot, const std::string& entry);
// The folder that receives an entry's files: the target itself for the
// workstation files ("WSROOT" exactly), else the entry, normalised, below it.
// nullopt when the shell rejects the entry: its files have no folder to go to.
std::optional<std::string> TargetFolderOf(const std::string& target, const std::string& entry);
// The folder made for an entry before the files are copied; nullopt as above.
std::optional<std::string> PreparedFolderOf(const std::string& target, const std::string& entry);
