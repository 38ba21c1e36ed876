// Applying a downloaded patch package and recording which pre-run patch the
// installed product received.
#pragma once

#include <string>

// Unpacks download folder + "P_Q_VORLAUF.CAB" into the temporary setup
// folder, copies the package's other files into its "Setups\" folder and
// edits the INF files. False without a message when the cabinet is missing;
// false after reporting any other error. Both folders end in a backslash.
bool ApplyPatchPackage(const std::string& tempSetupFolder, const std::string& downloadFolder);

// Writes "dd.mm.yyyy hh:nn,LastUpdated,Title" of the package's
// P_Q_VORLAUF.INF into the installed Tolvane.inf; without that INF the
// record is removed.
bool RecordPatchLevel(const std::string& downloadFolder);

// Drops the [PATCHES] section of Tolvane.inf, keeping the pre-run record
// under [PROJECT PROPERTIES], so that the service release installs again.
bool ClearPatchRecord();
