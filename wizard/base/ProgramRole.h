// The program's role, chosen by the file name it was started under.
#pragma once

#include <string>

enum class ProgramRole { InternetUpdate, WorkstationSetup, MediumSetup, Ordinary };

// The program file name without folder and extension, upper-cased.
std::string ProgramBaseName();
ProgramRole CurrentRole();
// The program's folder, without a trailing backslash.
std::string ProgramFolder();
// The fixed application title (message captions, the Run entry's name).
inline constexpr const char* kApplicationTitle = "Paldrix";
