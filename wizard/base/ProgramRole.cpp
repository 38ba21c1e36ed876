#include "wizard/base/ProgramRole.h"

#include "platform/Platform.h"
#include "shared/Text.h"

std::string ProgramBaseName() {
    std::string path = platform::Current().ProgramFilePath();
    std::string name = path.substr(path.find_last_of("\\/:") + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return text::Upper(name);
}

ProgramRole CurrentRole() {
    std::string name = ProgramBaseName();
    if (name == "INETSETUP") return ProgramRole::InternetUpdate;
    if (name == "SELVOR") return ProgramRole::WorkstationSetup;
    if (name == "SETUP") return ProgramRole::MediumSetup;
    return ProgramRole::Ordinary;
}

std::string ProgramFolder() {
    std::string path = platform::Current().ProgramFilePath();
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
