// The server copy page and the old installation files page against real
// folders: what Next copies and records for each answer to its questions,
// and what the old-files page deletes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/FakePlatformTest.h"
#include "tests/support/ServerCopyScene.h"
#include "tests/support/TempFolder.h"
#include "ui/Form.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/pages/CopyToServer.h"

using namespace testing_support;
using platform::answer::No;
using platform::answer::Yes;

namespace {

constexpr int kCancel = 2;
constexpr const char* kOverwriteQuestion =
    "Das Installations-Verzeichnis besteht schon! Wollen Sie es überschreiben?";
std::string IncompleteQuestion(const TempFolder& servers) {
    return "Das Installations-Verzeichnis\r\n\r\n" + servers / "Version_520" +
           "\r\n\r\nwurde nicht vollständig kopiert; das Setup kann von dort nicht fortgesetzt "
           "werden. Wollen Sie es erneut kopieren?";
}

class CopyToServerPageTest : public FakePlatformTest {
  protected:
    ~CopyToServerPageTest() override { ui::DiscardAllForms(); }

    std::string Next(CopyToServer& page) { return scene.Next(page); }
    bool Copied(const std::string& folder) const { return scene.Copied(folder); }

    ServerCopyScene scene{fake};
    const TempFolder& image = scene.image;
    const TempFolder& server = scene.server;
};

TEST_F(CopyToServerPageTest, ExistingVersionFolderIsOverwrittenContinuedFromOrRefused) {
    for (const VersionFolderAnswers& c : kVersionFolderAnswers) {
        SCOPED_TRACE(std::to_string(c.machineType) + " " + std::to_string(c.answers.front()));
        TempFolder servers;
        PrepareExistingVersionFolder(c, servers);
        SetSuiteValue("SelvorDestination", "unchanged");
        CopyToServer& page = ShowCopyToServerPage();
        EXPECT_EQ(page.Lbl_Version.Caption(), "\\Version_520");
        EXPECT_TRUE(page.Lbl_Version.Visible());
        EXPECT_EQ(page.txtServerPath.ToolTipText(), servers.path() + "\\Version_520");
        fake.messages.clear();
        fake.messageAnswers = c.answers;

        EXPECT_EQ(Next(page), c.leadsTo);
        EXPECT_EQ(Copied(servers / "Version_520"), c.copied);
        EXPECT_EQ(fake.messages.front().text, c.incomplete ? IncompleteQuestion(servers)
                                                           : kOverwriteQuestion);
        // Nothing offers to go on from a copy that never finished.
        if (c.incomplete) {
            EXPECT_EQ(fake.messages.size(), 1u);
        }
        EXPECT_EQ(server_copy::IsIncomplete(servers / "Version_520"), c.incomplete && !c.copied);
        if (page.IsLoaded() && c.pathBox != nullptr) {
            EXPECT_EQ(page.txtServerPath.Text(), c.pathBox[0] == 'S' ? servers.path() : "");
        }
        const std::string recorded = SuiteValue("SelvorDestination");
        EXPECT_EQ(recorded, c.selvorDestination[0] == 'S'
                                ? servers.path() + std::string(c.selvorDestination + 1)
                                : c.selvorDestination);
        // Only an overwrite empties the folder first.
        EXPECT_EQ(PathExists(servers / "Version_520\\old.txt"), c.answers.front() != Yes);
        const auto undecided = [](int answer) {
            return answer == kCancel || answer == platform::answer::Failed;
        };
        if (std::any_of(c.answers.begin(), c.answers.end(), undecided)) {
            // After a Cancel, or a box that could not be shown, the next Next
            // asks again rather than copying.
            EXPECT_FALSE(Session().CopyCancelled);
            fake.messages.clear();
            fake.messageAnswers = {No, No};
            EXPECT_EQ(Next(page), "stays");
            EXPECT_EQ(fake.messages.empty() ? "" : fake.messages.front().text, kOverwriteQuestion);
            EXPECT_TRUE(PathExists(servers / "Version_520\\old.txt"));
        }
        ui::DiscardAllForms();
    }
}

TEST_F(CopyToServerPageTest, SkippingOrNotCopyingDecidesWhatIsRecorded) {
    // Ctrl on Next, answered Yes: no copy, nothing recorded.
    Session().ServerSetupFolder = server.path();
    fake.messageAnswers = {Yes};
    CopyToServer& page = ShowCopyToServerPage();
    EXPECT_EQ(page.optCopyCD[1].Value(), 1);
    EXPECT_TRUE(page.optCopyCD[1].Bold());
    EXPECT_TRUE(page.Body2.Visible());
    page.btnNext.onKeyDown(platform::gui::kKeyControl, platform::gui::kCtrlKey);
    EXPECT_EQ(fake.messages.back().text,
              "Möchten Sie das Kopieren der Installationsprozedur überspringen?");
    EXPECT_FALSE(Copied(server.path()));
    EXPECT_EQ(SuiteValue("SelvorDestination"), "unchanged");
    ui::DiscardAllForms();

    // "Installation vom Image durchführen" with a path in the box: both emptied.
    CopyToServer& again = ShowCopyToServerPage();
    again.optCopyCD[0].Click();
    EXPECT_EQ(Session().ServerSetupFolder, "");
    EXPECT_FALSE(again.Body2.Visible());
    EXPECT_EQ(Next(again), "DBTools");
    EXPECT_FALSE(Copied(server.path()));
    EXPECT_EQ(SuiteValue("SelvorDestination"), "");
    EXPECT_EQ(SuiteValue("SelvorLocation"), "");
}

TEST_F(CopyToServerPageTest, CopyRecordsTheServerFolderAndTheSetupGoesOnFromIt) {
    Session().ServerSetupFolder = server.path();
    CopyToServer& page = ShowCopyToServerPage();
    // Cancel declined before Next does not keep Next from copying.
    fake.messageAnswers = {No};
    page.btnCancel.Click();
    EXPECT_TRUE(page.IsLoaded());
    EXPECT_EQ(Next(page), "DBTools");
    EXPECT_TRUE(Copied(server.path()));
    EXPECT_TRUE(Session().ContinueFromServerCopy);
    EXPECT_EQ(SuiteValue("SelvorDestination"), server.path());
    EXPECT_EQ(SuiteValue("SelvorLocation"), "");
    ui::DiscardAllForms();

    // A network workstation that never passed the installation type page
    // records and ends without starting anything.
    Session().MachineType = MachineRole::NetworkWorkstation;
    Session().InstallPageShown = false;
    fake.starts.clear();
    CopyToServer& workstation = ShowCopyToServerPage();
    workstation.optCopyCD[0].Click();
    EXPECT_EQ(Next(workstation), "ended");
    EXPECT_TRUE(fake.starts.empty());
    EXPECT_EQ(SuiteValue("SelvorDestination"), "");
}

TEST_F(CopyToServerPageTest, MissingServerFolderIsReportedAtLoad) {
    Session().ServerSetupFolder = server / "fehlt\\Version_510";
    ShowCopyToServerPage();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Das Installations-Verzeichnis auf dem Server \r\n\r\n" +
                                         server / "fehlt" +
                                         "\r\n\r\nkonnte nicht gefunden werden!");
    EXPECT_EQ(fake.messages[0].caption, "Achtung");
}

TEST_F(CopyToServerPageTest, OldFilesPageDeletesTheSelectedFoldersAndNothingElse) {
    for (const char* version : {"500", "510", "511", "520"}) {
        server.Write(std::string("Version_") + version + "\\Version.ini",
                     std::string("[Common]\r\nVersion=") + version + "\r\n");
    }
    Session().InstallTypeText = "UPDATE";
    Session().ServerSetupFolder = server / "Version_510";
    OldFilesUser user;
    fake.onPump = [&user] { user.Act(); };
    CopyToServer& page = ShowCopyToServerPage();

    // The old-files page came up, modal, while the server copy page loaded.
    EXPECT_EQ(user.listed, 4);
    EXPECT_FALSE(user.enabledBefore);
    EXPECT_EQ(user.chosen.size(), 3u);
    EXPECT_TRUE(user.enabledAfterSelecting);
    EXPECT_EQ(user.left, 1);
    EXPECT_FALSE(user.enabledAfterDeleting);
    for (const char* gone : {"Version_500", "Version_510", "Version_511"}) {
        EXPECT_FALSE(PathExists(server / gone)) << gone;
    }
    EXPECT_TRUE(PathExists(server / "Version_520\\Version.ini"));
    EXPECT_EQ(page.txtServerPath.Text(), server.path());
    EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
