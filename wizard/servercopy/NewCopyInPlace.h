// Putting a new copy made beside an earlier complete one in its place: the
// earlier copy stays whole and usable while the new one is made, and gives
// way only once the new one is complete.
#pragma once

#include <string>
#include <vector>

#include "wizard/servercopy/CopyError.h"

// True when the folder holds a copy that workstations can install from: its
// Selvor.exe, and no mark of an incomplete copy.
bool HoldsCompleteCopy(const std::string& folder);
// The folder where the new copy for `target` is made beside an earlier one.
std::string NewCopyFolderOf(const std::string& target);
// Marks `target` incomplete and moves every file of the new copy into it,
// folder by folder (the target itself and each listed folder below it); the
// old file of the same name, and every plain file the new copy does not
// hold, go into `newCopy` first, to be removed with it. The first failure is
// recorded and ends the move; `target` then stays marked. A Cancel does not
// stop it.
void MoveNewCopyIntoPlace(const std::string& newCopy, const std::string& target,
                          const std::vector<std::string>& listedFolders, CopyError& error);
