// The wizard runs from a CD, a share or a download folder where anyone may
// have put a DLL: load DLLs from the system folder only.
#pragma once

namespace platform {

void RestrictDllSearchToSystemFolder();

}  // namespace platform
