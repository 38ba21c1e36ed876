// The command-line walk, with INF files in the current folder for "-EDITINF"
// to find (by file name, or by folder as "sub\").
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Files.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "wizard/program/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FakeRun run;
    const std::string inf =
        "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\n[COMPONENTS]\r\nP_Q_Vorlauf=1\r\n";
    const std::string sandbox = fuzzing::Sandbox();
    platform::files::CreateOneFolder(sandbox + "/sub");
    platform::files::WriteWholeFile(sandbox + "/P_TL_UPD.inf", inf);
    platform::files::WriteWholeFile(sandbox + "/sub/P_TL_UPD.inf", inf);
    run.fake.programFilePath = "C:\\Suite\\INETSETUP.EXE";
    ParseCommandLine(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
