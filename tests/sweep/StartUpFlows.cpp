// Start-up as far as the first page: stopping the running background
// services and installing the missing runtime packages; and the update
// assistant applying a patch package, fetched by its tool or already there.
#include <algorithm>
#include <string>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "shared/Text.h"
#include "tests/support/PageWalk.h"
#include "tests/support/RuntimePackages.h"
#include "tests/support/UpdateInstallation.h"
#include "tests/sweep/SweepFlow.h"
#include "ui/Form.h"
#include "wizard/base/SetupSession.h"
#include "wizard/program/StartWizard.h"
#include "wizard/updates/UpdateMessages.h"

namespace fault_sweep {
namespace {

using testing_support::RuntimePackages;
using testing_support::TempFolder;

// The first page is up, or the wizard said that it could not show it.
bool FirstPageUp(const platform::FakePlatform& fake) {
    const ui::Form* page = testing_support::CurrentPage();
    if (page != nullptr && page->Name() == "Welcome") return true;
    return Shown(fake, "konnte nicht angezeigt werden") > 0;
}

class StartUpFlow : public Flow {
  public:
    explicit StartUpFlow(platform::FakePlatform& fake) : fake_(fake), packages_(fake, image_) {
        image_.Write("WSROOT\\Install.ini",
                     std::string("[Application]\r\nInstallType=NEW\r\n") +
                         RuntimePackages::kInstallIniSections);
        image_.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        fake_.programFilePath = image_ / "Paldrix.exe";
        fake_.serviceStates = {{"ZVBKPSRV", 4}, {"ZevrinExchangeSync", 4}};
        fake_.processes = std::vector<std::string>{kMonitor};
        fake_.onStart = [this](const platform::RecordedStart& start) { packages_.OnStart(start); };
        fake_.onPump = [this] { packages_.OnPump(); };
    }
    void Act() override { StartWizard(); }
    // Every package that must run was started or its start told why not;
    // every component stopped was told of; the first page follows.
    std::string Judge() override {
        // A wizard that finds another one running says so and ends before
        // it changes anything.
        if (Shown(fake_, "wird bereits ausgeführt") > 0) {
            return packages_.started.empty() && !Asked("SendServiceStop", "")
                       ? std::string()
                       : "a second wizard went on beside the first";
        }
        const int missing = static_cast<int>(RequiredPackages() - packages_.started.size());
        if (missing > StartFailuresShown(fake_)) {
            return std::to_string(missing) + " runtime packages neither started nor reported";
        }
        for (const auto& [asked, told] : kStops) {
            if (Asked(asked.name, asked.part) && Shown(fake_, told) == 0) {
                return std::string(asked.part) + " was ended without its warning";
            }
        }
        if (!FirstPageUp(fake_)) return "start-up ended before the first page without a word";
        return {};
    }
    void Spoil() override { packages_.started.pop_back(); }

  private:
    static constexpr const char* kMonitor = "Zevrin.App.ZevrinFTPLookUp.exe";
    struct AskedCall {
        const char* name;
        const char* part;
    };
    static constexpr std::pair<AskedCall, const char*> kStops[] = {
        {{"SendServiceStop", "ZVBKPSRV"}, "D A T E N S I C H E R U N G S D I E N S T"},
        {{"SendServiceStop", "ZevrinExchangeSync"}, "E X C H A N G E"},
        {{"RunCommandLine", "/IM Zevrin.App.ZevrinFTPLookUp.exe"}, "N O T F A L L A U F T R A G"},
    };

    bool Started(const char* program) const {
        const auto& started = packages_.started;
        return std::find(started.begin(), started.end(), program) != started.end();
    }
    // Nothing is installed: the first package and the three x86 ones must
    // run; an x64 one when its x86 sibling left the runtime missing on a
    // system known to be 64-bit (WMI that fails reads as 32-bit).
    std::size_t RequiredPackages() const {
        std::size_t required = 4;
        if (Failed("ComputerSystemTypes")) return required;
        required += Started("vc110_x86.exe") ? 0 : 1;
        required += Started("vc120_x86.exe") ? 0 : 1;
        return required;
    }

    platform::FakePlatform& fake_;
    TempFolder image_;
    RuntimePackages packages_;
};

class UpdateFlow : public Flow {
  public:
    UpdateFlow(platform::FakePlatform& fake, bool localUpdate) : fake_(fake), assistant_(fake) {
        fake_.programFilePath = assistant_.install / "INETSETUP.EXE";
        fake_.messageAnswers = {platform::answer::Yes};
        if (localUpdate) {
            fake_.commandLine = "-LOCALUPDATE";
            assistant_.DeliverPackage();
        } else {
            // The tool fetches the package while it runs.
            fake_.onStart = [this](const platform::RecordedStart& start) {
                if (start.file == "\"Ubrel.exe\"") assistant_.DeliverPackage();
            };
        }
    }
    void Act() override { StartWizard(); }
    std::string Judge() override {
        if (!Session().InternetUpdate) return JudgeEnded();
        if (std::string broken = JudgeUnpacked(); !broken.empty()) return broken;
        if (std::string broken = JudgeEdited(); !broken.empty()) return broken;
        if (!FirstPageUp(fake_)) return "the update went on, but no page came";
        return {};
    }
    void Spoil() override { platform::files::DeleteFileAt(TmpSetup("Setups\\TL_UPD.CAB")); }

  private:
    std::string TmpSetup(const std::string& name) const {
        return assistant_.install / ("TmpSetup\\" + name);
    }
    std::string Read(const char* section, const char* key, const std::string& file) const {
        return platform::profile::ReadString(section, key, "<none>", file);
    }

    // An assistant that does not go on has told why; only a package that is
    // not there (also where no installation folder is registered) ends it
    // without a word.
    std::string JudgeEnded() const {
        if (SomethingReported(fake_)) return {};
        if (Failed("files::FileExists", "P_Q_VORLAUF.CAB")) return {};
        if (Failed("ReadRegistry", "Destinations\\QUENOR")) return {};
        return "the update was not applied, without a word";
    }
    // An update that goes on has unpacked every file of its cabinet and
    // taken the package's other files along.
    std::string JudgeUnpacked() const {
        for (const auto& [name, bytes] : testing_support::UpdateInstallation::CabinetMembers()) {
            if (name == "Setups\\P_TL_UPD.inf") continue;  // edited, judged below
            if (testing_support::ReadFileText(TmpSetup(name)) != bytes) return name + " not unpacked";
        }
        if (testing_support::ReadFileText(TmpSetup("Setups\\TL_UPD.CAB")) != "second cabinet") {
            return "TL_UPD.CAB not taken along";
        }
        return {};
    }
    // The INF edits are done or told of; what a failed read or file test
    // finds missing is left as it is for a missing thing.
    std::string JudgeEdited() const {
        if (EditErrorReported()) return {};
        const std::string inf = TmpSetup("Setups\\P_TL_UPD.inf");
        // A package INF that is not there is left alone.
        if (!Failed("files::FileExists", "P_TL_UPD.inf")) {
            // A VersionFile that reads as missing is not moved.
            const bool versionRead = !Failed("profile::ReadString", "VersionFile");
            if (versionRead && (Read("PROJECT PROPERTIES", "VersionFile", inf) != "<none>" ||
                                Read("PROJECT PROPERTIES", ";VersionFile", inf) != "x.ver")) {
                return "P_TL_UPD.inf: VersionFile not turned into a comment";
            }
            if (Read("COMPONENTS", "P_Q_Vorlauf", inf) != "<none>") {
                return "P_TL_UPD.inf: P_Q_Vorlauf still a component";
            }
        }
        return JudgeRecord();
    }
    std::string JudgeRecord() const {
        const std::string record = Read("PATCHES", "P_Q_Vorlauf.inf", assistant_.ProductInf());
        if (record == testing_support::UpdateInstallation::kPatchRecord) return {};
        // No product INF where the installation folder is read: no record.
        if (Failed("files::FileExists", "Tolvane.inf") || Failed("ReadRegistry", "QUENOR")) return {};
        // No package INF: the record is removed.
        if (Failed("files::FileExists", "P_Q_VORLAUF.INF") && record == "<none>") return {};
        // A field that reads as missing is empty.
        if (Failed("profile::ReadString", "LastUpdated") || Failed("profile::ReadString", "Title")) {
            return {};
        }
        return "Tolvane.inf records " + record;
    }

    // The edits report their own errors in a box without icon.
    bool EditErrorReported() const {
        for (const auto& message : fake_.messages) {
            if (message.caption == kUpdateCaption && message.style == platform::mb::Ok) return true;
        }
        return Failed("ShowMessage");
    }

    platform::FakePlatform& fake_;
    testing_support::UpdateInstallation assistant_;
};

}  // namespace

std::vector<FlowRow> StartUpFlows() {
    return {
        {"start-up with services and runtime packages",
         [](platform::FakePlatform& fake) { return std::make_unique<StartUpFlow>(fake); }},
        {"update assistant fetching a patch package",
         [](platform::FakePlatform& fake) { return std::make_unique<UpdateFlow>(fake, false); }},
        {"update assistant with a local patch package",
         [](platform::FakePlatform& fake) { return std::make_unique<UpdateFlow>(fake, true); }},
    };
}

}  // namespace fault_sweep
