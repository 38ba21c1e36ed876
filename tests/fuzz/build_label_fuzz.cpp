// The Welcome page's build label from the Version.ini build text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/fuzz/FuzzSandbox.h"
#include "wizard/pages/Welcome.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FakeRun run;
    const std::string build(reinterpret_cast<const char*>(data), size);
    const std::string label = BuildLabel(build);
    // The build is shown as it stands, whatever date it gives.
    if (label.compare(0, 7 + build.size() + 3, "Build: " + build + " - ") != 0) __builtin_trap();
    return 0;
}
