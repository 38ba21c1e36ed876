// The system's dialogs: message boxes and the folder picker.
#include <windows.h>
// after windows.h, which it needs
#include <shlobj.h>

#include "platform/ComScope.h"
#include "platform/Win32Platform.h"

namespace platform {

int Win32Platform::ShowMessage(const std::string& text, const std::string& caption, int style) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(),
                       static_cast<UINT>(style) | MB_SETFOREGROUND);
}

std::string Win32Platform::BrowseForFolder(const std::string& title, std::intptr_t ownerWindow,
                                           bool newStyle) {
    ComScope com;
    BROWSEINFOA info{};
    info.hwndOwner = reinterpret_cast<HWND>(ownerWindow);
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | (newStyle ? BIF_NEWDIALOGSTYLE : 0);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr) return {};
    char path[MAX_PATH] = {};
    SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    return std::string(path, strnlen(path, MAX_PATH));
}

}  // namespace platform
