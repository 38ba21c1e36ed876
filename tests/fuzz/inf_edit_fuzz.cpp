// Editing the patch package's INF: the input is the whole P_TL_UPD.inf.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Files.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "wizard/updates/InfEditing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FakeRun run;
    const std::string folder = fuzzing::Sandbox() + "/";
    if (!platform::files::WriteWholeFile(folder + "P_TL_UPD.inf",
                                         std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    if (!EditUpdateInf(folder)) __builtin_trap();  // a plain file must always be editable
    return 0;
}
