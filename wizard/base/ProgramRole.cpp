#include "wizard/base/ProgramRole.h"

#include "platform/Platform.h"
#include "shared/Text.h"
#include "wizard/base/SetupSession.h"

const std::string& ProgramFile() {
    // The file does not change while the program runs: asked once it is
    // known, the role and the folder cannot change from one step to the next.
    std::string& path = Session().ProgramPath;
    if (path.empty()) path = platform::Current().ProgramFilePath();
    return path;
}

std::string ProgramBaseName() {
    const std::string& path = ProgramFile();
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
    const std::string& path = ProgramFile();
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
