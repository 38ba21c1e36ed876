// The program's role, chosen by the file name it was started under.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

enum class ProgramRole { InternetUpdate, WorkstationSetup, MediumSetup, Ordinary, Count };

// How the run's record names each role.
inline constexpr std::array<std::string_view, static_cast<std::size_t>(ProgramRole::Count)>
    kProgramRoleNames{"update-assistant", "workstation-setup", "medium-setup", "setup"};
static_assert(kProgramRoleNames.size() == static_cast<std::size_t>(ProgramRole::Count));

// The program's own file, as the system names it; asked again only while
// the system could not tell it.
const std::string& ProgramFile();
// The program file name without folder and extension, upper-cased.
std::string ProgramBaseName();
ProgramRole CurrentRole();
inline std::string_view RoleName(ProgramRole role) {
    return kProgramRoleNames.at(static_cast<std::size_t>(role));
}
// The program's folder, without a trailing backslash.
std::string ProgramFolder();
// The fixed application title (message captions, the Run entry's name).
inline constexpr const char* kApplicationTitle = "Paldrix";
