#include "shared/Messages.h"

#include <utility>

#include "platform/Platform.h"
#include "shared/RunLog.h"

namespace messages {
namespace {

std::function<void(const std::string&)> endUnattendedRun;

std::string KindName(MessageKind kind) {
    return std::string(kMessageKindNames.at(static_cast<std::size_t>(kind)));
}

}  // namespace

Decision DecideUnattended(MessageKind kind) {
    switch (kind) {
        case MessageKind::Information:
            return {platform::answer::Ok, false};
        case MessageKind::Question:
            return {platform::answer::Failed, true};
        case MessageKind::Failure:
        case MessageKind::Count:
            break;
    }
    return {platform::answer::Ok, true};
}

int Show(MessageKind kind, const std::string& text, const std::string& caption, int style) {
    run_log::Write("message", {{"kind", KindName(kind)},
                               {"caption", caption},
                               {"text", text},
                               {"style", std::to_string(style)}});
    if (!Unattended()) {
        const int answer = platform::Current().ShowMessage(text, caption, style);
        run_log::Write("message-answer", {{"answer", std::to_string(answer)}});
        return answer;
    }
    const Decision decision = DecideUnattended(kind);
    run_log::Write("message-decided",
                   {{"answer", std::to_string(decision.answer)},
                    {"decision", decision.endsRun ? "ends-run" : "taken-as-read"}});
    if (decision.endsRun) {
        endUnattendedRun(kind == MessageKind::Question ? "a question no answer file answers"
                                                       : "a failure a person must take note of");
    }
    return decision.answer;
}

std::string PickFolder(const std::string& title, std::intptr_t ownerWindow, bool newStyle) {
    if (!Unattended()) return platform::Current().BrowseForFolder(title, ownerWindow, newStyle);
    run_log::Write("folder-picker", {{"title", title}, {"decision", "ends-run"}});
    endUnattendedRun("a folder no answer file chooses");
    return {};
}

void BeginUnattended(std::function<void(const std::string& reason)> end) {
    endUnattendedRun = std::move(end);
}

bool Unattended() { return static_cast<bool>(endUnattendedRun); }

void EndUnattended() { endUnattendedRun = nullptr; }

}  // namespace messages
