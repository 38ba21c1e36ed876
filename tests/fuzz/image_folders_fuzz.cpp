// The [SELVORFOLDERS] reader: the input is the whole Install.ini. Every entry
// it returns is a line of the section as written, and the file list built
// from the entries stays inside the image.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "wizard/base/SetupSession.h"
#include "wizard/servercopy/ImageFiles.h"
#include "wizard/servercopy/ImageFolderList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FakeRun run;
    const std::string ini(reinterpret_cast<const char*>(data), size);
    const std::string image = fuzzing::Sandbox() + "/image";
    platform::files::CreateOneFolder(image);
    platform::files::CreateOneFolder(image + "/WSROOT");
    Session().SetupRoot = image;
    Session().InstallIniPath = image + "/WSROOT/Install.ini";
    if (!platform::files::WriteWholeFile(Session().InstallIniPath, ini)) return 0;

    std::vector<std::string> folders;
    CopyError error;
    const int count = ReadImageFolderList(folders, error);
    if (count != static_cast<int>(folders.size())) __builtin_trap();
    for (const std::string& entry : folders) {
        // An entry is never empty and never holds a line end.
        if (entry.empty() || entry.find_first_of("\r\n") != std::string::npos) __builtin_trap();
    }
    ListImageFiles(image, folders, error);
    return 0;
}
