// Version texts and server paths: the first line of the input is the
// image's version, the rest a remembered server folder. The suffix, the
// stripped folder and the look at other version folders must hold for any.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Files.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "wizard/base/SetupSession.h"
#include "wizard/servercopy/VersionFolders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FakeRun run;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = input.find('\n');
    const std::string version = input.substr(0, lineEnd);
    const std::string path = lineEnd == std::string::npos ? input : input.substr(lineEnd + 1);
    const std::string versionIni = fuzzing::Sandbox() + "/Version.ini";
    platform::files::WriteWholeFile(versionIni, "[Common]\r\nVersion=" + version + "\r\n");
    Session().VersionIniPath = versionIni;

    const std::string suffix = VersionSuffix();
    if (suffix.rfind("\\Version_", 0) != 0 || suffix.find('.') != std::string::npos) {
        __builtin_trap();
    }
    const std::string stripped = StripVersionFolder(path);
    if (stripped.size() > path.size()) __builtin_trap();
    if (StripVersionFolder(stripped) != stripped) __builtin_trap();  // once is enough
    FindOtherVersionFolders(path);
    return 0;
}
