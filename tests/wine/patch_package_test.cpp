// Applying a patch package: real cabinets and INF files, the fake platform
// for the registry, the clock and the message boxes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "tests/support/Cabinets.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/StoredCabinet.h"
#include "tests/support/TempFolder.h"
#include "wizard/updates/InfEditing.h"
#include "wizard/updates/PatchPackage.h"

using namespace testing_support;

namespace {

constexpr const char* kAbortSentence =
    "\r\nBeim verarbeiten des Updates sind Fehler aufgetreten! Verarbeitung wird beendet.";

class PatchPackageTest : public FakePlatformTest {
  protected:
    PatchPackageTest() {
        fake.SetRegistry(RegistryRoot::LocalMachine, kDestinationsKeyWow, "QUENOR",
                         RegistryValue::FromText(install.path() + "\\"));
        productInf = install.Write("Tolvane.inf", "[PATCHES]\r\nP_Q_Vorlauf.inf=old\r\n");
        download = install.MakeFolder("Internet-Assistent\\Download") + "\\";
        tmpSetup = install.MakeFolder("TmpSetup") + "\\";
    }

    // The package as the update tool delivers it.
    void DeliverPackage() {
        Deliver(BuiltCabinet("P_Q_VORLAUF"), "P_Q_VORLAUF.CAB");
        Deliver(BuiltCabinet("TL_UPD"), "TL_UPD.CAB");
        Deliver(std::string(PROGRAM_DIR) + "\\tests\\cabinets\\P_Q_VORLAUF.INF", "P_Q_VORLAUF.INF");
    }
    void Deliver(const std::string& source, const std::string& name) {
        ASSERT_TRUE(platform::files::CopyFileReplacing(source, download + name));
    }
    std::string Read(const std::string& section, const std::string& key, const std::string& file) {
        return platform::profile::ReadString(section, key, "<none>", file);
    }

    TempFolder install;
    std::string productInf, download, tmpSetup;
};

TEST_F(PatchPackageTest, UnpacksTheImageCopiesTheRestAndRecordsThePatch) {
    DeliverPackage();

    EXPECT_TRUE(ApplyPatchPackage(tmpSetup, download));

    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(ReadFileText(tmpSetup + "WSROOT\\Install.ini"),
              ReferenceContents("P_Q_VORLAUF", "WSROOT\\Install.ini"));
    EXPECT_EQ(ReadFileText(tmpSetup + "Setups\\TL_UPD.CAB"), ReadFileText(BuiltCabinet("TL_UPD")));
    std::vector<std::string> setups = platform::files::ListAllFiles(tmpSetup + "Setups", "*").names;
    std::sort(setups.begin(), setups.end());
    EXPECT_EQ(setups, (std::vector<std::string>{"P_TL_UPD.inf", "TL_UPD.CAB"}));

    EXPECT_EQ(Read("COMPONENTS", "P_Q_Vorlauf", tmpSetup + "Setups\\P_TL_UPD.inf"), "<none>");
    EXPECT_EQ(Read("PATCHES", "P_Q_Vorlauf.inf", productInf),
              "07.12.2026 11:02,01.02.2019,Vorlauf 3");
}

TEST_F(PatchPackageTest, ImageWithoutSetupsFolderAbortsWithTheCopyError) {
    ASSERT_TRUE(WriteStoredCabinet(download + "P_Q_VORLAUF.CAB",
                                   {{"WSROOT\\Install.ini", "[Application]\r\n"}}));
    Deliver(BuiltCabinet("TL_UPD"), "TL_UPD.CAB");

    EXPECT_FALSE(ApplyPatchPackage(tmpSetup, download));

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              std::string("3  The system cannot find the path specified.") + kAbortSentence);
    EXPECT_EQ(fake.messages[0].caption, "ZEVRIN Internet-Assistent Tolvane");
    EXPECT_EQ(fake.messages[0].style, 0);
    EXPECT_EQ(Read("PATCHES", "P_Q_Vorlauf.inf", productInf), "old");
}

TEST_F(PatchPackageTest, PackageWithAnEscapingNameIsNotApplied) {
    const std::string outside = install.MakeFolder("outside");
    ASSERT_TRUE(WriteStoredCabinet(
        download + "P_Q_VORLAUF.CAB",
        {{"Setups\\P_TL_UPD.inf", "[COMPONENTS]\r\n"}, {"..\\outside\\planted.exe", "planted"}}));

    EXPECT_FALSE(ApplyPatchPackage(tmpSetup, download));

    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              "123  The filename, directory name, or volume label syntax is incorrect." +
                  std::string(kAbortSentence));
    EXPECT_FALSE(PathExists(outside + "\\planted.exe"));
    EXPECT_FALSE(PathExists(tmpSetup + "..\\outside\\planted.exe"));
    EXPECT_EQ(Read("PATCHES", "P_Q_Vorlauf.inf", productInf), "old");
}

TEST_F(PatchPackageTest, RecordWithoutPackageInfRemovesTheKey) {
    EXPECT_TRUE(RecordPatchLevel(download));
    EXPECT_EQ(Read("PATCHES", "P_Q_Vorlauf.inf", productInf), "<none>");

    // Without Tolvane.inf nothing is created.
    platform::files::DeleteFileAt(productInf);
    Deliver(std::string(PROGRAM_DIR) + "\\tests\\cabinets\\P_Q_VORLAUF.INF", "P_Q_VORLAUF.INF");
    EXPECT_TRUE(RecordPatchLevel(download));
    EXPECT_FALSE(PathExists(productInf));
}

TEST_F(PatchPackageTest, ClearPatchRecordKeepsOnlyThePreRunValue) {
    install.Write("Tolvane.inf",
                  "[PROJECT PROPERTIES]\r\nTitle=Tolvane\r\n[PATCHES]\r\n"
                  "P_TL_01.inf=a\r\nP_Q_Vorlauf.inf=07.12.2026 11:02,01.02.2019,Vorlauf 3\r\n"
                  "P_TL_02.inf=b\r\n");

    EXPECT_TRUE(ClearPatchRecord());

    EXPECT_EQ(Read("PATCHES", "P_TL_01.inf", productInf), "<none>");
    EXPECT_EQ(Read("PATCHES", "P_Q_Vorlauf.inf", productInf), "<none>");
    EXPECT_EQ(Read("PATCHES", "P_TL_02.inf", productInf), "<none>");
    EXPECT_EQ(Read("PROJECT PROPERTIES", "P_Q_Vorlauf.inf", productInf),
              "07.12.2026 11:02,01.02.2019,Vorlauf 3");
    EXPECT_EQ(Read("PROJECT PROPERTIES", "Title", productInf), "Tolvane");
}

TEST_F(PatchPackageTest, AnInfFileThatCannotBeWrittenIsReported) {
    install.Write("Setups\\P_TL_UPD.inf",
                  "[PROJECT PROPERTIES]\r\nVersionFile=x.ver\r\n[COMPONENTS]\r\nP_Q_Vorlauf=1\r\n");
    Deliver(std::string(PROGRAM_DIR) + "\\tests\\cabinets\\P_Q_VORLAUF.INF", "P_Q_VORLAUF.INF");
    struct Case {
        const char* file;
        std::function<bool()> edit;
    };
    const Case cases[] = {
        {"Setups\\P_TL_UPD.inf", [this] { return EditUpdateInf(install / "Setups\\"); }},
        {"Tolvane.inf", [this] { return RecordPatchLevel(download); }},
        {"Tolvane.inf", [] { return ClearPatchRecord(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = install / c.file;
        const std::string before = ReadFileText(path);
        fake.messages.clear();
        // Another program holds the file open for itself.
        const HANDLE held =
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);

        EXPECT_FALSE(c.edit());

        CloseHandle(held);
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].text,
                  "32  The process cannot access the file because it is being used by another "
                  "process.");
        EXPECT_EQ(fake.messages[0].caption, "ZEVRIN Internet-Assistent Tolvane");
        EXPECT_EQ(fake.messages[0].style, 0);
        EXPECT_EQ(ReadFileText(path), before);
    }
}

}  // namespace
