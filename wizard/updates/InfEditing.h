// Editing the patch package's P_TL_UPD.inf.
#pragma once

#include <string>

// `folder` must end in a backslash: the file name is appended directly.
// Turns [PROJECT PROPERTIES] VersionFile into the comment key ";VersionFile"
// and removes [COMPONENTS] P_Q_Vorlauf. True when it ran to its end; true
// without changes when the folder holds no P_TL_UPD.inf.
bool EditUpdateInf(const std::string& folder);
// The same edit on the INF file itself.
bool EditUpdateInfFile(const std::string& file);
// The edit "-EDITINF <word>" asks for: the word names the INF file when such
// a file exists, otherwise the folder that holds P_TL_UPD.inf. True when a
// file was found and edited.
bool EditUpdateInfNamedBy(const std::string& word);
