// Version folders on the server. An image that prescribes its install type
// is copied into a folder named after its version below the server folder,
// so that several versions lie side by side there.
#pragma once

#include <string>
#include <vector>

// "\Version_" followed by the image's version with every "." removed:
// 5.20.1 gives "\Version_5201".
std::string VersionSuffix();
// The path up to its first "\VERSION" in any case, trimmed of blanks; the
// trimmed path when it holds none; empty for a blank path.
std::string StripVersionFolder(const std::string& path);
// Every direct subfolder of the server folder that holds a Version.ini
// naming a version, as "Version <version>;<server folder>\<name>", in the
// order the listing returns them; an incomplete copy reads
// "Version <version> (unvollständig)".
std::vector<std::string> ListVersionFolders(const std::string& serverFolder);
// True when `path` is a version folder of another version than the image's
// and version folders lie beside it; Session().VersionFolders then lists
// them, otherwise it is empty.
bool FindOtherVersionFolders(const std::string& path);
