// The internet update from end to end on the real platform: the update tool
// stand-in delivers a patch package while the wizard waits for it, the real
// question box is answered Yes, and the start-up goes on with the unpacked
// image as its setup image.
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "tests/support/Cabinets.h"
#include "tests/support/MessageBoxAnswerer.h"
#include "tests/support/RealPlatformAs.h"
#include "tests/support/RealRegistry.h"
#include "tests/support/TempFolder.h"
#include "wizard/NoticeForm.h"
#include "wizard/SetupSession.h"
#include "wizard/StartUp.h"

using namespace testing_support;

namespace {

class SilentNotice : public NoticeForm {
public:
    void Show() override {}
    void Unload() override {}
};

std::string Built(const std::string& file) {
    return std::string(PROGRAM_DIR) + "\\tests\\cabinets\\" + file;
}

TEST(InternetUpdateTest, ToolDeliversThePackageAndTheWizardRunsFromIt) {
    ScratchKey destinations(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zevrin\\Setup");
    ScratchKey suite(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zevrin\\Quenor");
    TempFolder install;
    const std::string assistant = install.MakeFolder("Internet-Assistent") + "\\";
    const std::string download = install.MakeFolder("Internet-Assistent\\Download") + "\\";
    install.Write("ZVTLM.exe", "program");
    const std::string productInf = install.Write("Tolvane.inf", "[PATCHES]\r\n");
    install.Write("Internet-Assistent\\Download\\OLD_PATCH.CAB", "from an earlier download");
    ASSERT_TRUE(platform::files::CopyFileReplacing(std::string(FIXTURE_DIR) + "\\StandIn.exe",
                                                   assistant + "Ubrel.exe"));
    install.Write("Internet-Assistent\\Ubrel.standin.ini",
                  "[StandIn]\r\nRunMilliseconds=3000\r\n[Copy]\r\n"
                  "1=" + Built("P_Q_VORLAUF.cab") + "|" + download + "P_Q_VORLAUF.CAB\r\n"
                  "2=" + Built("P_Q_VORLAUF.INF") + "|" + download + "P_Q_VORLAUF.INF\r\n"
                  "3=" + Built("TL_UPD.cab") + "|" + download + "TL_UPD.CAB\r\n");
    const std::string registered = install.path() + "\\";
    ASSERT_TRUE(SetRawValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Zevrin\\Setup\\Destinations", "QUENOR",
                            REG_SZ, registered.c_str(),
                            static_cast<DWORD>(registered.size() + 1)));

    RealPlatformAs real(install / "INETSETUP.exe", "");
    platform::ScopedPlatform guard(real);
    ResetSession();
    MessageBoxAnswerer answerer("ZEVRIN Internet-Assistent Tolvane", IDYES);
    SilentNotice notice;
    const ULONGLONG started = GetTickCount64();

    ASSERT_TRUE(RunStartUpSequence(notice));

    EXPECT_GE(GetTickCount64() - started, 3000u);  // the tool's run was waited for
    EXPECT_EQ(answerer.Answered(), (std::vector<std::string>{
                                       "Es ist ein Update vorhanden! Möchten Sie dieses Update "
                                       "installieren?"}));
    const std::string starts = ReadFileText(assistant + "Ubrel.starts.txt");
    EXPECT_NE(starts.find("autodownloadex\t" + assistant.substr(0, assistant.size() - 1)),
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
    EXPECT_EQ(platform::profile::ReadString("PROJECT PROPERTIES", ";VersionFile", "", updateInf),
              "x.ver");
    EXPECT_EQ(platform::profile::ReadString("COMPONENTS", "P_Q_Vorlauf", "<none>", updateInf),
              "<none>");
    const std::string record =
        platform::profile::ReadString("PATCHES", "P_Q_Vorlauf.inf", "", productInf);
    EXPECT_TRUE(std::regex_match(
        record, std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d,01\.02\.2019,Vorlauf 3)")))
        << record;

    const SetupSession& s = Session();
    EXPECT_TRUE(s.InternetUpdate);
    EXPECT_EQ(s.SetupRoot, install / "TmpSetup");
    EXPECT_EQ(s.InstallIniPath, image + "WSROOT\\Install.ini");
    EXPECT_EQ(s.InstallTypeText, "UPDATE");
    EXPECT_EQ(s.InstallMode, 1);
}

}  // namespace
