#include "tests/support/UnixLinks.h"

#include <windows.h>

#include <vector>

#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"

namespace testing_support {
namespace {

using UnixFileName = char*(CDECL*)(const WCHAR*);

std::string HostPath(const std::string& windowsPath) {
    auto toHost = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toHost == nullptr) return {};
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* host = toHost(wide.c_str());
    if (host == nullptr) return {};
    std::string result(host);
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Wine starts host executables through CreateProcess.
bool RunHost(const char* program, const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The host change shows through Wine's view of the folder after a moment.
bool AwaitPresence(bool wanted, const std::string& path) {
    return WaitUntil([&] { return PathExists(path) == wanted; }, 5000);
}

}  // namespace

bool MakeHostSymlink(const std::string& target, const std::string& link) {
    const std::string hostTarget = HostPath(target), hostLink = HostPath(link);
    if (hostTarget.empty() || hostLink.empty()) return false;
    if (!RunHost("Z:\\bin\\ln", "/bin/ln -s \"" + hostTarget + "\" \"" + hostLink + "\""))
        return false;
    return AwaitPresence(true, link);
}

bool RemoveHostLink(const std::string& link) {
    const std::string hostLink = HostPath(link);
    if (hostLink.empty()) return false;
    if (!RunHost("Z:\\bin\\rm", "/bin/rm -f \"" + hostLink + "\"")) return false;
    return AwaitPresence(false, link);
}

}  // namespace testing_support
