// The database server's runs of the real Paldrix.exe, by keyboard alone:
// copying the setup to a server folder chosen in the folder picker, a
// prescribed update into its version folder after the old-files page, Cancel
// in the middle of a large copy, and then the workstation setup run from that
// copy as Selvor.exe; copies ended by killing the wizard, and what the next
// runs make of them. The server folder is named with a Polish letter.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/TextConversion.h"
#include "tests/support/FolderPicker.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/WizardImageTest.h"

using namespace testing_support;

namespace {

constexpr const char* kCopyHeading = "Setup auf Server kopieren";
constexpr const char* kOldFilesHeading = "Installations-Dateien auf dem Server";

// The plain files of a folder, in the order the system lists them.
std::vector<std::string> PlainFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(platform::ToWide(folder + "\\*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(platform::FromWide(entry.cFileName));
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

// Every folder ("name\") and file (with its bytes) below `folder`.
std::map<std::string, std::string> TreeOf(const std::string& folder) {
    std::map<std::string, std::string> tree;
    const std::filesystem::path root = platform::ToWide(folder);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string relative = platform::FromWide(entry.path().lexically_relative(root).wstring());
        tree[relative + (entry.is_directory() ? "\\" : "")] =
            entry.is_directory() ? "" : ReadFileText(platform::FromWide(entry.path().wstring()));
    }
    return tree;
}

class ServerCopyPathsTest : public WizardImageTest {
  protected:
    ServerCopyPathsTest() {
        // The image's wizard is also its workstation setup.
        image.MakeFolder("WSROOT");
        platform::files::CopyFileReplacing(PROGRAM_DIR "\\Paldrix.exe", image / "WSROOT\\Selvor.exe");
        image.Write("sqlredis.exe", "sql");
        PlaceStandIn("Setups\\Tolvane\\Setup", "[StandIn]\r\nRecord=" + Record() + "\r\n");
        PlaceStandIn("Setups\\DBTools\\DBToolsSetup", "");
        image.Write("WSROOT\\UpdateNote.txt", "Bitte sichern Sie Ihre Datenbank.\r\n");
        WriteImage("", "7.80");
        SetSuite("SetupMachineType", "2");
    }

    void WriteImage(const std::string& installType, const std::string& version) {
        image.Write("WSROOT\\Install.ini",
                    "[Application]\r\nInstallType=" + installType +
                        "\r\nRUN=Setups\\Tolvane\\Setup.exe /s\r\n"
                        "[DBTools]\r\nRUN=Setups\\DBTools\\DBToolsSetup.exe\r\n"
                        "[SELVORFOLDERS]\r\nSetups\r\nSetups\\Tolvane\r\nSetups\\DBTools\r\n");
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=" + version + "\r\nBuild=1000\r\n");
    }
    // Every start of the product installer, from wherever it was copied to.
    std::string Record() const { return records / "installer.txt"; }
    std::string InstallerStarts() const { return ReadFileText(Record()); }

    void ThroughToTheCopyPage(WizardDriver& wizard, bool update) {
        ASSERT_NE(wizard.AwaitPage("Version 7.80", 60000), nullptr);
        wizard.Press(VK_RETURN);
        if (!update) {
            ASSERT_NO_FATAL_FAILURE(ConfirmRequirements(wizard));
        }
        ASSERT_NE(wizard.AwaitPage("Datenbank-Server"), nullptr);
        EXPECT_TRUE(wizard.IsChecked("Datenbank-Server"));
        wizard.Press(VK_RETURN);
        if (update) {
            ASSERT_NO_FATAL_FAILURE(ConfirmUpdateNote(wizard));
        }
    }
    void AwaitInstaller(const std::string& from) {
        EXPECT_TRUE(WaitUntil([&] { return InstallerStarts().find(from) != std::string::npos; }))
            << InstallerStarts();
    }

    TempFolder server{"\\Server Łódź"}, records;
};

TEST_F(ServerCopyPathsTest, DatabaseServerCopiesToAFolderChosenInThePickerAndGoesOnFromThere) {
    WizardDriver& wizard = Start();
    ThroughToTheCopyPage(wizard, false);
    ASSERT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
    // The shell's own folder picker, its tree walked down to "Server Łódź".
    ASSERT_TRUE(wizard.TabTo("Durchsuchen..."));
    wizard.Press(VK_SPACE);
    HWND picker = wizard.AwaitWindow("Browse for Folder");
    ASSERT_NE(picker, nullptr) << wizard.DescribeWindows();
    ASSERT_TRUE(ChooseInFolderPicker(picker, wizard.run().processId(), server.path()));
    ASSERT_TRUE(WaitUntil([&] { return wizard.Shows(server.path()); }));
    EXPECT_TRUE(wizard.IsChecked("Installationsprozedur kopieren nach:"));
    ASSERT_TRUE(wizard.TabTo("&Weiter >"));
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools", 60000), nullptr);
    wizard.Press(VK_RETURN);
    EXPECT_EQ(wizard.run().WaitForExit(30000), 0);

    // The workstation part of the image lies in the server folder.
    for (const char* file : {"Selvor.exe", "Install.ini", "Version.ini", "UpdateNote.txt",
                             "sqlredis.exe", "Dravik.exe", "AktVersion.ini",
                             "Setups\\Tolvane\\Setup.exe", "Setups\\DBTools\\DBToolsSetup.exe"}) {
        EXPECT_TRUE(PathExists(server / file)) << file;
    }
    EXPECT_EQ(Suite("SelvorDestination"), server.path());
    EXPECT_EQ(Suite("SelvorLocation"), "");
    // The setup goes on from the copy.
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
}

TEST_F(ServerCopyPathsTest, DatabaseServerAnswersRecordedOnceAreReplayedOnAFreshServer) {
    SetSuite("SelvorDestination", server.path());
    const std::string answers = records / "Antworten.ini";
    WizardDriver& wizard = StartWith("-SAVEANSWERS \"" + answers + "\"");
    ThroughToTheCopyPage(wizard, false);
    ASSERT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools", 60000), nullptr);
    wizard.Press(VK_RETURN);
    EXPECT_EQ(wizard.run().WaitForExit(30000), 0);
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
    const std::string recorded = AllValues(HKEY_LOCAL_MACHINE, kSuiteKey);

    // A server that never saw a setup: no role, no folder remembered, no copy.
    FreshSuite();
    for (const auto& entry : std::filesystem::directory_iterator(platform::ToWide(server.path()))) {
        std::filesystem::remove_all(entry.path());
    }
    platform::files::DeleteFileAt(Record());
    WizardDriver& replay = StartWith("-ANSWERS \"" + answers + "\"");
    EXPECT_EQ(replay.run().WaitForExit(90000), 0);
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
    EXPECT_TRUE(PathExists(server / "Selvor.exe"));
    EXPECT_EQ(AllValues(HKEY_LOCAL_MACHINE, kSuiteKey), recorded);

    // The same on another fresh server, silently: no window ever shows, and
    // without a record the post-setup program is told of none.
    FreshSuite();
    for (const auto& entry : std::filesystem::directory_iterator(platform::ToWide(server.path()))) {
        std::filesystem::remove_all(entry.path());
    }
    platform::files::DeleteFileAt(Record());
    WizardDriver& silent = StartWith("-SILENT -ANSWERS \"" + answers + "\"");
    VisibleWindowWatch watch(silent.run().processId());
    EXPECT_EQ(silent.run().WaitForExit(90000), 0);
    EXPECT_EQ(watch.Seen(), "");
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
    EXPECT_TRUE(PathExists(server / "Selvor.exe"));
    std::string values = AllValues(HKEY_LOCAL_MACHINE, kSuiteKey);
    const std::string handedOver = "StillesSetupProtokoll=\n";
    ASSERT_NE(values.find(handedOver), std::string::npos) << values;
    EXPECT_EQ(values.erase(values.find(handedOver), handedOver.size()), recorded);
}

TEST_F(ServerCopyPathsTest, PrescribedUpdateGoesIntoItsVersionFolderAfterTheOldOnesAreOffered) {
    WriteImage("UPDATE", "5.2.0");
    image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=5.2.0\r\nBuild=1000\r\n");
    server.Write("Version_510\\Version.ini", "[Common]\r\nVersion=5.1.0\r\n");
    server.Write("Version_500\\Version.ini", "[Common]\r\nVersion=5.0.0\r\n");
    SetSuite("SelvorDestination", server / "Version_510");
    WizardDriver& wizard = Start();
    ASSERT_NE(wizard.AwaitPage("Version 5.2.0", 60000), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage("Aktualisierung"), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(ConfirmUpdateNote(wizard));

    // The old installation files come first: the first one listed is deleted.
    ASSERT_NE(wizard.AwaitPage(kOldFilesHeading), nullptr);
    EXPECT_EQ(WindowText(wizard.Page()), "Setup-Assistent");  // its caption from the start
    EXPECT_FALSE(wizard.IsEnabled("&Frühere Versionen löschen"));
    ASSERT_TRUE(wizard.TabToClass("ListBox"));
    wizard.Press(VK_HOME);
    ASSERT_TRUE(WaitUntil([&] { return wizard.IsEnabled("&Frühere Versionen löschen"); }, 5000));
    wizard.PressAlt('f');
    ASSERT_TRUE(WaitUntil([&] {
        return !PathExists(server / "Version_510") || !PathExists(server / "Version_500");
    }));
    EXPECT_TRUE(PathExists(server / "Version_510") != PathExists(server / "Version_500"));
    wizard.PressAlt('w');

    ASSERT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
    EXPECT_NE(wizard.AwaitPage("\\Version_520"), nullptr);
    wizard.Press(VK_RETURN);  // copies, then starts the update from the copy
    EXPECT_EQ(wizard.run().WaitForExit(60000), 0);
    EXPECT_TRUE(PathExists(server / "Version_520\\Selvor.exe"));
    EXPECT_TRUE(PathExists(server / "AktVersion.ini"));
    EXPECT_EQ(Suite("SelvorDestination"), server / "Version_520");
    AwaitInstaller(server / "Version_520\\Setups\\Tolvane\\Setup.exe\" /s");
}

TEST_F(ServerCopyPathsTest, CancelStopsALargeCopyAndTheWorkstationSetupRunsFromTheFinishedOne) {
    // A few thousand files: time enough to cancel in the middle.
    for (int i = 0; i < 3000; ++i) {
        image.Write("Setups\\Tolvane\\Daten\\datei" + std::to_string(i) + ".dat",
                    std::string(4096, static_cast<char>('a' + i % 26)));
    }
    WriteImage("", "7.80");
    image.Write("WSROOT\\Install.ini",
                ReadFileText(image / "WSROOT\\Install.ini") + "Setups\\Tolvane\\Daten\r\n");
    SetSuite("SelvorDestination", server.path());
    WizardDriver& wizard = Start();
    ThroughToTheCopyPage(wizard, false);
    ASSERT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
    wizard.Press(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return PathExists(server / "Setups\\Tolvane\\Daten\\datei1.dat"); },
                          60000));
    wizard.Press(VK_ESCAPE);
    HWND question = wizard.AwaitWindow("Setup-Assistent");
    ASSERT_NE(question, nullptr);
    AnswerMessageBox(question, IDNO);
    // The copy stopped; the page stays, every button answers again.
    ASSERT_TRUE(WaitUntil([&] { return wizard.IsEnabled("&Weiter >"); }, 20000));
    EXPECT_FALSE(PathExists(server / "Setups\\Tolvane\\Daten\\datei2999.dat"));
    EXPECT_LT(LongestAnswerTime(wizard.Page(), 500), 100.0);
    EXPECT_EQ(Suite("SelvorDestination"), server.path());  // only as remembered before

    wizard.Press(VK_RETURN);  // the copy again, this time to its end
    ASSERT_NE(wizard.AwaitPage("Datenbank-Tools", 120000), nullptr);
    EXPECT_TRUE(PathExists(server / "Setups\\Tolvane\\Daten\\datei2999.dat"));
    wizard.Press(VK_RETURN);
    EXPECT_EQ(wizard.run().WaitForExit(30000), 0);
    AwaitInstaller(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");

    // A workstation installs from the server copy with Selvor.exe.
    WizardDriver& workstation = Start(server / "Selvor.exe", server.path());
    ASSERT_NE(workstation.AwaitPage("Version 7.80", 60000), nullptr);
    EXPECT_EQ(Suite("SelvorLocation"), server.path());
    EXPECT_EQ(Suite("SelvorDestination"), "");
    workstation.Press(VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(ConfirmRequirements(workstation));
    ASSERT_NE(workstation.AwaitPage("Netzwerk-Arbeitsplatz"), nullptr);
    EXPECT_TRUE(workstation.IsChecked("Netzwerk-Arbeitsplatz"));
    EXPECT_FALSE(workstation.Shows("Datenbank-Server"));
    workstation.Press(VK_RETURN);
    EXPECT_EQ(workstation.run().WaitForExit(30000), 0);
    EXPECT_EQ(Suite("SetupMachineType"), "1");
    EXPECT_TRUE(WaitUntil([&] {
        const std::string starts = InstallerStarts();
        return starts.find(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s") !=
               starts.rfind(server.path() + "\\Setups\\Tolvane\\Setup.exe\" /s");
    })) << InstallerStarts();
}

// An update whose installer the copy takes early, then many data files, and
// last a large workstation file; a database server remembers the server
// folder, so that the copy goes to its Version_520.
class InterruptedCopyTest : public ServerCopyPathsTest {
  protected:
    static constexpr int kDataFiles = 600;
    static constexpr const char* kFolders[] = {"Setups", "Setups\\Tolvane", "Setups\\DBTools",
                                               "Setups\\Daten"};

    InterruptedCopyTest() {
        WriteImage("UPDATE", "5.2.0");
        image.Write("WSROOT\\Install.ini",
                    ReadFileText(image / "WSROOT\\Install.ini") + "Setups\\Daten\r\n");
        for (int i = 0; i < kDataFiles; ++i) {
            image.Write("Setups\\Daten\\datei" + std::to_string(i) + ".dat",
                        std::string(4096, static_cast<char>('a' + i % 26)));
        }
        lastFile_ = MakeLastListedFile(48 << 20);
        SetSuite("SelvorDestination", server.path());
        WriteAnswerFile("Fortsetzen.ini",
                        "[Welcome]\r\nNext=1\r\n[Install]\r\nInstallType=1\r\nMachineType=2\r\n"
                        "ReInstallServiceReleaseChecked=0\r\nNext=1\r\n[UpdateNote]\r\n"
                        "OldVersionChecked=1\r\nNext=1\r\n[CopyToServer]\r\noptCopyCD=1\r\n"
                        "txtServerPath=" + server.path() + "\r\nOverwrite=Nein\r\n"
                        "ContinueFromServer=Ja\r\nNext=1\r\n");
    }

    // A large file that the folder lists last, as the copy takes it last:
    // NTFS and Wine list in alphabetical order.
    std::string MakeLastListedFile(size_t size) const {
        const std::string name = "Zusatzdaten.cab";
        image.Write("WSROOT\\" + name, std::string(size, 'L'));
        return PlainFiles(image / "WSROOT").back() == name ? name : std::string();
    }
    // UTF-16 with its byte-order mark, as the wizard writes answer files:
    // the server folder's name is not in the code page.
    void WriteAnswerFile(const std::string& name, const std::string& text) const {
        const std::wstring wide = L"\uFEFF" + platform::ToWide(text);
        image.Write(name, std::string(reinterpret_cast<const char*>(wide.data()),
                                      wide.size() * sizeof(wchar_t)));
    }

    // The update's way to the copy page, then Next; the question about the
    // existing version folder, when `question` says one comes, answered.
    WizardDriver& NextOnTheCopyPage(const std::string& question = "", int answer = IDYES) {
        WizardDriver& wizard = Start();
        EXPECT_NE(wizard.AwaitPage("Version 5.2.0", 60000), nullptr);
        wizard.Press(VK_RETURN);
        EXPECT_NE(wizard.AwaitPage("Aktualisierung"), nullptr);
        wizard.Press(VK_RETURN);
        ConfirmUpdateNote(wizard);
        EXPECT_NE(wizard.AwaitPage(kCopyHeading), nullptr);
        wizard.Press(VK_RETURN);
        if (!question.empty()) {
            HWND box = wizard.AwaitWindow("Achtung");
            EXPECT_NE(MessageBoxText(box).find(question), std::string::npos) << MessageBoxText(box);
            AnswerMessageBox(box, answer);
        }
        return wizard;
    }

    // The copy as a complete one would be: the workstation files at its
    // root, the listed folders below it, the wizard as Selvor.exe.
    std::map<std::string, std::string> CompleteCopy() const {
        std::map<std::string, std::string> tree;
        for (const std::string& name : PlainFiles(image / "WSROOT")) {
            tree[name] = ReadFileText(image / ("WSROOT\\" + name));
        }
        for (const char* folder : kFolders) {
            tree[std::string(folder) + "\\"] = "";
            for (const std::string& name : PlainFiles(image / folder)) {
                tree[std::string(folder) + "\\" + name] =
                    ReadFileText(image / (std::string(folder) + "\\" + name));
            }
        }
        for (const char* name : {"sqlredis.exe", "Dravik.exe"}) tree[name] = ReadFileText(image / name);
        tree["Selvor.exe"] = ReadFileText(image / "Paldrix.exe");
        return tree;
    }

    // A second run told by its answer file to go on from the server copy,
    // silently as a distribution tool starts it, and the workstation setup
    // started there: the copy is offered only to be copied again, a question
    // the file does not answer, and nothing is installed.
    void ExpectNothingInstalledFrom(const std::string& copy) {
        const std::string startsBefore = InstallerStarts();
        const std::string log = records / "fortsetzen.log";
        platform::files::DeleteFileAt(log);
        WizardDriver& replay = StartWith("-SILENT -ANSWERS \"" + image / "Fortsetzen.ini" +
                                         "\" -LOG \"" + log + "\"");
        EXPECT_EQ(replay.run().WaitForExit(90000), 1603);
        const std::string record = ReadFileText(log);
        EXPECT_NE(record.find("replay-stopped page=CopyToServer reason=\"the question "
                              "CopyIncompleteAgain is not answered\""),
                  std::string::npos)
            << record;
        EXPECT_NE(record.find(" silent-end at=CopyToServer"), std::string::npos) << record;
        if (PathExists(copy + "\\Selvor.exe")) {
            const std::string location = Suite("SelvorLocation");
            WizardDriver& workstation = Start(copy + "\\Selvor.exe", copy);
            HWND refusal = workstation.AwaitWindow("ZEVRIN Tolvane Setup-Assistent", 60000);
            EXPECT_NE(MessageBoxText(refusal).find("ist unvollständig"), std::string::npos)
                << MessageBoxText(refusal);
            AnswerMessageBox(refusal, IDOK);
            EXPECT_EQ(workstation.run().WaitForExit(30000), 1603);
            EXPECT_EQ(Suite("SelvorLocation"), location);  // it changed nothing
        }
        EXPECT_EQ(InstallerStarts(), startsBefore);
    }

    std::string lastFile_;
};

TEST_F(InterruptedCopyTest, ACopyEndedMidwayIsNeverTakenForCompleteNorTakesTheEarlierOne) {
    ASSERT_FALSE(lastFile_.empty());
    const std::string copy = server / "Version_520";
    const auto dataFilesIn = [](const std::string& folder) {
        return static_cast<int>(PlainFiles(folder + "\\Setups\\Daten").size());
    };
    struct KillPoint {
        const char* when;
        std::function<bool()> reached;
    };
    const KillPoint killPoints[] = {
        {"early, the installer copied", [&] { return PathExists(copy + "\\Setups\\Tolvane\\Setup.exe"); }},
        {"halfway", [&] { return dataFilesIn(copy) >= kDataFiles / 2; }},
        {"during the last file",
         [&] {
             const auto size = platform::files::FileSize(copy + "\\" + lastFile_);
             return size && *size < (48u << 20);
         }},
    };
    for (const KillPoint& point : killPoints) {
        SCOPED_TRACE(point.when);
        // The first run finds no copy, the later ones the incomplete one.
        WizardDriver& wizard = NextOnTheCopyPage(PathExists(copy) ? "nicht vollständig kopiert" : "");
        ASSERT_TRUE(WaitUntil(point.reached, 120000, 5));
        wizard.run().Kill();
        EXPECT_EQ(Suite("SelvorDestination"), server.path());
        EXPECT_FALSE(PathExists(server / "AktVersion.ini"));
        ASSERT_NO_FATAL_FAILURE(ExpectNothingInstalledFrom(copy));
    }

    // Copied again: complete, byte for byte, and the setup goes on from it.
    WizardDriver& again = NextOnTheCopyPage("nicht vollständig kopiert", IDYES);
    EXPECT_EQ(again.run().WaitForExit(120000), 0);
    AwaitInstaller(copy + "\\Setups\\Tolvane\\Setup.exe\" /s");
    const std::map<std::string, std::string> complete = CompleteCopy();
    EXPECT_TRUE(TreeOf(copy) == complete);
    EXPECT_EQ(ReadFileText(server / "AktVersion.ini"), ReadFileText(image / "WSROOT\\Version.ini"));
    EXPECT_EQ(Suite("SelvorDestination"), copy);

    // Overwriting it, ended halfway: the complete copy stays whole and
    // serves, the new one waits beside it.
    WizardDriver& overwrite = NextOnTheCopyPage("besteht schon", IDYES);
    ASSERT_TRUE(WaitUntil([&] { return dataFilesIn(copy + "\\~Kopie") >= kDataFiles / 2; }, 120000, 5));
    overwrite.run().Kill();
    std::map<std::string, std::string> left = TreeOf(copy);
    std::erase_if(left, [](const auto& entry) { return entry.first.starts_with("~Kopie\\"); });
    EXPECT_TRUE(left == complete);
    const std::string startsBefore = InstallerStarts();
    WizardDriver& replay = StartWith("-SILENT -ANSWERS \"" + image / "Fortsetzen.ini" + "\"");
    EXPECT_EQ(replay.run().WaitForExit(120000), 0);
    EXPECT_TRUE(WaitUntil([&] { return InstallerStarts() != startsBefore; })) << InstallerStarts();
    EXPECT_NE(InstallerStarts().rfind(copy + "\\Setups\\Tolvane\\Setup.exe\" /s"), std::string::npos);
    WizardDriver& workstation = Start(copy + "\\Selvor.exe", copy);
    EXPECT_NE(workstation.AwaitPage("Version 5.2.0", 60000), nullptr);
}

}  // namespace


