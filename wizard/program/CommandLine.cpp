#include "wizard/program/CommandLine.h"

#include <vector>

#include "platform/Platform.h"
#include "shared/Text.h"
#include "wizard/base/ProgramRole.h"
#include "wizard/base/SetupSession.h"
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

}  // namespace

std::string HelpMessageText() {
    return "Unterstützt wird: \r\n\r\n"
           "  -LOCALUPDATE\r\n"
           "  -EDITINF\r\n"
           "  -EDITINFEXTENSION (obsolete)";
}

void ParseCommandLine() { ParseCommandLine(platform::Current().CommandLineArguments()); }

void ParseCommandLine(const std::string& arguments) {
    SetupSession& session = Session();
    const std::vector<std::string> tokens = SplitAtSpaces(arguments);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const std::string upper = text::Upper(tokens[i]);
        if (upper == "-LOCALUPDATE") {
            if (CurrentRole() == ProgramRole::InternetUpdate) session.LocalUpdate = true;
        } else if (upper == "-EDITINF") {
            session.EditInfMode = true;
            // The next token is handed over exactly as typed, and is then
            // examined as an option in its own turn.
            if (i + 1 < tokens.size()) EditUpdateInfNamedBy(tokens[i + 1]);
        } else if (upper == "-EDITINFEXTENSION") {
            // Accepted for old callers; no effect.
        } else if (IsHelpToken(upper)) {
            platform::Current().ShowMessage(HelpMessageText(), kApplicationTitle,
                                            platform::mb::Ok);
        }
    }
}
