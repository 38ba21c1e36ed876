// A DLL planted beside the program (as on a share or in a download folder)
// must not be loaded: the programs restrict DLL loading to the system folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Win32Platform.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WaitUntil.h"

using namespace testing_support;

namespace {

class DllPlantingTest : public ::testing::Test {
protected:
    DllPlantingTest() {
        CopyFileA((std::string(FIXTURE_DIR) + "\\canary\\version.dll").c_str(),
                  (folder / "version.dll").c_str(), FALSE);
    }

    // Runs `program` from the planted folder with Wine told to prefer a
    // native version.dll for it; true when the canary left its marker.
    // (A child started from here does not see a changed WINEDLLOVERRIDES,
    // so the override goes through Wine's per-program registry settings.)
    bool CanaryLoadedBy(const std::string& program, const std::string& arguments) {
        const std::string name = program.substr(program.find_last_of('\\') + 1);
        const std::string copy = folder / name;
        CopyFileA(program.c_str(), copy.c_str(), FALSE);
        const std::string overrides = "Software\\Wine\\AppDefaults\\" + name;
        ScratchKey appDefaults(HKEY_CURRENT_USER, overrides);
        const char preferNative[] = "native,builtin";
        SetRawValue(HKEY_CURRENT_USER, overrides + "\\DllOverrides", "version", REG_SZ, preferNative,
                    sizeof(preferNative), 0);
        const std::string marker = folder / "loaded.marker";
        DeleteFileA(marker.c_str());
        SetEnvironmentVariableA("CANARY_MARKER", marker.c_str());
        ProgramRun run(copy, arguments, folder.path());
        SetEnvironmentVariableA("CANARY_MARKER", nullptr);
        EXPECT_TRUE(run.started()) << copy << " " << arguments;
        if (!run.started()) return false;
        EXPECT_NE(run.WaitForExit(60000), -1) << "still running";
        return PathExists(marker);
    }

    TempFolder folder;
};

TEST_F(DllPlantingTest, CanaryIsFoundWhenTheSearchIsNotRestricted) {
    // Shows the planted DLL would be taken, so the tests below mean something.
    EXPECT_TRUE(CanaryLoadedBy(std::string(FIXTURE_DIR) + "\\DllProbe.exe", "open"));
}

TEST_F(DllPlantingTest, RestrictedSearchTakesTheSystemCopy) {
    EXPECT_FALSE(CanaryLoadedBy(std::string(FIXTURE_DIR) + "\\DllProbe.exe", "restricted"));
}

TEST_F(DllPlantingTest, TheWizardDoesNotLoadThePlantedDll) {
    folder.Write("inf\\P_TL_UPD.inf", "[COMPONENTS]\r\nP_Q_Vorlauf=1\r\n");
    EXPECT_FALSE(CanaryLoadedBy(std::string(PROGRAM_DIR) + "\\Paldrix.exe",
                                "-EDITINF " + folder / "inf\\"));
}

// The wizard ends the reminder and the monitor with a bare "taskkill"; the
// search for a program so named would begin beside the running program.
TEST(ProgramPlantingTest, CommandLinesNamingNoFolderRunOnlyFromTheSystemFolder) {
    char self[MAX_PATH] = {};
    const std::string running(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    const std::string beside = running.substr(0, running.find_last_of('\\') + 1);
    TempFolder records;
    const std::vector<std::string> planted{"taskkill", "zvplanted"};
    for (const std::string& name : planted) {
        ASSERT_TRUE(CopyFileA((std::string(FIXTURE_DIR) + "\\StandIn.exe").c_str(),
                              (beside + name + ".exe").c_str(), FALSE));
        const std::string ini = "[StandIn]\r\nRecord=" + records / "starts.txt" + "\r\n";
        platform::files::WriteWholeFile(beside + name + ".standin.ini", ini);
    }
    platform::Win32Platform win32;

    EXPECT_TRUE(win32.RunCommandLine("taskkill /f /im none.exe", platform::WindowStyle::Hidden));
    EXPECT_FALSE(win32.RunCommandLine("zvplanted /q", platform::WindowStyle::Hidden));
    EXPECT_TRUE(
        win32.RunCommandLine(beside + "zvplanted.exe /named", platform::WindowStyle::Hidden));

    // Only the program started by its full path has left its record. Each
    // start above made its process before it returned; once none of them
    // runs any more, a planted taskkill would have recorded its start too.
    EXPECT_TRUE(WaitUntil([&] {
        return PathExists(records / "starts.txt") && !ProcessRuns("taskkill.exe") &&
               !ProcessRuns("zvplanted.exe");
    }));
    const std::string started = ReadFileText(records / "starts.txt");
    EXPECT_NE(started.find("zvplanted.exe /named"), std::string::npos) << started;
    EXPECT_EQ(started.find("taskkill"), std::string::npos) << started;
    EXPECT_EQ(started.find("/q"), std::string::npos) << started;
    for (const std::string& name : planted) {
        DeleteFileA((beside + name + ".exe").c_str());
        DeleteFileA((beside + name + ".standin.ini").c_str());
    }
}

}  // namespace
