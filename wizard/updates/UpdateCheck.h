// The internet update assistant: lets the suite's update tool download patch
// packages, asks the user, and unpacks an accepted package into a temporary
// setup image from which the wizard then runs.
#pragma once

#include <string>

// True when at least one cabinet waits in the update tool's download folder.
// Unless `localUpdate`, the folder is emptied and the tool run first.
bool CheckForUpdates(bool localUpdate);
// Unpacks the package into installation folder + "TmpSetup\"; true when it
// was unpacked and edited.
bool PrepareUpdate();
// Deletes a folder with everything in it, read-only files included; links
// inside it are removed, never followed. False when the folder did not exist
// or is still there.
bool RemoveFolderTree(const std::string& folder);
// The gate at start-up: in the internet update role it checks, asks and
// prepares, setting the session's InternetUpdate. False when the program
// must end; other roles pass.
bool RunUpdateGate();
