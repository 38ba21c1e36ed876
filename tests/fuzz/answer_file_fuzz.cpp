// The answer file: the input is the whole file a roll-out replays
// (-ANSWERS), recorded into a second file on the way (-SAVEANSWERS). The
// pages are walked from Welcome with the replay taking their choices and
// pressing Next. The walk ends, and the replay takes nothing the file does
// not say: every page it leaves forward is answered with Next=1, and each
// option and check box on it that the file names holds the file's value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/Files.h"
#include "tests/fuzz/FuzzSandbox.h"
#include "ui/Form.h"
#include "wizard/base/AnswerFile.h"
#include "wizard/base/SetupSession.h"
#include "wizard/pages/PageSequence.h"
#include "wizard/pages/WizardPage.h"

namespace {

// Pages a path passes at most, with room to spare; a walk longer than that
// does not end.
constexpr int kMostSteps = 40;

void Write(const std::string& path, const std::string& bytes) {
    if (!platform::files::WriteWholeFile(path, bytes)) std::abort();
}

// A fresh image each time, so that no input sees what an earlier one copied.
std::string LayOutImage() {
    const std::string& sandbox = fuzzing::Sandbox();
    for (const auto& entry : std::filesystem::directory_iterator(sandbox)) {
        std::filesystem::remove_all(entry.path());
    }
    const std::string image = sandbox + "/image";
    for (const char* folder : {"", "/WSROOT", "/Setups"}) {
        platform::files::CreateOneFolder(image + folder);
    }
    // A server folder for the copy, named relative to the current folder.
    platform::files::CreateOneFolder(sandbox + "/server");
    Write(image + "/WSROOT/Install.ini",
          "[Application]\r\nRUN=Setups\\Setup.exe /s\r\n"
          "[DBTools]\r\nRUN=Setups\\DBToolsSetup.exe\r\n"
          "[SELVORFOLDERS]\r\nSetups\r\n");
    Write(image + "/WSROOT/Selvor.exe", "workstation setup");
    Write(image + "/WSROOT/Version.ini", "[Common]\r\nVersion=7.80\r\nBuild=1000\r\n");
    Write(image + "/Setups/Setup.exe", "installer");
    Write(image + "/Setups/DBToolsSetup.exe", "tools");
    return image;
}

void PrepareSession(const std::string& image, const std::string& answerFile) {
    SetupSession& s = Session();
    s.WizardTitle = "ZEVRIN Tolvane Setup-Assistent";
    s.SetupRoot = s.SetupSourceRoot = image;
    s.InstallIniPath = s.SavedInstallIniPath = image + "/WSROOT/Install.ini";
    s.VersionIniPath = image + "/WSROOT/Version.ini";
    s.RequirementsIniPath = image + "/WSROOT/Mindestvoraussetzungen.ini";
    s.AnswersFile = answerFile;
    s.SaveAnswersFile = fuzzing::Sandbox() + "/record.ini";
    answers::BeginRun();
}

WizardPage* CurrentPage() {
    const auto forms = ui::LoadedForms();
    return forms.empty() ? nullptr : dynamic_cast<WizardPage*>(forms.back());
}

bool IsNumber(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A choice left on the page as the file gave it; numbers are read by value.
bool SameNumber(const std::string& left, const std::string& given) {
    const auto digits = [](const std::string& number) {
        const std::size_t first = number.find_first_not_of('0');
        return first == std::string::npos ? std::string("0") : number.substr(first);
    };
    return IsNumber(given) && digits(left) == digits(given);
}

void CheckPageLeft(const std::string& page, const answers::Choices& left) {
    if (!answers::PageAnswered(page)) __builtin_trap();
    for (const auto& [key, value] : left) {
        // Options and check boxes; a folder the page tidied (a version
        // folder chosen stands for its parent) is no choice of this kind.
        if (!IsNumber(value)) continue;
        const std::optional<std::string> given = answers::Value(page, key);
        if (given && !SameNumber(value, *given)) __builtin_trap();
    }
}

// One tick of every running timer of the page's window, as the window's
// own timers would fire; false when none runs (the replay has stopped).
bool Tick(platform::FakePlatform& fake, WizardPage& page) {
    const platform::FakePageWindow* window = fake.lastPageWindow;
    if (window == nullptr || window->destroyed || window->timers.empty()) return false;
    const auto running = window->timers;
    for (const auto& [id, interval] : running) page.OnTimer(id);
    return true;
}

void WalkReplayed(platform::FakePlatform& fake) {
    ShowFirstPage();
    for (int step = 0; step < kMostSteps; ++step) {
        WizardPage* page = CurrentPage();
        if (page == nullptr) return;
        const std::string name = page->Name();
        const answers::Choices before = page->Answers();
        if (!Tick(fake, *page)) return;
        if (!page->IsLoaded()) CheckPageLeft(name, before);
    }
    __builtin_trap();  // the replay went on and on
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FakeRun run;
    const std::string image = LayOutImage();
    const std::string answerFile = fuzzing::Sandbox() + "/answers.ini";
    Write(answerFile, std::string(reinterpret_cast<const char*>(data), size));
    PrepareSession(image, answerFile);
    try {
        WalkReplayed(run.fake);
    } catch (const platform::ProgramExit&) {
        // The wizard ended: the installer started, or the run was given up.
    }
    ui::DiscardAllForms();
    return 0;
}
