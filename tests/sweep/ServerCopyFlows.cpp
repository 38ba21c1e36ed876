// The server copy page: a copy into a fresh folder, the questions about an
// existing version folder with each of their answers, and the old
// installation files page deleting folders.
#include <string>

#include "shared/modRegistry.h"
#include "tests/support/PageWalk.h"
#include "tests/support/ServerCopyScene.h"
#include "tests/sweep/SweepFlow.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/CopyToServer.h"
#include "wizard/pages/PageSequence.h"

namespace fault_sweep {
namespace {

using testing_support::VersionFolderAnswers;

// The image's files a complete copy into `target` holds, byte for byte.
void ExpectCopied(const testing_support::ServerCopyScene& scene, const std::string& target,
                  std::vector<Expectation>& expected) {
    for (const char* file : {"Install.ini", "Version.ini"}) {
        expected.push_back(Is(FileFact(target + "\\" + file),
                              ContentFact(testing_support::ReadFileText(
                                  scene.image / ("WSROOT\\" + std::string(file))))));
    }
    expected.push_back(Is(FileFact(target + "\\Setups\\Setup.exe"), ContentFact("installer")));
    expected.push_back(Is(FileFact(target + "\\Selvor.exe"), ContentFact("wizard")));
}

class CopyFlow : public Flow {
  public:
    // Without answers: a copy into a fresh server folder.
    CopyFlow(platform::FakePlatform& fake, const VersionFolderAnswers* answers)
        : fake_(fake), scene_(fake), answers_(answers) {
        if (answers_ != nullptr) {
            testing_support::PrepareExistingVersionFolder(*answers_, servers_);
            fake_.messageAnswers = answers_->answers;
        } else {
            Session().ServerSetupFolder = scene_.server.path();
        }
    }
    int Run() override {
        return RunRecorded([] {
            // As the page before leads here.
            if (!GoTo(WizardStep::ServerCopy)) return;
            if (auto* page = dynamic_cast<CopyToServer*>(testing_support::CurrentPage())) {
                page->btnNext.Click();
            }
        });
    }
    // The page leads on or stays as the answers say; a copy is complete and
    // recorded for the workstations; a refused one leaves the old version
    // folder and the recorded server folder as they were.
    std::vector<Expectation> Expect() const override {
        if (answers_ == nullptr) {
            std::vector<Expectation> expected = {
                Is("pages", "CopyToServer > DBTools"),
                Is(RegistryFact(kSuiteKey, "SelvorDestination"), scene_.server.path())};
            ExpectCopied(scene_, scene_.server.path(), expected);
            return expected;
        }
        const std::string stays = answers_->leadsTo == std::string("stays") ? "" : " > DBTools";
        std::vector<Expectation> expected = {Is("pages", "CopyToServer" + stays)};
        const std::string destination = answers_->selvorDestination;
        expected.push_back(Is(RegistryFact(kSuiteKey, "SelvorDestination"),
                              destination == "unchanged"
                                  ? destination
                                  : servers_.path() + destination.substr(1)));
        const std::string folder = servers_ / "Version_520";
        if (answers_->copied) {
            ExpectCopied(scene_, folder, expected);
            expected.push_back(Is(FileFact(folder + "\\old.txt"), "(none)"));
        } else {
            expected.push_back(Is(FileFact(folder + "\\old.txt"), ContentFact("old")));
        }
        return expected;
    }

  private:
    platform::FakePlatform& fake_;
    testing_support::ServerCopyScene scene_;
    testing_support::TempFolder servers_;
    const VersionFolderAnswers* answers_;
};

class OldFilesFlow : public Flow {
  public:
    explicit OldFilesFlow(platform::FakePlatform& fake) : scene_(fake) {
        for (const char* version : {"500", "510", "511", "520"}) {
            scene_.server.Write(std::string("Version_") + version + "\\Version.ini",
                                std::string("[Common]\r\nVersion=") + version + "\r\n");
        }
        Session().InstallTypeText = "UPDATE";
        Session().ServerSetupFolder = scene_.server / "Version_510";
        fake.onPump = [this] { user_.Act(); };
    }
    int Run() override {
        return RunRecorded([] { GoTo(WizardStep::ServerCopy); });
    }
    // Every folder but the one kept is deleted.
    std::vector<Expectation> Expect() const override {
        std::vector<Expectation> expected = {Is("pages", "VersionsListe > CopyToServer")};
        for (const char* version : {"500", "510", "511"}) {
            expected.push_back(Is(
                FileFact(scene_.server / (std::string("Version_") + version + "\\Version.ini")),
                "(none)"));
        }
        expected.push_back(Holds(FileFact(scene_.server / "Version_520\\Version.ini"), "bytes"));
        return expected;
    }

  private:
    testing_support::ServerCopyScene scene_;
    testing_support::OldFilesUser user_;
};

}  // namespace

std::vector<FlowRow> ServerCopyFlows() {
    std::vector<FlowRow> rows;
    rows.push_back({"server copy into a fresh folder", [](platform::FakePlatform& fake) {
                        return std::make_unique<CopyFlow>(fake, nullptr);
                    }});
    for (const VersionFolderAnswers& answers : testing_support::kVersionFolderAnswers) {
        std::string name = "server copy, role " + std::to_string(answers.machineType) + ", answers";
        for (int answer : answers.answers) name += " " + std::to_string(answer);
        rows.push_back({name, [&answers](platform::FakePlatform& fake) {
                            return std::make_unique<CopyFlow>(fake, &answers);
                        }});
    }
    rows.push_back({"old installation files", [](platform::FakePlatform& fake) {
                        return std::make_unique<OldFilesFlow>(fake);
                    }});
    return rows;
}

}  // namespace fault_sweep
