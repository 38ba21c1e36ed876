// The runtime prerequisites with the real platform: stand-in packages named in
// a test Install.ini are started through the shell, waited for, and record
// the runtime's Version value as the real packages do.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Win32Platform.h"
#include "shared/modRegistry.h"
#include "tests/support/MessageBoxReader.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/RecordingNotice.h"
#include "tests/support/TempFolder.h"
#include "wizard/base/SetupSession.h"
#include "wizard/services/RuntimePrerequisites.h"

using namespace testing_support;

namespace {

constexpr const char* kTitle = "ZEVRIN Tolvane Setup-Assistent";

std::string RuntimeKey(const char* version) {
    return std::string("SOFTWARE\\Microsoft\\VisualStudio\\") + version + "\\VC\\Runtimes\\x86";
}

// Keeps the test's working folder: starting a package moves it into the image.
class WorkingFolderGuard {
public:
    WorkingFolderGuard() { GetCurrentDirectoryA(MAX_PATH, folder_); }
    ~WorkingFolderGuard() { SetCurrentDirectoryA(folder_); }

private:
    char folder_[MAX_PATH] = {};
};

class RuntimePackagesTest : public ::testing::Test {
protected:
    RuntimePackagesTest()
        : guard_(win32_),
          suite_(HKEY_LOCAL_MACHINE, kSuiteKey),
          vc11_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\VisualStudio\\11.0"),
          vc12_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\VisualStudio\\12.0"),
          vc14_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\VisualStudio\\14.0") {
        ResetSession();
        Session().WizardTitle = kTitle;
        Session().SetupRoot = image_.path();
        std::string ini;
        const struct { const char* section; const char* program; const char* version; } packages[] = {
            {"VCRedist2", "vcredist2", nullptr},           {"VCRedist110x86", "vc110_x86", "11.0"},
            {"VCRedist120x86", "vc120_x86", "12.0"},       {"VCRedist140x86", "vc140_x86", "14.0"},
            {"VCRedist110x64", "vc110_x64", "11.0"},       {"VCRedist120x64", "vc120_x64", "12.0"},
        };
        for (const auto& p : packages) {
            ini += std::string("[") + p.section + "]\r\nRUN=WSROOT\\VC\\" + p.program + ".exe /q\r\n";
            const std::string program = image_ / ("WSROOT\\VC\\" + std::string(p.program) + ".exe");
            image_.MakeFolder("WSROOT\\VC");
            CopyFileA((std::string(FIXTURE_DIR) + "\\StandIn.exe").c_str(), program.c_str(), FALSE);
            std::string instructions = "[StandIn]\r\nRunMilliseconds=500\r\nRecord=" +
                                       (image_ / "starts.txt") + "\r\n";
            if (p.version != nullptr) {
                instructions += "[Registry]\r\n1=" + RuntimeKey(p.version) + "|Version|" +
                                p.version + ".1\r\n";
            }
            image_.Write("WSROOT\\VC\\" + std::string(p.program) + ".standin.ini", instructions);
        }
        Session().InstallIniPath = image_.Write("WSROOT\\Install.ini", ini);
    }

    // Program names in the order the packages started.
    std::vector<std::string> StartedPackages() const {
        std::vector<std::string> names;
        const std::string record = ReadFileText(image_ / "starts.txt");
        for (size_t at = record.find("\\VC\\"); at != std::string::npos;
             at = record.find("\\VC\\", at + 1)) {
            names.push_back(record.substr(at + 4, record.find(".exe", at) - at - 4));
        }
        return names;
    }

    platform::Win32Platform win32_;
    platform::ScopedPlatform guard_;
    ScratchKey suite_, vc11_, vc12_, vc14_;
    TempFolder image_;
    WorkingFolderGuard workingFolder_;
    RecordingNotice notice_;
};

TEST_F(RuntimePackagesTest, BareMachineRunsTheX86PackagesInOrderAndTheX64OnesFindThemInstalled) {
    MessageBoxReader reader({kTitle});

    InstallRuntimePrerequisites(notice_);

    EXPECT_TRUE(reader.Seen().empty());
    EXPECT_EQ(StartedPackages(),
              (std::vector<std::string>{"vcredist2", "vc110_x86", "vc120_x86", "vc140_x86"}));
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kSuiteKey, "VCRedist2"), "1");
    EXPECT_EQ(ReadRegistryValue(RegistryRoot::LocalMachine, RuntimeKey("14.0"), "Version"), "14.0.1");
    EXPECT_EQ(notice_.events, "show;unload;");
    EXPECT_EQ(Session().WaitProcessName, "vc140_x86.exe");

    // A second run finds everything in place and starts nothing.
    InstallRuntimePrerequisites(notice_);
    EXPECT_EQ(StartedPackages().size(), 4u);
}

}  // namespace
