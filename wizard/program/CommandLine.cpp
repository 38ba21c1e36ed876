#include "wizard/program/CommandLine.h"

#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/Platform.h"
#include "shared/Messages.h"
#include "shared/RunLog.h"
#include "shared/Text.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/RunOutcome.h"
#include "wizard/base/SetupSession.h"
#include "wizard/base/SilentRun.h"
#include "wizard/updates/InfEditing.h"

namespace {

// Split at every single space: no quoting, two spaces give an empty token.
std::vector<std::string> SplitAtSpaces(const std::string& arguments) {
    std::vector<std::string> tokens;
    size_t start = 0;
    for (;;) {
        size_t space = arguments.find(' ', start);
        tokens.push_back(arguments.substr(start, space - start));
        if (space == std::string::npos) break;
        start = space + 1;
    }
    return tokens;
}

bool IsHelpToken(const std::string& upper) {
    return upper == "-HELP" || upper == "-?" || upper == "?" || upper == "HELP";
}

// The options for rolling the suite out, with the session field each fills.
struct RollOutOption {
    const char* name;
    std::string SetupSession::*field;
};
const RollOutOption kRollOutOptions[] = {
    {"-LOG", &SetupSession::LogFile},
    {"-SAVEANSWERS", &SetupSession::SaveAnswersFile},
    {"-ANSWERS", &SetupSession::AnswersFile},
};

// The value that starts at token `first`: that token, or, when it begins
// with a double quote, every token up to the one that closes the quote (the
// split at blanks took a quoted path with blanks apart). Returns the value
// and the last token it took.
std::pair<std::string, size_t> ValueAt(const std::vector<std::string>& tokens, size_t first) {
    std::string value = tokens[first];
    if (!text::StartsWith(value, "\"")) return {value, first};
    size_t last = first;
    // Up to the token that closes the quote, or to the end when none does.
    while (!(value.size() > 1 && text::EndsWith(value, "\"")) && last + 1 < tokens.size()) {
        value += " " + tokens[++last];
    }
    value.erase(0, 1);
    if (text::EndsWith(value, "\"")) value.pop_back();
    return {value, last};
}

// The token that holds an option's value: the next one that is not empty,
// so that two blanks between option and value do not make the value empty.
size_t ValueTokenAfter(const std::vector<std::string>& tokens, size_t option) {
    size_t first = option + 1;
    while (first < tokens.size() && tokens[first].empty()) ++first;
    return first;
}

struct RollOutTokens {
    // For each token, whether it is the value of one of the options (the
    // walk then leaves it alone).
    std::vector<bool> isValue;
    // The options given without a value, which name no file.
    std::vector<std::string> withoutValue;
    bool silent = false;
};

// Reads the roll-out options into the session.
RollOutTokens ReadRollOutOptions(const std::vector<std::string>& tokens) {
    RollOutTokens read{std::vector<bool>(tokens.size(), false), {}};
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (read.isValue[i]) continue;
        const std::string upper = text::Upper(tokens[i]);
        if (upper == "-SILENT") read.silent = true;
        for (const RollOutOption& option : kRollOutOptions) {
            if (upper != option.name) continue;
            const size_t first = ValueTokenAfter(tokens, i);
            if (first >= tokens.size()) {
                read.withoutValue.push_back(option.name);
                break;
            }
            const auto [value, last] = ValueAt(tokens, first);
            Session().*option.field = value;
            if (value.empty()) read.withoutValue.push_back(option.name);
            for (size_t taken = first; taken <= last; ++taken) read.isValue[taken] = true;
        }
    }
    return read;
}

// A silent run replays its answers, and nothing else can answer: without a
// file it can read, it must not begin.
bool SilentRunHasItsAnswers() {
    const std::string& file = Session().AnswersFile;
    if (file.empty()) {
        NoteInvalidCommandLine("-SILENT without -ANSWERS and its file");
        return false;
    }
    if (!platform::files::CanOpenForReading(platform::files::FullPathOf(file))) {
        NoteInvalidCommandLine("the answer file cannot be read");
        return false;
    }
    return true;
}

}  // namespace

std::string HelpMessageText() {
    return "Unterstützt wird: \r\n\r\n"
           "  -LOCALUPDATE\r\n"
           "  -EDITINF\r\n"
           "  -EDITINFEXTENSION (obsolete)\r\n"
           "  -LOG <Datei>\r\n"
           "  -SAVEANSWERS <Datei>\r\n"
           "  -ANSWERS <Datei>\r\n"
           "  -SILENT (mit -ANSWERS <Datei>)";
}

void ParseCommandLine() { ParseCommandLine(platform::Current().CommandLineArguments()); }

void ParseCommandLine(const std::string& arguments) {
    SetupSession& session = Session();
    const std::vector<std::string> tokens = SplitAtSpaces(arguments);
    const RollOutTokens rollOut = ReadRollOutOptions(tokens);
    if (!session.LogFile.empty()) {
        run_log::Open(session.LogFile);
        run_log::Write("run-start", {{"program", ProgramFile()},
                                     {"role", std::string(RoleName(CurrentRole()))},
                                     {"arguments", arguments}});
    }
    // Without its file an option is not taken; the run goes on without it.
    for (const std::string& option : rollOut.withoutValue) {
        run_log::Write("option-without-file", {{"option", option}});
    }
    if (rollOut.silent) {
        // Before any box of the walk below: the help too is decided.
        BeginSilentRun();
        if (!SilentRunHasItsAnswers()) return;
    }
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (rollOut.isValue[i]) continue;
        const std::string upper = text::Upper(tokens[i]);
        if (upper == "-LOCALUPDATE") {
            if (CurrentRole() == ProgramRole::InternetUpdate) session.LocalUpdate = true;
        } else if (upper == "-EDITINF") {
            session.EditInfMode = true;
            // The next token is handed over exactly as typed, and is then
            // examined as an option in its own turn.
            // The run succeeds when every file it names is edited.
            if (i + 1 >= tokens.size() || !EditUpdateInfNamedBy(tokens[i + 1])) {
                NoteFailure("-EDITINF");
            }
        } else if (upper == "-EDITINFEXTENSION") {
            // Accepted for old callers; no effect.
        } else if (IsHelpToken(upper)) {
            // The wizard runs on once it has been read.
            messages::Show(MessageKind::Information, HelpMessageText(), kApplicationTitle,
                           platform::mb::Ok);
        }
    }
}
