// The cabinet reader's decision per stored name and the target path it
// builds: each input line becomes the name of a member of a stored cabinet,
// which is extracted into a target folder. Whatever the names, nothing may
// be written outside that folder or under a device name.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "shared/Text.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "tests/support/StoredCabinet.h"
#include "wizard/updates/CabFile.h"

namespace fs = std::filesystem;

namespace {

bool IsDevice(std::string name) {
    name = text::Upper(name.substr(0, name.find('.')));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (name == device) return true;
    }
    if (name.rfind("COM", 0) != 0 && name.rfind("LPT", 0) != 0) return false;
    // A digit, or a superscript one, two or three (written here in UTF-8).
    const std::string number = name.substr(3);
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "¹" ||
           number == "²" || number == "³";
}

// Everything in the sandbox lies in the target folder, under names that
// open no device; the cabinet itself is the one other file.
void CheckWhatWasWritten(const fs::path& target, const fs::path& cabinet) {
    for (const auto& entry : fs::recursive_directory_iterator(fuzzing::Sandbox())) {
        const fs::path& path = entry.path();
        if (path == cabinet || path == target ||
            path.parent_path() == fs::path(fuzzing::Sandbox()) / "drives")
            continue;
        const fs::path relative = path.lexically_relative(target);
        if (relative.empty() || *relative.begin() == "..") __builtin_trap();
        for (const fs::path& segment : relative) {
            if (IsDevice(segment.string())) __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FakeRun run;
    const fs::path sandbox = fuzzing::Sandbox();
    const fs::path target = sandbox / "target", cabinet = sandbox / "input.cab";

    std::vector<testing_support::StoredEntry> entries;
    std::string name;
    for (std::size_t i = 0; i <= size && entries.size() < 64; ++i) {
        const char c = i < size ? static_cast<char>(data[i]) : '\n';
        if (c != '\n') {
            // A stored name ends at its NUL and holds at most 255 characters.
            if (c != '\0' && name.size() < 255) name += c;
            continue;
        }
        entries.push_back({name, "member " + std::to_string(entries.size())});
        name.clear();
    }
    if (!testing_support::WriteStoredCabinet(cabinet.string(), entries)) return 0;

    CabFile cab;
    cab.SetCabName(cabinet.string());
    try {
        cab.Extract("", target.string(), "");
    } catch (const CabError&) {
        // Refused names and failed writes are reported this way.
    }
    CheckWhatWasWritten(target, cabinet);
    fs::remove_all(target);
    return 0;
}
