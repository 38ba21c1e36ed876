#include "tests/support/Cabinets.h"

#include <sstream>

#include "shared/Text.h"
#include "tests/support/TempFolder.h"

namespace testing_support {
namespace {

std::string CabinetFolder() { return std::string(PROGRAM_DIR) + "\\tests\\cabinets\\"; }

}  // namespace

std::string BuiltCabinet(const std::string& name) { return CabinetFolder() + name + ".cab"; }

std::vector<std::string> ReferenceListing(const std::string& name) {
    // Lines look like "   12 | 08.12.2026 05:15:00 | data/sub/x.txt".
    std::istringstream listing(ReadFileText(CabinetFolder() + name + ".list"));
    std::vector<std::string> files;
    std::string line;
    while (std::getline(listing, line)) {
        size_t bar = line.rfind(" | ");
        if (bar == std::string::npos || line.find(" | ") == bar) continue;
        const std::string size = text::Trim(line.substr(0, line.find(" | ")));
        if (size.empty() || size.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string file = line.substr(bar + 3);
        if (!file.empty() && file.back() == '\r') file.pop_back();
        files.push_back(text::ReplaceAll(file, "/", "\\"));
    }
    return files;
}

std::string ReferenceContents(const std::string& name, const std::string& file) {
    return ReadFileText(CabinetFolder() + name + ".ref\\" + file);
}

}  // namespace testing_support
