// The start-up sequence in the internet update role: the gate decides
// whether the wizard starts, and an applied update becomes the setup image.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "tests/support/Cabinets.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "wizard/NoticeForm.h"
#include "wizard/StartUp.h"

using namespace testing_support;

namespace {

class SilentNotice : public NoticeForm {
public:
    void Show() override {}
    void Unload() override {}
};

class UpdateStartUpTest : public FakePlatformTest {
protected:
    UpdateStartUpTest() {
        install.Write("ZVTLM.exe", "tool");
        install.Write("Internet-Assistent\\Ubrel.exe", "tool");
        download = install.MakeFolder("Internet-Assistent\\Download") + "\\";
        fake.SetRegistry(RegistryRoot::LocalMachine, kDestinationsKey, "QUENOR",
                         RegistryValue::FromText(install.path() + "\\"));
        fake.programFilePath = install / "INETSETUP.exe";
        fake.commandLine = "-LOCALUPDATE";
    }
    bool Run() { return RunStartUpSequence(notice); }

    TempFolder install;
    std::string download;
    SilentNotice notice;
};

TEST_F(UpdateStartUpTest, WithoutUpdateTheWizardEndsAfterTheCheck) {
    EXPECT_FALSE(Run());

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Keine Updates vorhanden!");
    EXPECT_FALSE(Session().InternetUpdate);
    EXPECT_TRUE(Session().InstallIniPath.empty());
}

TEST_F(UpdateStartUpTest, AcceptedUpdateBecomesTheSetupImage) {
    for (const char* name : {"P_Q_VORLAUF", "TL_UPD"}) {
        ASSERT_TRUE(platform::files::CopyFileReplacing(BuiltCabinet(name),
                                                       download + name + ".CAB"));
    }
    fake.messageAnswers = {platform::answer::Yes};

    EXPECT_TRUE(Run());

    const SetupSession& s = Session();
    EXPECT_TRUE(s.LocalUpdate);
    EXPECT_TRUE(s.InternetUpdate);
    EXPECT_EQ(s.SetupRoot, install / "TmpSetup");
    EXPECT_EQ(s.InstallIniPath, install / "TmpSetup\\WSROOT\\Install.ini");
    EXPECT_EQ(s.InstallTypeText, "UPDATE");
    EXPECT_EQ(s.NewUpdate, "2026.2");
    EXPECT_TRUE(PathExists(install / "TmpSetup\\Setups\\TL_UPD.CAB"));
    EXPECT_EQ(fake.messages.size(), 1u);  // the question only
}

}  // namespace
