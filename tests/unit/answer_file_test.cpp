// Answers replayed from a file: taken only where the file says exactly what
// to do and the page offers it; anything else ends the replay and is left to
// the user. The whole recorded and replayed paths run in the GUI tests.
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "tests/support/FakePlatformTest.h"
#include "tests/support/TempFolder.h"
#include "ui/Form.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/AnswerReplay.h"
#include "wizard/pages/SystemPruefung.h"

using namespace testing_support;

namespace {

constexpr int kCancel = 2;  // as a message box answers its Cancel button

class AnswerFileTest : public FakePlatformTest {
  protected:
    ~AnswerFileTest() override { ui::DiscardAllForms(); }

    // A run that replays `answers` and records into a second file.
    void Replay(const std::string& answers) {
        ResetSession();
        Session().AnswersFile = temp.Write("replay.ini", answers);
        Session().SaveAnswersFile = temp / "record.ini";
        answers::BeginRun();
    }
    // Every running timer of the page's window fires once, as the window's would.
    void Tick(ui::Form& page) {
        const auto running = fake.lastPageWindow->timers;
        for (const auto& [id, interval] : running) page.OnTimer(id);
    }

    TempFolder temp;
};

TEST_F(AnswerFileTest, QuestionsAreAnsweredFromTheFileOnlyWithJaOrNeinAndRecordedAsGiven) {
    struct Case {
        const char* file;
        bool asked;
        int answer;
        const char* recorded;
    };
    const Case cases[] = {
        {"[Seite]\r\nOverwrite=Ja\r\n", false, platform::answer::Yes, "Ja"},
        {"[Seite]\r\nOverwrite=nein\r\n", false, platform::answer::No, "Nein"},
        {"[Seite]\r\nAnders=Ja\r\n", true, kCancel, ""},
        {"[Seite]\r\nOverwrite=vielleicht\r\n", true, kCancel, ""},
        {"[Seite]\r\nOverwrite=\r\n", true, kCancel, ""},
    };
    for (const Case& c : cases) {
        Replay(c.file);
        bool asked = false;
        const int answer = answers::AnsweredQuestion("Seite", "Overwrite", "Frage?", [&] {
            asked = true;
            return kCancel;
        });
        EXPECT_EQ(asked, c.asked) << c.file;
        EXPECT_EQ(answer, c.answer) << c.file;
        // A question the file did not answer ends the replay for the rest of the run.
        EXPECT_EQ(answers::Replaying(), !c.asked) << c.file;
        // The recording is UTF-16 with its mark from the start.
        const std::string stored = ReadFileText(temp / "record.ini");
        EXPECT_EQ(stored.substr(0, 2), "\xFF\xFE");
        EXPECT_EQ(platform::files::DecodeText(stored, platform::files::TextEncoding::AnsiCodePage),
                  *c.recorded ? std::string("[Seite]\r\nOverwrite=") + c.recorded + "\r\n" : "")
            << c.file;
    }

    // Recorded: an answer given before Next (while "Durchsuchen" chose the
    // folder) stays when Next rewrites the page; those of a Next that kept
    // the page go with the next one.
    Replay("");
    answers::ForgetPage("CopyToServer");
    answers::RecordAnswer("CopyToServer", "Overwrite", "Ja");
    answers::RecordPage("CopyToServer", {{"optCopyCD", "1"}});
    answers::RecordAnswer("CopyToServer", "CopyAgain", "Nein");
    answers::NextEnded("CopyToServer");
    answers::RecordPage("CopyToServer", {{"optCopyCD", "1"}});
    EXPECT_EQ(platform::files::DecodeText(ReadFileText(temp / "record.ini"),
                                          platform::files::TextEncoding::AnsiCodePage),
              "[CopyToServer]\r\noptCopyCD=1\r\nOverwrite=Ja\r\nNext=1\r\n");
}

TEST_F(AnswerFileTest, APageTakesOnlyWhatItOffersAndPressesNextOnlyAfterThat) {
    struct Case {
        const char* file;
        bool replaying;  // after the page took its choices
        bool ticked;
    };
    const Case cases[] = {
        {"[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=1\r\nNext=1\r\n", true, true},
        {"[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=0\r\nNext=1\r\n", true, false},
        {"[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=2\r\nNext=1\r\n", false, false},
        {"[SystemPruefung]\r\nNext=1\r\n", false, false},
        {"[SystemPruefung]\r\nCheckSystemvoraussetzungenGelesen=1\r\n", false, false},
        {"[Welcome]\r\nNext=1\r\n", false, false},
    };
    for (const Case& c : cases) {
        Replay(c.file);
        SystemPruefung& page = ShowSystemPruefungPage();
        TakeAnswersOn(page);
        Tick(page);
        EXPECT_EQ(answers::Replaying(), c.replaying) << c.file;
        EXPECT_EQ(page.CheckSystemvoraussetzungenGelesen.Value(), c.ticked ? 1 : 0) << c.file;
        EXPECT_EQ(page.btnNext.Enabled(), c.ticked) << c.file;
        EXPECT_TRUE(page.IsLoaded()) << c.file;  // Next comes one pause later
        ui::DiscardAllForms();
    }
    // A key of the user's own on the page ends the replay before its choices.
    Replay(cases[0].file);
    SystemPruefung& page = ShowSystemPruefungPage();
    TakeAnswersOn(page);
    page.OnUserInput();
    Tick(page);
    EXPECT_FALSE(answers::Replaying());
    EXPECT_EQ(page.CheckSystemvoraussetzungenGelesen.Value(), 0);
}

}  // namespace
