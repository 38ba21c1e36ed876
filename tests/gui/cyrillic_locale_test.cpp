// The wizard on a machine whose ANSI code page is Cyrillic (1251): the German
// texts of the program and of the image (Windows-1252 files) read whole
// through the W functions, as a user there sees them. Runs only as the ctest
// "gui_tests_cyrillic", which starts this program under a Russian locale.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/support/WizardImageTest.h"

using namespace testing_support;

namespace {

class CyrillicLocaleTest : public WizardImageTest {
  protected:
    void SetUp() override {
        if (std::getenv("ZEVRIN_CYRILLIC_RUN") == nullptr) {
            GTEST_SKIP() << "runs as gui_tests_cyrillic, under a Russian locale";
        }
        // Without the Russian code page this test would prove nothing.
        ASSERT_EQ(GetACP(), 1251u);
        PlaceStandIn("Setups\\Tolvane\\Setup", "");
        // The image's files are Windows-1252, as the suite's maker writes them.
        image.Write("WSROOT\\Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
        image.Write("WSROOT\\Mindestvoraussetzungen.ini",
                    "[Zevrin]\r\nTL=ZEVRIN Tolvane f\xFCr Handwerksbetriebe\r\n"
                    "[Betriebssystem]\r\nEinzelplatzArbeitsstation=Windows 10 oder h\xF6her\r\n"
                    "Server=Windows Server 2016 oder h\xF6her\r\n");
        image.Write("WSROOT\\UpdateNote.txt",
                    "Bitte sichern Sie zuerst die Datenbank (\xE4\xF6\xFC\xDF).\r\n");
    }
    void WriteInstallIni(const std::string& installType) {
        image.Write("WSROOT\\Install.ini", "[Application]\r\nInstallType=" + installType +
                                               "\r\nRUN=Setups\\Tolvane\\Setup.exe /s\r\n"
                                               "[Checklisten]\r\nReadme=Neuerungen.pdf\r\n");
    }
};

TEST_F(CyrillicLocaleTest, PagesBoxesAndTheImagesTextsReadWhole) {
    WriteInstallIni("");
    WizardDriver& wizard = Start();
    ASSERT_NE(wizard.AwaitPage(kWelcomeHeading, 60000), nullptr);
    EXPECT_TRUE(wizard.Shows("< &Zurück"));
    EXPECT_TRUE(wizard.Shows("Info über Version 7.80"));
    wizard.Press(VK_RETURN);
    ASSERT_NE(wizard.AwaitPage(kRequirements), nullptr);
    for (const char* value : {"Für ZEVRIN Tolvane 7.80", "ZEVRIN Tolvane für Handwerksbetriebe",
                              "Windows 10 oder höher", "Windows Server 2016 oder höher",
                              "Weitere Systemvoraussetzungen für ZEVRIN Tolvane öffnen."}) {
        EXPECT_TRUE(wizard.Shows(value)) << value << "\n" << wizard.DescribeWindows();
    }
    wizard.Press(VK_ESCAPE);
    HWND question = wizard.AwaitWindow("Setup-Assistent");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question),
              "Die Installation wurde noch nicht vollständig durchgeführt. Möchten Sie den "
              "Setup-Assistenten trotzdem beenden?");
    AnswerMessageBox(question, IDYES);
    EXPECT_EQ(wizard.run().WaitForExit(30000), 1602);

    WriteInstallIni("UPDATE");
    WizardDriver& update = Start();
    ASSERT_NE(update.AwaitPage(kWelcomeHeading, 60000), nullptr);
    update.Press(VK_RETURN);
    ASSERT_NE(update.AwaitPage("Aktualisierung einer bestehenden Version"), nullptr);
    update.Press(VK_RETURN);
    ASSERT_NE(update.AwaitPage(kNoteConfirmed), nullptr);
    EXPECT_TRUE(update.Shows("Bitte sichern Sie zuerst die Datenbank (äöüß)."))
        << update.DescribeWindows();
    EXPECT_TRUE(update.Shows("Hinweis für die Aktualisierung auf 7.80"));
}

}  // namespace
