// The post-setup program: starts again the background components the wizard
// ended before the installation, as its registry flags record, tells the
// user about each, resets the flags, and finally starts ZVNGen.exe.
#pragma once

#include <string>

// Caption of the program's own messages.
inline constexpr const char* kKelbrinTitle = "Kelbrin";

// The whole program run; returns the exit code. No exception escapes.
int RunKelbrin();

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
