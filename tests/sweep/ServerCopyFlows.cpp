// The server copy page: a copy into a fresh folder, the questions about an
// existing version folder with each of their answers, and the old
// installation files page deleting folders.
#include <string>

#include "platform/Files.h"
#include "tests/support/ServerCopyScene.h"
#include "tests/sweep/SweepFlow.h"
#include "ui/Form.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/CopyToServer.h"

namespace fault_sweep {
namespace {

using testing_support::VersionFolderAnswers;

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
    void Act() override {
        CopyToServer& page = ShowCopyToServerPage();
        suffix_ = page.Lbl_Version.Caption();
        outcome_ = page.IsLoaded() ? scene_.Next(page) : "(not shown)";
    }
    // A copy that lets the page lead on has placed every image file in the
    // folder the setup goes on from, byte for byte; a page that stays where
    // it would have led on has told why.
    std::string Judge() override {
        const bool asked = answers_ != nullptr && !VersionFolderUnknown();
        const std::string expected = asked ? answers_->leadsTo : "DBTools";
        const bool copies = !asked || answers_->copied;
        // What follows a page that cannot be shown is the page table's
        // concern: the user stays on the page he was on.
        if (outcome_ == "(not shown)" || (outcome_ == "stays" && Failed("CreatePageWindow"))) {
            return {};
        }
        if (outcome_ != expected) {
            if (outcome_ == "stays" && CopyFailureTold()) return {};
            return "Next went to " + outcome_ + " instead of " + expected + " without a word";
        }
        if (!copies || outcome_ == "stays") return {};
        const std::string missing = scene_.MissingFrom(Session().ServerSetupFolder);
        if (missing.empty()) return {};
        return "the copy let the page go on, but " + Session().ServerSetupFolder + " lacks" +
               missing;
    }
    void Spoil() override {
        if (answers_ == nullptr || answers_->copied) {
            platform::files::DeleteFileAt(Session().ServerSetupFolder + "\\Setups\\Setup.exe");
        } else {
            outcome_ = "ended";
        }
    }

  private:
    // The copy's reports under its caption (its failure, a missing path;
    // the question there only asks) and the medium it misses; a box that
    // could not be shown counts as told.
    bool CopyFailureTold() const {
        constexpr int kIconBits = 0xF0;
        for (const platform::RecordedMessage& message : fake_.messages) {
            if (message.caption == "Setup kopieren" &&
                (message.style & kIconBits) != platform::mb::IconQuestion) {
                return true;
            }
        }
        return Shown(fake_, "Bitte legen Sie die Programm-CD ein") > 0 || Failed("ShowMessage");
    }
    // The existing version folder stays unknown when its test fails, or when
    // the image's version reads as missing and so names another folder
    // (Version_): then nothing is asked and the copy goes on as into a
    // fresh folder.
    bool VersionFolderUnknown() const {
        return Failed("files::FolderExists", "Version_520") || suffix_ != "\\Version_520";
    }

    platform::FakePlatform& fake_;
    testing_support::ServerCopyScene scene_;
    testing_support::TempFolder servers_;
    const VersionFolderAnswers* answers_;
    std::string suffix_, outcome_;
};

class OldFilesFlow : public Flow {
  public:
    explicit OldFilesFlow(platform::FakePlatform& fake) : fake_(fake), scene_(fake) {
        for (const char* version : {"500", "510", "511", "520"}) {
            scene_.server.Write(std::string("Version_") + version + "\\Version.ini",
                                std::string("[Common]\r\nVersion=") + version + "\r\n");
        }
        Session().InstallTypeText = "UPDATE";
        Session().ServerSetupFolder = scene_.server / "Version_510";
        fake_.onPump = [this] { user_.Act(); };
    }
    void Act() override { ShowCopyToServerPage(); }
    // Every folder the user chose to delete is gone, or the deletion told
    // that it failed; the folder kept stays whole.
    std::string Judge() override {
        int left = 0;
        for (const std::string& item : user_.chosen) {
            left += testing_support::PathExists(FolderOf(item)) ? 1 : 0;
        }
        if (left > Shown(fake_, "Fehler beim Löschen der Verzeichnise")) {
            return std::to_string(left) + " chosen folders are still there without a word";
        }
        if (!testing_support::PathExists(FolderOf("Version 520") + "\\Version.ini")) {
            return "the folder not chosen was deleted";
        }
        return {};
    }
    void Spoil() override { scene_.server.Write("Version_500\\Version.ini", "back again"); }

  private:
    // "Version 511" names the folder Version_511.
    std::string FolderOf(const std::string& item) const {
        return scene_.server / ("Version_" + item.substr(item.find(' ') + 1));
    }

    platform::FakePlatform& fake_;
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
