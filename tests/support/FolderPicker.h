// Chooses a folder in the shell's folder picker of another process, as a user
// does: item by item down the tree, each expanded with the Right key, and OK
// pressed at the end. The tree's item texts are read in that process's
// memory, since a tree view hands them over only there.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// `path` is a drive path such as "C:\users\Łukasz\Server"; true once the
// folder is selected and OK pressed.
bool ChooseInFolderPicker(HWND picker, DWORD processId, const std::string& path);

}  // namespace testing_support
