// System queries of the wizard: folders, path canonicalisation, the Run
// entry and the backup of the suite's dialog settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

std::string GetWindowsFolder();
// The shell's folder picker; empty when cancelled.
std::string BrowseForFolder(const std::string& title, std::intptr_t ownerWindow, bool newStyle);
// Folds "." and ".." segments; with keepServerPath (or in a workstation or
// internet-update run) only removes every "..\" without resolving it.
// Empty for a path the shell rejects (too long).
std::string CanonicalizePath(const std::string& path, bool keepServerPath);
// The same, but nullopt for a path the shell rejects, which can then be told
// from one that folds to nothing.
std::optional<std::string> CanonicalizeAccepted(const std::string& path, bool keepServerPath);
std::string CutAtNul(const std::string& value);
// Deletes one value of the current user's Run key; true when deleted.
bool RemoveRunEntry(const std::string& valueName);
void BackUpNewDialogsIni();
