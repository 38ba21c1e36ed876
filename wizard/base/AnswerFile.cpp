#include "wizard/base/AnswerFile.h"

#include <vector>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/Profile.h"
#include "platform/TextEncoding.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/SilentRun.h"
#include "wizard/base/StartPrograms.h"

namespace answers {
namespace {

constexpr const char* kNextKey = "Next";
// No value of a file can be this, so it tells a missing key from an empty one.
constexpr const char* kMissing = "\x01";

std::optional<std::string> folderPickerAnswer;

// The answers given to the questions of the page on the screen, each with
// whether a Next was under way: a Next rewrites the page's section and
// keeps those given before it (while "Durchsuchen" chose the folder), but
// not those of an earlier Next that kept the page.
struct GivenAnswer {
    std::string key, value;
    bool duringNext = false;
};
struct PageAnswers {
    std::string page;
    std::vector<GivenAnswer> given;
    bool nextUnderWay = false;
};
PageAnswers pageAnswers;

PageAnswers& AnswersOf(const std::string& page) {
    if (pageAnswers.page != page) pageAnswers = PageAnswers{page, {}, false};
    return pageAnswers;
}

// A file that lacks an answer, or holds an earlier run's, would lead a later
// replay astray: the person recording learns it at once, and once.
void ReportUnsaved() {
    SetupSession& session = Session();
    if (session.AnswersNotSaved) return;
    session.AnswersNotSaved = true;
    const unsigned long error = platform::files::LastError();
    messages::Show(MessageKind::Failure,
                   "Die Antworten konnten nicht in \"" + session.SaveAnswersFile +
                       "\" gespeichert werden (" + platform::files::ErrorDescription(error) + ").",
                   kApplicationTitle, platform::mb::Ok | platform::mb::IconExclamation);
}

void WriteAnswer(const std::string& page, const std::string& key, const std::string& value) {
    if (!platform::profile::WriteString(page, key, value, Session().SaveAnswersFile)) {
        ReportUnsaved();
    }
}

const std::string& RecordFile() { return Session().SaveAnswersFile; }
const std::string& ReplayFile() { return Session().AnswersFile; }

}  // namespace

void BeginRun() {
    SetupSession& session = Session();
    if (!session.AnswersFile.empty()) {
        session.AnswersFile = platform::files::FullPathOf(session.AnswersFile);
        run_log::Write("answers", {{"replay", session.AnswersFile}});
        if (!FileMayExist(session.AnswersFile)) {
            StopReplay("", "the answer file cannot be found; the run is left to the user");
        }
    }
    if (!session.SaveAnswersFile.empty()) {
        session.SaveAnswersFile = platform::files::FullPathOf(session.SaveAnswersFile);
        run_log::Write("answers", {{"record", session.SaveAnswersFile}});
        // A replay that records into its own file keeps what it replays.
        // A new file is UTF-16 with its mark, which the profile functions
        // keep: any folder or path an answer names is stored whole.
        if (text::Upper(session.SaveAnswersFile) != text::Upper(session.AnswersFile) &&
            !platform::files::WriteWholeFile(session.SaveAnswersFile,
                                             std::string(platform::encoding::kUtf16LeMark))) {
            ReportUnsaved();
        }
    }
}

bool Recording() { return !RecordFile().empty(); }

bool Replaying() { return !ReplayFile().empty() && !Session().ReplayStopped; }

void StopReplay(const std::string& page, const std::string& reason) {
    if (!Replaying()) return;
    Session().ReplayStopped = true;
    run_log::Write("replay-stopped", {{"page", page}, {"reason", reason}});
    // Nobody is there to take the page over.
    if (Session().Silent) EndSilentRun("the replay stopped");
}

void ForgetPage(const std::string& page) {
    pageAnswers = PageAnswers{page, {}, false};
    // A replay that records into its own file must still read the page.
    if (Recording() && text::Upper(RecordFile()) != text::Upper(ReplayFile()) &&
        !platform::profile::DeleteSection(page, RecordFile())) {
        ReportUnsaved();
    }
}

void RecordPage(const std::string& page, const Choices& choices) {
    if (!Recording()) return;
    PageAnswers& answers = AnswersOf(page);
    // A Next that kept the page leaves no answers of its own behind.
    std::erase_if(answers.given, [](const GivenAnswer& given) { return given.duringNext; });
    const std::vector<GivenAnswer> before = answers.given;
    ForgetPage(page);
    for (const auto& [key, value] : choices) WriteAnswer(page, key, value);
    for (const GivenAnswer& given : before) RecordAnswer(page, given.key, given.value);
    WriteAnswer(page, kNextKey, "1");
    AnswersOf(page).nextUnderWay = true;
}

void NextEnded(const std::string& page) { AnswersOf(page).nextUnderWay = false; }

void RecordAnswer(const std::string& page, const std::string& key, const std::string& value) {
    if (!Recording()) return;
    PageAnswers& answers = AnswersOf(page);
    answers.given.push_back({key, value, answers.nextUnderWay});
    WriteAnswer(page, key, value);
}

std::optional<std::string> Value(const std::string& page, const std::string& key) {
    if (ReplayFile().empty()) return std::nullopt;
    std::string value = platform::profile::ReadString(page, key, kMissing, ReplayFile());
    if (value == kMissing) return std::nullopt;
    return value;
}

bool PageAnswered(const std::string& page) { return Value(page, kNextKey) == "1"; }

int AnsweredQuestion(const std::string& page, const std::string& key, const std::string& text,
                     const std::function<int()>& ask) {
    if (Replaying()) {
        const std::optional<std::string> given = Value(page, key);
        const std::optional<int> answer = given ? AnswerOf(*given) : std::nullopt;
        if (answer) {
            run_log::Write("replayed-answer", {{"page", page}, {"question", text}, {key, *given}});
            RecordAnswer(page, key, AnswerText(*answer));
            return *answer;
        }
        StopReplay(page, given ? key + "=" + *given + " is neither Ja nor Nein"
                               : "the question " + key + " is not answered");
    }
    const int answer = ask();
    const std::string given = AnswerText(answer);
    if (!given.empty()) RecordAnswer(page, key, given);
    return answer;
}

void AnswerFolderPicker(std::optional<std::string> folder) {
    folderPickerAnswer = std::move(folder);
}

std::optional<std::string> TakeFolderPickerAnswer() {
    return std::exchange(folderPickerAnswer, std::nullopt);
}

std::string AnswerText(int answer) {
    if (answer == platform::answer::Yes) return "Ja";
    if (answer == platform::answer::No) return "Nein";
    return {};
}

std::optional<int> AnswerOf(const std::string& text) {
    // Keys of an INI file are read regardless of case; hand-written answers too.
    if (text::Upper(text) == "JA") return platform::answer::Yes;
    if (text::Upper(text) == "NEIN") return platform::answer::No;
    return std::nullopt;
}

}  // namespace answers
