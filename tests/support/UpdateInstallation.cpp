#include "tests/support/UpdateInstallation.h"

#include "shared/modRegistry.h"
#include "tests/support/StoredCabinet.h"

namespace testing_support {

UpdateInstallation::UpdateInstallation(platform::FakePlatform& fake) : fake_(fake) {
    install.Write("ZVTLM.exe", "tool");
    install.Write("Internet-Assistent\\Ubrel.exe", "tool");
    install.MakeFolder("Internet-Assistent\\Download");
    install.Write("Tolvane.inf", "[PATCHES]\r\nP_Q_Vorlauf.inf=old\r\n");
    // Registered without a trailing backslash: the check completes it.
    Register(install.path());
    // The patch record reads the folder as stored, so the installer wrote
    // it there with one.
    fake_.SetRegistry(RegistryRoot::LocalMachine, kDestinationsKeyWow, "QUENOR",
                      RegistryValue::FromText(install.path() + "\\"));
}

void UpdateInstallation::Register(const std::string& folder) {
    fake_.SetRegistry(RegistryRoot::LocalMachine, kDestinationsKey, "QUENOR",
                      RegistryValue::FromText(folder));
}

std::string UpdateInstallation::Download(const std::string& name) const {
    return install / ("Internet-Assistent\\Download\\" + name);
}

const std::vector<std::pair<std::string, std::string>>& UpdateInstallation::CabinetMembers() {
    static const std::vector<std::pair<std::string, std::string>> members = {
        {"WSROOT\\Install.ini", "[Application]\r\nInstallType=UPDATE\r\n"},
        {"WSROOT\\Version.ini", "[Common]\r\nVersion=8.1\r\nBuild=1200\r\n"},
        {"Setups\\readme.txt", "x"},
        {"Setups\\P_TL_UPD.inf",
         "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\nName=TL\r\n[COMPONENTS]\r\n"
         "P_Q_Vorlauf=1\r\nTL=1\r\n"},
    };
    return members;
}

void UpdateInstallation::DeliverPackage() const {
    std::vector<StoredEntry> entries;
    for (const auto& [name, bytes] : CabinetMembers()) entries.push_back({name, bytes});
    WriteStoredCabinet(Download("P_Q_VORLAUF.CAB"), entries);
    install.Write("Internet-Assistent\\Download\\TL_UPD.CAB", "second cabinet");
    install.Write("Internet-Assistent\\Download\\P_Q_VORLAUF.INF",
                  "[PROJECT PROPERTIES]\r\nLastUpdated=01.02.2019\r\nTitle=Vorlauf 3\r\n");
}

}  // namespace testing_support
