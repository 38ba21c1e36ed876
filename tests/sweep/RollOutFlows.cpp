// Whole runs of the wizard program, each with its record (-LOG), as users
// and administrators start it: the setup from the medium with Help pressed
// on every page and the database tools installed, the roll-out options
// (-SAVEANSWERS, -ANSWERS, -EDITINF), the workstation setup Selvor.exe, the
// setup from a full server image, an image that prescribes an update, an
// update declined, and the wizard abandoned with the exit question.
#include <string>

#include "shared/modRegistry.h"
#include "tests/support/PageWalk.h"
#include "tests/support/RuntimePackages.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UpdateInstallation.h"
#include "tests/sweep/SweepFlow.h"
#include "wizard/pages/DBTools.h"
#include "wizard/pages/WizardPage.h"

namespace fault_sweep {
namespace {

using testing_support::TempFolder;

struct Choices {
    int installType = 0;
    int role = 0;
    bool help = false;        // Help on every page before anything else
    bool toolsLink = false;   // the database tools installed from their page
    const char* cancelOn = "";  // the page on which the user ends the wizard
};

// A user at the screen: on each page the choices, then Next.
class ScriptedUser {
  public:
    ScriptedUser(const platform::FakePlatform& fake, Choices choices)
        : fake_(fake), choices_(choices) {}

    // One action on the page in front; false once there is nothing to do.
    bool Act() {
        auto* page = dynamic_cast<WizardPage*>(testing_support::CurrentPage());
        if (page == nullptr) return false;
        if (fake_.pageWindowsCreated != page_) {
            page_ = fake_.pageWindowsCreated;
            actions_ = 0;
            helped_ = linked_ = false;
        }
        // A page that stays after every action leads nowhere.
        if (++actions_ > 4) return false;
        if (choices_.help && !helped_) {
            helped_ = true;
            page->btnHelp.Click();
        } else if (page->Name() == choices_.cancelOn) {
            page->btnCancel.Click();
        } else if (auto* tools = dynamic_cast<DBTools*>(page); tools && choices_.toolsLink && !linked_) {
            linked_ = true;
            tools->LinkInstallDBSetup.Click();
        } else {
            testing_support::Proceed(*page, choices_.installType, choices_.role);
        }
        return true;
    }

  private:
    const platform::FakePlatform& fake_;
    Choices choices_;
    int page_ = -1, actions_ = 0;
    bool helped_ = false, linked_ = false;
};

void SetSuite(platform::FakePlatform& fake, const char* name, const std::string& value) {
    fake.SetRegistry(RegistryRoot::LocalMachine, kSuiteKey, name, RegistryValue::FromText(value));
}

// A setup image and a machine whose runtimes are there and whose suite key
// holds an earlier version; `options` start the wizard.
class WholeRun : public Flow {
  public:
    WholeRun(platform::FakePlatform& fake, std::string options, Choices choices,
             const char* installType = "")
        : fake_(fake), options_(std::move(options)), packages_(fake, image_), user_(fake, choices) {
        image_.Write("WSROOT\\Install.ini",
                     std::string("[Application]\r\nRUN=Setups\\Tolvane\\Setup.exe /s\r\nInstallType=") +
                         installType +
                         "\r\n[DBTools]\r\nRUN=Setups\\DBTools\\DBToolsSetup.exe\r\n"
                         "[Checklisten]\r\nPaldrixHelp=Docs\\Hilfe.pdf\r\n" +
                         testing_support::RuntimePackages::kInstallIniSections);
        image_.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        image_.Write("Setups\\Tolvane\\Setup.exe", "installer");
        image_.Write("Setups\\DBTools\\DBToolsSetup.exe", "tools");
        image_.Write("Docs\\Hilfe.pdf", "help");
        fake_.programFilePath = image_ / "Paldrix.exe";
        SetSuite(fake_, "VCRedist2", "1");
        for (const char* version : {"11.0", "12.0", "14.0"}) packages_.SetRuntime(version, false);
        SetSuite(fake_, "Build", "900");
        SetSuite(fake_, "Release", "7.70");
        SetSuite(fake_, "Update", "7.71");
        fake_.onStart = [this](const platform::RecordedStart& start) { packages_.OnStart(start); };
        fake_.onPump = [this] { packages_.OnPump(); };
        fake_.onIdle = [this] { return user_.Act(); };
    }
    int Run() override { return RunWholeProgram(fake_, Options()); }

  protected:
    virtual std::string Options() const { return options_; }
    std::string Installer() const { return image_ / "Setups\\Tolvane\\Setup.exe"; }

    platform::FakePlatform& fake_;
    TempFolder image_, files_;
    std::string options_;
    testing_support::RuntimePackages packages_;
    ScriptedUser user_;
};

// The setup from the medium on a single PC, with Help on every page and the
// database tools installed from their page.
class MediumSetup : public WholeRun {
  public:
    explicit MediumSetup(platform::FakePlatform& fake)
        : WholeRun(fake, "", {.help = true, .toolsLink = true}) {}
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"), Is("pages", "Welcome > SystemPruefung > Install > DBTools"),
                Holds("starts", image_ / "Docs\\Hilfe.pdf"),
                Holds("starts", image_ / "Setups\\DBTools\\DBToolsSetup.exe"),
                Holds("starts", Installer()), Is(RegistryFact(kSuiteKey, "Build"), "1000"),
                Is(RegistryFact(kSuiteKey, "Release"), "7.80")};
    }
};

// A network workstation, its answers recorded.
class SavedAnswers : public WholeRun {
  public:
    explicit SavedAnswers(platform::FakePlatform& fake) : WholeRun(fake, "", {.role = 1}) {}
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"), Is("pages", "Welcome > SystemPruefung > Install"),
                Holds("starts", Installer()), Holds(FileFact(Answers()), "bytes"),
                Holds("record", "answers record=")};
    }

  protected:
    std::string Answers() const { return files_ / "answers.ini"; }
    std::string Options() const override { return "-SAVEANSWERS " + Answers(); }
};

// A single PC replayed from an answer file, with a person watching.
class ReplayedAnswers : public WholeRun {
  public:
    // Whoever watches takes over where the replay stops.
    explicit ReplayedAnswers(platform::FakePlatform& fake)
        : WholeRun(fake, "", {.toolsLink = true}) {
        fake_.timersFire = true;
        files_.Write("answers.ini",
                     "[Welcome]\r\nNext=1\r\n[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=1\r\n"
                     "Next=1\r\n[Install]\r\nInstallType=0\r\nMachineType=0\r\n"
                     "ReInstallServiceReleaseChecked=0\r\nNext=1\r\n[DBTools]\r\n"
                     "LinkInstallDBSetup=1\r\nNext=1\r\n");
    }
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"), Is("pages", "Welcome > SystemPruefung > Install > DBTools"),
                Holds("starts", image_ / "Setups\\DBTools\\DBToolsSetup.exe"),
                Holds("starts", Installer())};
    }

  protected:
    std::string Options() const override { return "-ANSWERS " + files_ / "answers.ini"; }
};

// The workstation setup in the server copy of a database server.
class WorkstationSetup : public WholeRun {
  public:
    explicit WorkstationSetup(platform::FakePlatform& fake) : WholeRun(fake, "", {.role = 1}) {
        server_.Write("Install.ini", "[Application]\r\nRUN=Setups\\Tolvane\\Setup.exe /s\r\n");
        server_.Write("Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        server_.Write("Setups\\Tolvane\\Setup.exe", "installer");
        fake_.programFilePath = server_ / "Selvor.exe";
        SetSuite(fake_, "SetupMachineType", "1");
    }
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"), Is("pages", "Welcome > SystemPruefung > Install"),
                Holds("starts", server_ / "Setups\\Tolvane\\Setup.exe"),
                Is(RegistryFact(kSuiteKey, "SelvorLocation"), server_.path()),
                Is(RegistryFact(kSuiteKey, "SelvorDestination"), "")};
    }

  private:
    TempFolder server_;
};

// Setup.exe of a full image on a server, on a single PC.
class ServerImageSetup : public WholeRun {
  public:
    explicit ServerImageSetup(platform::FakePlatform& fake) : WholeRun(fake, "", {}) {
        image_.MakeFolder("Shared_Files");
        fake_.programFilePath = image_ / "Setup.exe";
    }
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"), Is("pages", "Welcome > SystemPruefung > Install > DBTools"),
                Holds("starts", Installer()), Holds("record", "role=medium-setup")};
    }
};

// An image that prescribes an update, on a single PC.
class PrescribedUpdate : public WholeRun {
  public:
    explicit PrescribedUpdate(platform::FakePlatform& fake)
        : WholeRun(fake, "", {.installType = 1}, "UPDATE") {}
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"), Is("pages", "Welcome > Install > UpdateNote"),
                Holds("starts", Installer()), Is(RegistryFact(kSuiteKey, "Update"), "7.80"),
                Is(RegistryFact(kSuiteKey, "Release"), "7.70")};
    }
};

// The wizard abandoned on the installation type page: the version records
// go back to what they were.
class ExitQuestion : public WholeRun {
  public:
    explicit ExitQuestion(platform::FakePlatform& fake)
        : WholeRun(fake, "", {.cancelOn = "Install"}) {
        fake_.messageAnswers = {platform::answer::Yes};
    }
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "1602"), Is("pages", "Welcome > SystemPruefung > Install"),
                Is(RegistryFact(kSuiteKey, "Build"), "900"),
                Is(RegistryFact(kSuiteKey, "Release"), "7.70"), Lacks("starts", Installer())};
    }
};

// -EDITINF on the folder of a patch package's INF file.
class EditInf : public Flow {
  public:
    explicit EditInf(platform::FakePlatform& fake) : fake_(fake) {
        folder_.Write("P_TL_UPD.inf",
                      "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\nName=TL\r\n[COMPONENTS]\r\n"
                      "P_Q_Vorlauf=1\r\nTL=1\r\n");
        fake_.programFilePath = folder_ / "Paldrix.exe";
    }
    int Run() override { return RunWholeProgram(fake_, "-EDITINF " + folder_.path() + "\\"); }
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "0"), Is("pages", ""),
                Is(FileFact(folder_ / "P_TL_UPD.inf"),
                   ContentFact("[PROJECT PROPERTIES]\r\nName=TL\r\n;VersionFile=x.ver\r\n"
                               "[COMPONENTS]\r\nTL=1\r\n"))};
    }

  private:
    platform::FakePlatform& fake_;
    TempFolder folder_;
};

// The update assistant with a package there, the update declined.
class DeclinedUpdate : public Flow {
  public:
    explicit DeclinedUpdate(platform::FakePlatform& fake) : fake_(fake), assistant_(fake) {
        fake_.programFilePath = assistant_.install / "INETSETUP.EXE";
        fake_.messageAnswers = {platform::answer::No};
        assistant_.DeliverPackage();
    }
    int Run() override { return RunWholeProgram(fake_, "-LOCALUPDATE"); }
    std::vector<Expectation> Expect() const override {
        return {Is("exit", "1602"), Is("pages", ""),
                Is(FileFact(assistant_.install / "TmpSetup\\WSROOT\\Install.ini"), "(none)")};
    }

  private:
    platform::FakePlatform& fake_;
    testing_support::UpdateInstallation assistant_;
};

template <class Run>
FlowRow Row(std::string name) {
    return {std::move(name), [](platform::FakePlatform& fake) { return std::make_unique<Run>(fake); }};
}

}  // namespace

std::vector<FlowRow> RollOutFlows() {
    return {
        Row<MediumSetup>("setup from the medium with Help on every page and the database tools"),
        Row<SavedAnswers>("-SAVEANSWERS, a network workstation"),
        Row<ReplayedAnswers>("-ANSWERS, a single PC replayed"),
        Row<WorkstationSetup>("workstation setup Selvor.exe from the server copy"),
        Row<ServerImageSetup>("Setup.exe from a full server image"),
        Row<PrescribedUpdate>("image prescribing an update"),
        Row<ExitQuestion>("exit question on the installation type page"),
        Row<EditInf>("-EDITINF on a package's folder"),
        Row<DeclinedUpdate>("update assistant, the update declined"),
    };
}

}  // namespace fault_sweep
