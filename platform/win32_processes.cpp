// The process list through a tool-help snapshot, and the end of this one.
#include "platform/ScopedHandle.h"
#include "platform/Win32Platform.h"

namespace platform {

std::optional<std::vector<std::string>> Win32Platform::RunningProcessNames() {
    ScopedKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return std::nullopt;
    std::vector<std::string> names;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        // szExeFile is a fixed array; never read past it even without a NUL.
        names.emplace_back(entry.szExeFile, strnlen(entry.szExeFile, MAX_PATH));
    }
    return names;
}

void Win32Platform::ExitProgram(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

}  // namespace platform
