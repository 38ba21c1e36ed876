// The machine's role and what the run installs, by name. Their numbers are
// the ones the registry value SetupMachineType, the image's install types
// and the pages' option groups use; they cross to and from numbers here only.
#pragma once

#include <string>

enum class MachineRole : int {
    SinglePc = 0,
    NetworkWorkstation = 1,
    DatabaseServer = 2,
    TerminalServerWithDatabase = 3,  // the terminal server holds the database too
    TerminalServerOnly = 4,          // the database lies on another PC
};

enum class SetupMode : int {
    NewInstallation = 0,
    Update = 1,
    NewThenUpdate = 2,  // "NEWUPDATE": the installation type page decides
};

// A stored number, whatever it is: roles outside the five stay as they are,
// and the pages treat them as the table of pages says.
inline MachineRole MachineRoleFromNumber(long number) {
    return static_cast<MachineRole>(static_cast<int>(number));
}
// The text SetupMachineType stores.
inline std::string StoredText(MachineRole role) { return std::to_string(static_cast<int>(role)); }

// The option groups of the pages are numbered by the values they stand for.
inline MachineRole MachineRoleOfOption(int index) { return static_cast<MachineRole>(index); }
inline int OptionOf(MachineRole role) { return static_cast<int>(role); }
inline SetupMode SetupModeOfOption(int index) { return static_cast<SetupMode>(index); }
inline int OptionOf(SetupMode mode) { return static_cast<int>(mode); }

inline bool IsTerminalServer(MachineRole role) {
    return role == MachineRole::TerminalServerWithDatabase ||
           role == MachineRole::TerminalServerOnly;
}
// One of the five roles; a stored number may be anything.
inline bool IsKnownRole(MachineRole role) {
    return role >= MachineRole::SinglePc && role <= MachineRole::TerminalServerOnly;
}
// The machine that holds the database, and so may copy the setup to a server.
inline bool HoldsTheDatabase(MachineRole role) {
    return role == MachineRole::DatabaseServer || role == MachineRole::TerminalServerWithDatabase;
}
