// The tests' file reader on Windows: shared for writing, so that a test that
// watches a file a running program appends to (the run's record) does not
// make that program's writes fail meanwhile.
#include <windows.h>

#include <string>

#include "platform/TextConversion.h"
#include "tests/support/TempFolder.h"

namespace testing_support {

std::string ReadFileText(const std::string& path) {
    HANDLE file = CreateFileW(platform::ToWide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

}  // namespace testing_support
