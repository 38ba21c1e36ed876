// Editing the patch package's P_TL_UPD.inf.
#pragma once

#include <string>

// `folder` must end in a backslash: the file name is appended directly.
// Turns [PROJECT PROPERTIES] VersionFile into the comment key ";VersionFile"
// and removes [COMPONENTS] P_Q_Vorlauf. True when it ran to its end.
bool EditUpdateInf(const std::string& folder);
