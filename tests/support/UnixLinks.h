// Symbolic links made on the host side of Wine. Wine 8 creates no links
// through Win32 (CreateSymbolicLinkA does nothing, junctions are not
// supported), but shows a host link to a folder as a reparse point, which is
// what a link inside a folder tree looks like to the programs. A host link to
// a file looks like the file itself, even opened with
// FILE_FLAG_OPEN_REPARSE_POINT; only the handle's resolved path names the
// target. Wine 8 deletes the target when asked to delete such a link.
#pragma once

#include <string>

namespace testing_support {

// Makes `link` a host symbolic link to `target` (both Windows paths).
bool MakeHostSymlink(const std::string& target, const std::string& link);
// Removes a host link (or file) that Win32 cannot remove.
bool RemoveHostLink(const std::string& link);

}  // namespace testing_support
