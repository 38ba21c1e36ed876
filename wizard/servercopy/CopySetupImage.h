// Copying the workstation part of the setup image to a server folder, so
// that further workstations can be installed from there with Selvor.exe.
#pragma once

#include <string>

#include "wizard/servercopy/CopyDisplay.h"

// Result of a run whose image root holds no WSROOT\Selvor.exe.
inline constexpr int kImageNotFound = 1;

// Copies the image into `target`, showing its progress on `display`, and sets
// ContinueFromServerCopy after a complete run. Returns 0 when the run ended
// without failure or was cancelled, kImageNotFound, or the Win32 code of the
// first failure, which has then been shown to the user.
int CopySetupImage(CopyDisplay& display, const std::string& target);
