#include "wizard/base/AnswerFile.h"

#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/Profile.h"
#include "platform/TextEncoding.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "wizard/base/SetupSession.h"

namespace answers {
namespace {

constexpr const char* kNextKey = "Next";
// No value of a file can be this, so it tells a missing key from an empty one.
constexpr const char* kMissing = "\x01";

std::optional<std::string> folderPickerAnswer;

const std::string& RecordFile() { return Session().SaveAnswersFile; }
const std::string& ReplayFile() { return Session().AnswersFile; }

}  // namespace

void BeginRun() {
    SetupSession& session = Session();
    if (!session.AnswersFile.empty()) {
        session.AnswersFile = platform::files::FullPathOf(session.AnswersFile);
        run_log::Write("answers", {{"replay", session.AnswersFile}});
        if (!platform::files::FileExists(session.AnswersFile)) {
            StopReplay("", "the answer file cannot be found");
        }
    }
    if (!session.SaveAnswersFile.empty()) {
        session.SaveAnswersFile = platform::files::FullPathOf(session.SaveAnswersFile);
        run_log::Write("answers", {{"record", session.SaveAnswersFile}});
        // A replay that records into its own file keeps what it replays.
        // A new file is UTF-16 with its mark, which the profile functions
        // keep: any folder or path an answer names is stored whole.
        if (text::Upper(session.SaveAnswersFile) != text::Upper(session.AnswersFile)) {
            platform::files::WriteWholeFile(session.SaveAnswersFile,
                                            std::string(platform::encoding::kUtf16LeMark));
        }
    }
}

bool Recording() { return !RecordFile().empty(); }

bool Replaying() { return !ReplayFile().empty() && !Session().ReplayStopped; }

void StopReplay(const std::string& page, const std::string& reason) {
    if (!Replaying()) return;
    Session().ReplayStopped = true;
    run_log::Write("replay-stopped", {{"page", page}, {"reason", reason}});
}

void ForgetPage(const std::string& page) {
    // A replay that records into its own file must still read the page.
    if (Recording() && text::Upper(RecordFile()) != text::Upper(ReplayFile())) {
        platform::profile::DeleteSection(page, RecordFile());
    }
}

void RecordPage(const std::string& page, const Choices& choices) {
    // A Next that kept the page leaves no answers of its own behind.
    ForgetPage(page);
    for (const auto& [key, value] : choices) RecordAnswer(page, key, value);
    RecordAnswer(page, kNextKey, "1");
}

void RecordAnswer(const std::string& page, const std::string& key, const std::string& value) {
    if (Recording()) platform::profile::WriteString(page, key, value, RecordFile());
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
