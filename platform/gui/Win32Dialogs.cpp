// The system's dialogs: message boxes and the folder picker.
#include <windows.h>
// after windows.h, which it needs
#include <shlobj.h>

#include "platform/ComScope.h"
#include "platform/TextConversion.h"
#include "platform/Win32Platform.h"

namespace platform {

int Win32Platform::ShowMessage(const std::string& text, const std::string& caption, int style) {
    return MessageBoxW(GetActiveWindow(), ToWide(text).c_str(), ToWide(caption).c_str(),
                       static_cast<UINT>(style) | MB_SETFOREGROUND);
}

std::string Win32Platform::BrowseForFolder(const std::string& title, std::intptr_t ownerWindow,
                                           bool newStyle) {
    ComScope com;
    const std::wstring wideTitle = ToWide(title);
    BROWSEINFOW info{};
    info.hwndOwner = reinterpret_cast<HWND>(ownerWindow);
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | (newStyle ? BIF_NEWDIALOGSTYLE : 0);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr) return {};
    wchar_t path[MAX_PATH] = {};
    SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    return FromWide(std::wstring_view(path, wcsnlen(path, MAX_PATH)));
}

}  // namespace platform
