// Copying the setup image to a server folder: real files in temporary
// folders, the fake platform for the windows, a test form for the page.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <iterator>
#include <map>

#include "platform/Files.h"
#include "tests/support/CopyTestPage.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "wizard/base/ServerCopyMark.h"
#include "wizard/pages/PageFrame.h"
#include "wizard/servercopy/CopySetupImage.h"

using namespace testing_support;

namespace {

using Tree = std::map<std::string, std::string>;

// Every folder ("name\") and file (with its bytes) below `folder`.
Tree TreeOf(const std::string& folder, const std::string& prefix = "") {
    Tree tree;
    for (const auto& entry : platform::files::ListEntries(folder, "*")
                                 .value_or(std::vector<platform::files::FolderEntry>{})) {
        const std::string path = folder + "\\" + entry.name;
        if (entry.folder) {
            tree[prefix + entry.name + "\\"] = "";
            tree.merge(TreeOf(path, prefix + entry.name + "\\"));
        } else {
            tree[prefix + entry.name] = ReadFileText(path);
        }
    }
    return tree;
}

class ServerCopyTest : public FakePlatformTest {
  protected:
    ServerCopyTest() {
        Session().SetupRoot = image.path();
        Session().InstallIniPath = image / "WSROOT\\Install.ini";
        for (const char* name : {"Paldrix.exe", "sqlredis.exe", "Dravik.exe"}) {
            image.Write(name, name);
        }
        image.Write("WSROOT\\Selvor.exe", "WSROOT Selvor");
        image.Write("WSROOT\\Version.ini", kVersionIni);
        image.Write("WSROOT\\a.txt", "a");
        image.Write("Setups\\Tolvane\\setup.exe", "setup");
        image.Write("Setups\\DBTools\\db.exe", "db");
        // Parents first: target folders are made one level at a time.
        image.Write("WSROOT\\Install.ini",
                    "[SELVORFOLDERS]\r\nSetups\r\nSetups\\Tolvane\r\nSetups\\DBTools\r\n");
        page.Load();
        // Each file takes a while: the windows answer after every one.
        fake.tickStep = 10;
        fake.onPump = [this] {
            fake.ticks += 50;  // time enough for the page to show each file
            titles.push_back(page.ProgressTitle.Caption());
            if (AnyActionBesideCancel()) ++pumpsWithActionsOpen;
            if (page.ProgressTitle.Caption().starts_with("Kopiere")) {
                widths.push_back(page.ProgressBar.Width());
            }
            if (onPump) onPump();
        };
    }

    int Copy() {
        CopyProgress progress = page.Progress();
        return CopySetupImage(progress, target);
    }
    bool AnyActionBesideCancel() const {
        return page.btnNext.Enabled() || page.btnBack.Enabled() || page.btnBrowse.Enabled() ||
               page.btnHelp.Enabled() || page.optFromImage.Enabled() ||
               page.optCopyToServer.Enabled();
    }
    bool PageRestored() const {
        return !page.ProgressBack.Visible() && !page.ProgressBar.Visible() &&
               !page.ProgressTitle.Visible() && page.ProgressBar.Width() == 0 &&
               page.btnNext.Enabled() && page.btnBack.Enabled() && page.btnBrowse.Enabled() &&
               page.btnHelp.Enabled() && page.optFromImage.Enabled() &&
               page.optCopyToServer.Enabled();
    }

    static constexpr const char* kVersionIni = "[Common]\r\nVersion=5.2.0\r\n";
    TempFolder image, server;
    std::string target = server / "Setup";
    CopyTestPage page;
    std::vector<std::string> titles;
    std::vector<int> widths;
    int pumpsWithActionsOpen = 0;  // a click there would act under the running copy
    std::function<void()> onPump;
};

TEST_F(ServerCopyTest, CopiesTheListedFoldersIntoTheServerLayout) {
    const std::string install =
        "[Application]\r\nProgram=\r\n[selvorfolders] ; copied to the server\r\n"
        "; the trades line\r\n\r\nSetups\\Tolvane\r\n  Tools\r\n   ; old\r\nSetups\\Missing\r\n"
        "[SELVORFOLDERS]\r\nSetups\\Gone\\..\\DBTools\r\nwsroot\r\nSetups\\Tolvane\r\n"
        "[Checklisten]\r\nLater\r\n";
    image.Write("WSROOT\\Install.ini", install);
    image.Write("Setups\\Tolvane\\Sub\\deep.txt", "not listed");
    image.Write("  Tools\\t.txt", "t");
    SetFileAttributesA(image.Write("WSROOT\\hidden.txt", "h").c_str(), FILE_ATTRIBUTE_HIDDEN);
    server.Write("Setup\\Version_520\\old.txt", "no longer in the image");
    server.Write("Setup\\Version_520\\Setups\\Tolvane\\stale.txt", "stale");
    server.Write("Setup\\Version_520\\Keep\\k.txt", "k");
    target = server / "Setup\\Version_520";

    EXPECT_EQ(Copy(), 0);

    const Tree wsroot{{"Install.ini", install},
                      {"Version.ini", kVersionIni},
                      {"Selvor.exe", "WSROOT Selvor"},
                      {"a.txt", "a"}};
    Tree expected{{"AktVersion.ini", kVersionIni},
                  {"Version_520\\", ""},
                  {"Version_520\\Keep\\", ""},
                  {"Version_520\\Keep\\k.txt", "k"},
                  {"Version_520\\Setups\\", ""},
                  {"Version_520\\Setups\\Tolvane\\", ""},
                  {"Version_520\\Setups\\Missing\\", ""},
                  {"Version_520\\Setups\\DBTools\\", ""},
                  {"Version_520\\  Tools\\", ""},
                  {"Version_520\\  Tools\\t.txt", "t"},
                  {"Version_520\\wsroot\\", ""},
                  {"Version_520\\sqlredis.exe", "sqlredis.exe"},
                  {"Version_520\\Dravik.exe", "Dravik.exe"},
                  {"Version_520\\Setups\\Tolvane\\setup.exe", "setup"},
                  {"Version_520\\Setups\\DBTools\\db.exe", "db"}};
    for (const auto& [name, bytes] : wsroot) {
        expected["Version_520\\" + name] = bytes;
        expected["Version_520\\wsroot\\" + name] = bytes;
    }
    expected["Version_520\\Selvor.exe"] = "Paldrix.exe";
    EXPECT_EQ(TreeOf(server / "Setup"), expected);

    EXPECT_TRUE(fake.messages.empty());
    EXPECT_TRUE(Session().ContinueFromServerCopy);
    EXPECT_TRUE(PageRestored());
    EXPECT_EQ(pumpsWithActionsOpen, 0);
    EXPECT_EQ(fake.lastPageWindow->focusedControl, 0u);  // txtServerPath comes first
    EXPECT_EQ(fake.pointers.front(), platform::MousePointer::Hourglass);
    EXPECT_EQ(fake.pointers.back(), platform::MousePointer::Default);
    // The windows answer while the folders are made, and after every file,
    // each of which takes longer here than the windows may wait; the
    // workstation files come last.
    const auto firstFile = std::find_if(titles.begin(), titles.end(), [](const std::string& title) {
        return title.starts_with("Kopiere");
    });
    ASSERT_NE(firstFile, titles.begin());
    EXPECT_EQ(*(firstFile - 1), "Zielverzeichnisstruktur wird erzeugt ...");
    std::vector<std::string> files;
    std::unique_copy(firstFile, titles.end(), std::back_inserter(files));
    ASSERT_EQ(files.size(), 12u);
    EXPECT_EQ(files[0], "Kopiere 'Setups\\Tolvane\\setup.exe' ...");
    EXPECT_EQ(files[1], "Kopiere '  Tools\\t.txt' ...");
    EXPECT_EQ(std::count(files.begin(), files.end(), files[0]), 2);
    EXPECT_TRUE(files.back().starts_with("Kopiere 'WSROOT\\"));
    widths.erase(std::unique(widths.begin(), widths.end()), widths.end());
    EXPECT_EQ(widths, (std::vector<int>{500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000,
                                        5500, 6000}));
}

TEST_F(ServerCopyTest, ReadOnlyFilesFromACdCanBeCopiedAgainAndStayWritable) {
    for (const char* name : {"WSROOT\\a.txt", "WSROOT\\Version.ini", "Paldrix.exe"}) {
        SetFileAttributesA((image / name).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ASSERT_EQ(Copy(), 0);
    SetFileAttributesA((image / "WSROOT\\a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    image.Write("WSROOT\\a.txt", "a, second edition");
    SetFileAttributesA((image / "WSROOT\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(Copy(), 0);

    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(ReadFileText(server / "Setup\\a.txt"), "a, second edition");
    for (const char* name : {"a.txt", "Version.ini", "AktVersion.ini", "Selvor.exe"}) {
        const std::string copy = server / "Setup" + "\\" + name;
        EXPECT_FALSE(GetFileAttributesA(copy.c_str()) & FILE_ATTRIBUTE_READONLY) << name;
    }
}

TEST_F(ServerCopyTest, AnOldFileGoesWhileTheWindowsAnswerAndOneHeldOpenStaysWhole) {
    const std::string big = server.Write("Setup\\big.bin", std::string(20 << 20, 'x'));
    // The file goes on a thread of its own; the windows answer on this one.
    const DWORD caller = GetCurrentThreadId();
    bool answeredElsewhere = false;
    const auto between = [&] { answeredElsewhere |= GetCurrentThreadId() != caller; };
    {
        // Held open without delete sharing: the deletion fails, says why,
        // and the file keeps every byte.
        HANDLE holder = CreateFileA(big.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        EXPECT_FALSE(platform::files::DeleteFileAt(big, between));
        EXPECT_EQ(platform::files::LastError(), static_cast<unsigned long>(ERROR_SHARING_VIOLATION));
        CloseHandle(holder);
        EXPECT_EQ(ReadFileText(big).size(), 20u << 20);
    }
    EXPECT_TRUE(platform::files::DeleteFileAt(big, between));
    EXPECT_FALSE(PathExists(big));
    EXPECT_FALSE(answeredElsewhere);
}

TEST_F(ServerCopyTest, FailureStopsTheFilesButNotTheClosingStepsAndIsShownOnce) {
    server.MakeFolder("Setup\\Setups\\DBTools\\db.exe");  // a folder where a file must go
    server.MakeFolder("Setup\\Dravik.exe");               // closing steps fail silently

    const int result = Copy();

    EXPECT_NE(result, 0);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, platform::files::ErrorDescription(result));
    EXPECT_EQ(fake.messages[0].caption, "Setup kopieren");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok | platform::mb::IconError);
    EXPECT_TRUE(PathExists(server / "Setup\\Setups\\Tolvane\\setup.exe"));
    EXPECT_FALSE(PathExists(server / "Setup\\a.txt"));
    EXPECT_EQ(ReadFileText(server / "Setup\\Selvor.exe"), "Paldrix.exe");
    EXPECT_TRUE(PathExists(server / "Setup\\sqlredis.exe"));
    // Nothing names the incomplete copy as the current version, and it says
    // it is incomplete.
    EXPECT_FALSE(PathExists(server / "Setup\\AktVersion.ini"));
    EXPECT_TRUE(server_copy::IsIncomplete(server / "Setup"));
    EXPECT_FALSE(Session().ContinueFromServerCopy);
    EXPECT_TRUE(PageRestored());
}

TEST_F(ServerCopyTest, AnImageThatCannotBeReadFailsTheCopyInsteadOfShorteningIt) {
    const std::function<void()> arrangements[] = {
        // Wine's path to a Linux file that opens but whose reads fail.
        [this] { Session().InstallIniPath = "Z:\\proc\\self\\mem"; },
        // A listed folder whose listing fails with more than "not found".
        [this] {
            image.Write("WSROOT\\Install.ini", "[SELVORFOLDERS]\r\nSetups\r\nSetups\\a<b\r\n");
        },
    };
    int run = 0;
    for (const auto& arrange : arrangements) {
        fake.messages.clear();
        arrange();
        target = server / ("Setup" + std::to_string(++run));

        EXPECT_NE(Copy(), 0);

        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].caption, "Setup kopieren");
        EXPECT_FALSE(PathExists(target + "\\a.txt"));
        EXPECT_FALSE(Session().ContinueFromServerCopy);
        EXPECT_TRUE(PageRestored());
    }
}

TEST_F(ServerCopyTest, CancelEndsTheStageItWasPressedInAndLeavesNoPartialFile) {
    struct Case {
        const char* stage;
        const char* title;  // shown when Cancel is pressed
        int exitAnswer;
        bool filesCopiedBefore, closingSteps;
    };
    const char* big = "Kopiere 'Setups\\DBTools\\big.bin' ...";
    const Case cases[] = {
        {"folders", "Zielverzeichnisstruktur wird erzeugt ...", platform::answer::No, false, false},
        {"between files", "Kopiere 'Setups\\Tolvane\\setup.exe' ...", platform::answer::No, true,
         true},
        {"inside a large file", big, platform::answer::No, true, true},
        {"exit inside a large file", big, platform::answer::Yes, true, false},
    };
    image.Write("Setups\\DBTools\\big.bin", std::string(3 << 20, 'b'));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stage);
        Session().CopyCancelled = false;
        fake.messages.clear();
        target = server / c.stage;
        onPump = [this, &c] {
            if (page.ProgressTitle.Caption() != c.title || Session().CopyCancelled) return;
            Session().CopyCancelled = true;
            fake.messageAnswers = {c.exitAnswer};
            CancelWizard();
        };

        if (c.exitAnswer == platform::answer::Yes) {
            EXPECT_THROW(Copy(), platform::ProgramExit);
        } else {
            EXPECT_EQ(Copy(), 0);
            EXPECT_TRUE(PageRestored());
        }

        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].caption, "Setup-Assistent");  // the exit question only
        EXPECT_FALSE(Session().ContinueFromServerCopy);
        EXPECT_EQ(PathExists(target + "\\Setups\\Tolvane\\setup.exe"), c.filesCopiedBefore);
        EXPECT_FALSE(PathExists(target + "\\Setups\\DBTools\\big.bin"));
        EXPECT_FALSE(PathExists(target + "\\a.txt"));
        EXPECT_EQ(PathExists(target + "\\Selvor.exe"), c.closingSteps);
        EXPECT_FALSE(PathExists(target + "\\AktVersion.ini"));
        EXPECT_TRUE(server_copy::IsIncomplete(target));
    }
}

TEST_F(ServerCopyTest, AnEarlierCompleteCopyServesUntilTheNewOneIsComplete) {
    struct Case {
        const char* ending;
        bool complete;
    };
    const Case cases[] = {{"fails", false}, {"cancelled", false}, {"ended", false},
                          {"completes", true}};
    image.Write("Setups\\DBTools\\big.bin", std::string(3 << 20, 'b'));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ending);
        image.Write("WSROOT\\a.txt", "a");
        image.Write("WSROOT\\Version.ini", kVersionIni);
        image.Write("WSROOT\\gone.txt", "only in the earlier image");
        Session().CopyCancelled = false;
        onPump = nullptr;
        target = server / c.ending;
        ASSERT_EQ(Copy(), 0);
        server.Write(std::string(c.ending) + "\\stale.txt", "not from any image");
        // What a copy ended while it removed an earlier one leaves behind.
        if (c.complete) server.Write(std::string(c.ending) + "\\~Kopie\\~Alt\\0\\a.txt", "older");
        SetFileAttributesA((target + "\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        const Tree earlier = TreeOf(target);
        DeleteFileA((image / "WSROOT\\gone.txt").c_str());
        image.Write("WSROOT\\a.txt", "a, second edition");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=5.3.0\r\n");
        fake.messages.clear();
        // A file of the image that cannot be read fails the new copy.
        HANDLE held = std::string(c.ending) == "fails"
                          ? CreateFileA((image / "WSROOT\\a.txt").c_str(), GENERIC_READ, 0,
                                        nullptr, OPEN_EXISTING, 0, nullptr)
                          : INVALID_HANDLE_VALUE;
        onPump = [this, &c] {
            const bool inBigFile = page.ProgressTitle.Caption().find("big.bin") != std::string::npos;
            if (std::string(c.ending) == "fails" || c.complete || !inBigFile ||
                Session().CopyCancelled) {
                return;
            }
            Session().CopyCancelled = true;
            fake.messageAnswers = {std::string(c.ending) == "ended" ? platform::answer::Yes
                                                                   : platform::answer::No};
            CancelWizard();
        };

        if (std::string(c.ending) == "ended") {
            EXPECT_THROW(Copy(), platform::ProgramExit);
        } else {
            EXPECT_EQ(Copy() == 0, std::string(c.ending) != "fails");
        }
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

        Tree now = TreeOf(target);
        if (c.complete) {
            // As if made into an empty folder: the stale and the dropped file
            // gone, the read-only one replaced.
            target = server / "fresh";
            Session().CopyCancelled = false;
            EXPECT_EQ(Copy(), 0);
            EXPECT_EQ(now, TreeOf(target));
            EXPECT_EQ(now["AktVersion.ini"], "[Common]\r\nVersion=5.3.0\r\n");
        } else {
            // The earlier copy is whole, unmarked and still the current
            // version; the new one waits beside it, marked.
            std::erase_if(now, [](const auto& entry) { return entry.first.starts_with("~Kopie\\"); });
            EXPECT_EQ(now, earlier);
            EXPECT_TRUE(server_copy::IsIncomplete(server / c.ending + "\\~Kopie"));
        }
    }
}

TEST_F(ServerCopyTest, ImagesWithoutAWizardOfTheirOwnKeepTheWorkstationSelvor) {
    struct Case {
        bool serverImage, internetUpdate;
        const char* setupRoot;  // relative to the image
        const char* target;
        const char* selvor;  // in the target; "<missing>" when none
        bool wizardAtRoot = true;
    };
    // A full server image started through "x\.." lists no files at all: its
    // "..\" steps are dropped, not resolved. A medium whose wizard goes by
    // another name (SETUP.EXE) keeps the workstation's Selvor.exe.
    const Case cases[] = {{true, false, "", "server image", "WSROOT Selvor"},
                          {false, true, "", "update", "WSROOT Selvor"},
                          {true, false, "nowhere\\..", "no files", "<missing>"},
                          {false, false, "", "setup medium", "WSROOT Selvor", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        if (!c.wizardAtRoot) DeleteFileA((image / "Paldrix.exe").c_str());
        Session().StartedFromServerImage = c.serverImage;
        Session().InternetUpdate = c.internetUpdate;
        Session().SetupRoot = image / c.setupRoot;
        target = server / c.target;
        widths.clear();

        EXPECT_EQ(Copy(), 0);

        EXPECT_EQ(ReadFileText(target + "\\Selvor.exe"), c.selvor);
        EXPECT_EQ(ReadFileText(target + "\\Dravik.exe"), "Dravik.exe");
        EXPECT_EQ(widths.empty(), std::string(c.selvor) == "<missing>");
        EXPECT_TRUE(fake.messages.empty());
    }
}

TEST_F(ServerCopyTest, MissingSelvorAsksForTheCdAndEnablesOnlyNext) {
    DeleteFileA((image / "WSROOT\\Selvor.exe").c_str());

    EXPECT_EQ(Copy(), kImageNotFound);

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Bitte legen Sie die Programm-CD ein");
    EXPECT_EQ(fake.messages[0].caption, "Paldrix");
    EXPECT_EQ(fake.messages[0].style, platform::mb::Ok);
    EXPECT_TRUE(page.btnNext.Enabled());
    EXPECT_FALSE(page.btnBack.Enabled() || page.btnBrowse.Enabled() || page.btnHelp.Enabled());
    EXPECT_TRUE(page.ProgressBack.Visible());
    EXPECT_FALSE(PathExists(target));
}

}  // namespace
