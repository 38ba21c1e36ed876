#include "tests/support/RuntimePackages.h"

namespace testing_support {

const std::map<std::string, std::string> RuntimePackages::kPackages = {
    {"vcredist2.exe", ""},     {"vc110_x86.exe", "11.0"}, {"vc120_x86.exe", "12.0"},
    {"vc140_x86.exe", "14.0"}, {"vc110_x64.exe", "11.0"}, {"vc120_x64.exe", "12.0"},
};

const char* const RuntimePackages::kInstallIniSections =
    "[VCRedist2]\r\nRUN=WSROOT\\VC\\vcredist2.exe /q\r\n"
    "[VCRedist110x86]\r\nRUN=WSROOT\\VC\\vc110_x86.exe /q\r\n"
    "[VCRedist120x86]\r\nRUN=WSROOT\\VC\\vc120_x86.exe /q\r\n"
    "[VCRedist140x86]\r\nRUN=WSROOT\\VC\\vc140_x86.exe /q\r\n"
    "[VCRedist110x64]\r\nRUN=WSROOT\\VC\\vc110_x64.exe /q\r\n"
    "[VCRedist120x64]\r\nRUN=WSROOT\\VC\\vc120_x64.exe /q\r\n";

std::string RuntimeKey(const std::string& version, bool wow) {
    return std::string(wow ? "SOFTWARE\\Wow6432Node" : "SOFTWARE") +
           "\\Microsoft\\VisualStudio\\" + version + "\\VC\\Runtimes\\x86";
}

RuntimePackages::RuntimePackages(platform::FakePlatform& fake, const TempFolder& image)
    : fake_(fake) {
    for (const auto& [program, version] : kPackages) image.Write("WSROOT\\VC\\" + program, "x");
}

void RuntimePackages::OnStart(const platform::RecordedStart& start) {
    // The shell is handed the path in quotes.
    const size_t slash = start.file.find_last_of('\\');
    if (slash == std::string::npos || start.file.size() < slash + 2) return;
    const std::string program = start.file.substr(slash + 1, start.file.size() - slash - 2);
    const auto package = kPackages.find(program);
    if (package == kPackages.end()) return;
    started.push_back(program);
    fake_.processes = std::vector<std::string>{program};
    if (!package->second.empty() && failing.count(program) == 0) SetRuntime(package->second, false);
}

void RuntimePackages::OnPump() { fake_.processes = std::vector<std::string>{}; }

void RuntimePackages::SetRuntime(const std::string& version, bool wow) {
    fake_.SetRegistry(platform::RegistryRoot::LocalMachine, RuntimeKey(version, wow), "Version",
                      platform::RegistryValue::FromText("11.0.61030"));
}

}  // namespace testing_support
