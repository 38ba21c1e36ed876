// A DLL planted beside the program (as on a share or in a download folder)
// must not be loaded: the programs restrict DLL loading to the system folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/RealRegistry.h"
#include "tests/support/TempFolder.h"

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
        std::string commandLine = "\"" + copy + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                            nullptr, folder.path().c_str(), &startup, &process);
        SetEnvironmentVariableA("CANARY_MARKER", nullptr);
        EXPECT_TRUE(started) << commandLine;
        if (!started) return false;
        EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
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

}  // namespace
