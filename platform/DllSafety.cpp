#include "platform/DllSafety.h"

#include <windows.h>

namespace platform {

void RestrictDllSearchToSystemFolder() {
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Also drop the current folder from the search of plain LoadLibrary calls.
    SetDllDirectoryW(L"");
}

}  // namespace platform
