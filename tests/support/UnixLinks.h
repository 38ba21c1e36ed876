// Symbolic links made on the host side of Wine. Wine 8 creates no links
// through Win32 (CreateSymbolicLinkA does nothing, junctions are not
// supported), but shows a host link to a folder as a reparse point, which is
// what a link inside a folder tree looks like to the programs. A host link to
// a file looks like a plain file, and Wine 8 deletes its target when asked to
// delete it, so only folder links are of use.
#pragma once

#include <string>

namespace testing_support {

// Makes `link` a host symbolic link to `target` (both Windows paths).
bool MakeHostSymlink(const std::string& target, const std::string& link);
// Removes a host link (or file) that Win32 cannot remove.
bool RemoveHostLink(const std::string& link);

}  // namespace testing_support
