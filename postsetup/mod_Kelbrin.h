// The post-setup program: starts again the background components the wizard
// ended before the installation, as its registry flags record, tells the
// user about each, resets the flags, and finally starts ZVNGen.exe.
#pragma once

#include <string>

// Caption of the program's own messages.
inline constexpr const char* kKelbrinTitle = "Kelbrin";

// The whole program run; returns the exit code. No exception escapes.
int RunKelbrin();

// After a silent setup (its value in the suite key, shared/modRegistry.h)
// no one is at the screen: the notices go to the setup's record instead of
// boxes, or nowhere when it keeps none, and the value is reset.
void FollowASilentSetup();

// Reads the Quenor installation folder from the destinations key of this
// system's bitness and keeps it, ending in a backslash, for the steps below.
void ReadQnInstallFolder();
const std::string& QnInstallFolder();

void RestartEmergencyOrderMonitor();
void RestartBackupService();
void RestartExchangeSync();
// Starts ZVNGen.exe from the installation folder; a missing program is
// reported with its path.
void StartZvnGen();
