// How the native (Linux) test build reads the paths the programs and tests
// use, which are written the Windows way. Part of the host stand-ins for the
// file, profile and cabinet wrappers; never in a shipped program.
#pragma once

#include <string>

namespace platform::host {

// The host path for a path as the programs write it:
// - "\" and "/" both separate; the text ends at a NUL, as for the A functions;
// - "X:\..." lies in a folder per drive letter under DriveFolder(); a path
//   that starts with a separator is a host path (the temporary folder is
//   one); a relative path starts at the current folder;
// - "." and ".." fold away without following links, and ".." stops at the
//   root, as Windows folds them;
// - a name that differs from an existing one only in case finds it.
// Empty when the path names nothing here: empty, a server share, or outside
// the confinement.
std::string HostPath(const std::string& path);

// The folder that holds one folder per drive letter.
std::string DriveFolder();

// From now on nothing outside `folder` (a host path) is reached: every path
// that leads out of it acts as missing, and the drive letters lie inside it.
// Fuzz targets run confined, since their inputs name the files.
void ConfineTo(const std::string& folder);

// The Win32 error code for an errno value met on `hostPath`.
unsigned long Win32ErrorFor(int error, const std::string& hostPath);
// The last error of the calling thread, as GetLastError keeps it.
void SetLastError(unsigned long code);
unsigned long LastError();

}  // namespace platform::host
