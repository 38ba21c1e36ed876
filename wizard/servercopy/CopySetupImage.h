// Copying the workstation part of the setup image to a server folder, so
// that further workstations can be installed from there with Selvor.exe.
#pragma once

#include <string>

#include "wizard/servercopy/CopyPage.h"

// Result of a run whose image root holds no WSROOT\Selvor.exe.
inline constexpr int kImageNotFound = 1;

// Copies the image into `target`, showing its progress on the page, and sets
// ContinueFromServerCopy after a complete run. Returns 0 when the run ended
// without failure or was cancelled, kImageNotFound, or the Win32 code of the
// first failure, which has then been shown to the user.
int CopySetupImage(const CopyPageControls& page, const std::string& target);
