// Program starts for real: the stand-in records its command line and working
// folder, the wait sees its process, and the setup-type helper's answer is
// read back from the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Win32Platform.h"
#include "shared/modRegistry.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/StartPrograms.h"

using namespace testing_support;

namespace {

// Win32 for everything but the program file path, which places the wizard
// into a test image, and message boxes, which are recorded instead of
// waiting for a click.
class ImagePlatform : public platform::Win32Platform {
public:
    std::string ProgramFilePath() override { return programFilePath; }
    int ShowMessage(const std::string& text, const std::string&, int) override {
        messages.push_back(text);
        return platform::answer::Ok;
    }
    std::string programFilePath;
    std::vector<std::string> messages;
};

class ProgramStartTest : public ::testing::Test {
protected:
    ProgramStartTest() : guard_(win32), suite_(HKEY_LOCAL_MACHINE, kSuiteKey) {
        ResetSession();
        Session().WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
        Session().SetupRoot = image / "My Setup";
        win32.programFilePath = image / "My Setup\\Paldrix.exe";
    }

    // Copies the stand-in into the image under `relative`, with instructions.
    std::string PlaceStandIn(const std::string& relative, const std::string& instructions) {
        const std::string target = image / relative;
        image.Write(relative, "");
        CopyFileA((std::string(FIXTURE_DIR) + "\\StandIn.exe").c_str(), target.c_str(), FALSE);
        std::string ini = "[StandIn]\r\nRecord=";
        ini.append(image / "starts.txt").append("\r\n").append(instructions);
        image.Write(relative.substr(0, relative.find_last_of('.')) + ".standin.ini", ini);
        return target;
    }
    std::string Starts() {
        // The stand-in writes its record as it starts; give it a moment.
        WaitUntil([&] { return PathExists(image / "starts.txt"); }, 5000);
        return ReadFileText(image / "starts.txt");
    }

    ImagePlatform win32;
    TempFolder image;

private:
    platform::ScopedPlatform guard_;
    ScratchKey suite_;
};

TEST_F(ProgramStartTest, StartFileRunsTheProgramWithArgumentsAndWorkingFolder) {
    PlaceStandIn("My Setup\\WSROOT\\InstallTool.exe", "RunMilliseconds=2500\r\n");

    StartFile("WSROOT\\InstallTool.exe /s /v", true);
    const std::string record = Starts();

    EXPECT_TRUE(win32.messages.empty());
    EXPECT_NE(record.find("My Setup\\WSROOT\\InstallTool.exe\" /s /v\t"), std::string::npos)
        << record;
    EXPECT_NE(record.find("\t" + image / "My Setup"), std::string::npos) << record;

    // The wait sees the running process and returns once it has ended.
    EXPECT_TRUE(IsProcessRunning("InstallTool.exe"));
    const DWORD before = GetTickCount();
    WaitForProcessEnd(ProcessNameOf("WSROOT\\InstallTool.exe /s /v"));
    EXPECT_FALSE(IsProcessRunning("InstallTool.exe"));
    EXPECT_LT(GetTickCount() - before, 10000u);
}

TEST_F(ProgramStartTest, QuotedSpecificationIsReportedNotStarted) {
    PlaceStandIn("My Setup\\WSROOT\\Install Tool.exe", "");
    StartFile("\"WSROOT\\Install Tool.exe\" /s", true);
    ASSERT_EQ(win32.messages.size(), 1u);
    EXPECT_NE(win32.messages[0].find("konnte nicht gefunden werden"), std::string::npos);
}

TEST_F(ProgramStartTest, SetupTypeHelperIsAnsweredFromWhatItWrote) {
    PlaceStandIn("My Setup\\Dravik.exe",
                 "RunMilliseconds=300\r\n[Registry]\r\n1=SOFTWARE\\Zevrin\\Quenor|SetupType|2\r\n"
                 "2=SOFTWARE\\Zevrin\\Quenor|TlDestination|D:\\Tolvane\\\r\n");

    EXPECT_EQ(RunSetupTypeHelper(), 2);
    EXPECT_EQ(Session().TlDestination, "D:\\Tolvane\\");
    EXPECT_NE(Starts().find("\t" + image / "My Setup"), std::string::npos);
    EXPECT_TRUE(HasTradesInstallation());
}

TEST_F(ProgramStartTest, MissingHelperIsNoErrorAndTheRegistryIsUsed) {
    WriteRegistryValue(RegistryRoot::LocalMachine, kSuiteKey, "SetupType", "1");
    EXPECT_EQ(RunSetupTypeHelper(), 1);
}

}  // namespace
