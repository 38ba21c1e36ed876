// The internet update from end to end: the wizard started as INETSETUP.exe,
// the update tool stand-in delivering a patch package while the wizard waits
// for it, the real question box answered Yes, and the first page shown from
// the unpacked image.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <regex>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "tests/support/Cabinets.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/TempFolder.h"

using namespace testing_support;

namespace {

constexpr const char* kQuestionCaption = "ZEVRIN Internet-Assistent Tolvane";
constexpr const char* kQuestion =
    "Es ist ein Update vorhanden! Möchten Sie dieses Update installieren?";

std::string Built(const std::string& file) {
    return std::string(PROGRAM_DIR) + "\\tests\\cabinets\\" + file;
}

// An installed suite with the update tool stand-in, which delivers the patch
// package into its download folder and runs for three seconds.
class InternetUpdateTest : public ::testing::Test {
  protected:
    InternetUpdateTest()
        : destinations_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zevrin\\Setup"),
          suite_(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zevrin\\Quenor") {
        assistant = install.MakeFolder("Internet-Assistent") + "\\";
        download = install.MakeFolder("Internet-Assistent\\Download") + "\\";
        install.Write("ZVTLM.exe", "program");
        productInf = install.Write("Tolvane.inf", "[PATCHES]\r\n");
        install.Write("Internet-Assistent\\Download\\OLD_PATCH.CAB", "from an earlier download");
        EXPECT_TRUE(platform::files::CopyFileReplacing(std::string(FIXTURE_DIR) + "\\StandIn.exe",
                                                       assistant + "Ubrel.exe"));
        install.Write("Internet-Assistent\\Ubrel.standin.ini",
                      "[StandIn]\r\nRunMilliseconds=3000\r\n[Copy]\r\n"
                      "1=" +
                          Built("P_Q_VORLAUF.cab") + "|" + download +
                          "P_Q_VORLAUF.CAB\r\n"
                          "2=" +
                          Built("P_Q_VORLAUF.INF") + "|" + download +
                          "P_Q_VORLAUF.INF\r\n"
                          "3=" +
                          Built("TL_UPD.cab") + "|" + download + "TL_UPD.CAB\r\n");
        const std::string registered = install.path() + "\\";
        EXPECT_TRUE(SetRawValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zevrin\\Setup\\Destinations",
                                "QUENOR", REG_SZ, registered.c_str(),
                                static_cast<DWORD>(registered.size() + 1)));
    }

    // What the applied update leaves on disk.
    void ExpectUpdateApplied() {
        const std::string starts = ReadFileText(assistant + "Ubrel.starts.txt");
        EXPECT_NE(starts.find("autodownloadex\t" + install.path() + "\\Internet-Assistent"),
                  std::string::npos)
            << starts;
        EXPECT_FALSE(PathExists(download + "OLD_PATCH.CAB"));

        const std::string image = install / "TmpSetup\\";
        EXPECT_EQ(ReadFileText(image + "WSROOT\\Install.ini"),
                  ReferenceContents("P_Q_VORLAUF", "WSROOT\\Install.ini"));
        EXPECT_EQ(ReadFileText(image + "Setups\\TL_UPD.CAB"), ReadFileText(Built("TL_UPD.cab")));
        EXPECT_FALSE(PathExists(image + "Setups\\P_Q_VORLAUF.CAB"));
        EXPECT_FALSE(PathExists(image + "Setups\\P_Q_VORLAUF.INF"));
        const std::string updateInf = image + "Setups\\P_TL_UPD.inf";
        EXPECT_EQ(
            platform::profile::ReadString("PROJECT PROPERTIES", ";VersionFile", "", updateInf),
            "x.ver");
        EXPECT_EQ(platform::profile::ReadString("COMPONENTS", "P_Q_Vorlauf", "<none>", updateInf),
                  "<none>");
        const std::string record =
            platform::profile::ReadString("PATCHES", "P_Q_Vorlauf.inf", "", productInf);
        EXPECT_TRUE(std::regex_match(
            record, std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d,01\.02\.2019,Vorlauf 3)")))
            << record;
    }

    TempFolder install;
    std::string assistant, download, productInf;

  private:
    ScratchKey destinations_, suite_;
};

BOOL CALLBACK CollectText(HWND child, LPARAM texts) {
    reinterpret_cast<std::vector<std::string>*>(texts)->push_back(WindowText(child));
    return TRUE;
}

TEST_F(InternetUpdateTest, InetsetupProgramAppliesTheUpdateAndShowsTheWelcomePageFromIt) {
    const std::string program = install / "INETSETUP.exe";
    ASSERT_TRUE(
        platform::files::CopyFileReplacing(std::string(PROGRAM_DIR) + "\\Paldrix.exe", program));
    const ULONGLONG started = GetTickCount64();
    ProgramRun run(program, "", install.path());
    ASSERT_TRUE(run.started());

    HWND question = run.WaitForWindow(kQuestionCaption, "#32770", 30000);
    ASSERT_NE(question, nullptr);
    EXPECT_GE(GetTickCount64() - started, 3000u);  // the tool's run was waited for
    EXPECT_EQ(MessageBoxText(question), kQuestion);
    AnswerMessageBox(question, IDYES);

    HWND welcome = run.WaitForWindow("ZEVRIN Tolvane Setup-Assistent", nullptr, 30000);
    ASSERT_NE(welcome, nullptr);
    ExpectUpdateApplied();
    // The page reads its version from the unpacked image.
    std::vector<std::string> texts;
    EnumChildWindows(welcome, CollectText, reinterpret_cast<LPARAM>(&texts));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Version 2026.2"), texts.end());
}

}  // namespace
