// Every message box of both programs goes through here, saying what kind it
// is: its caller knows whether it tells something, asks something or reports
// a failure. A run with a person at the screen shows it and records it with
// its answer; an unattended run shows nothing and decides it by its kind
// alone, never by its icon.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

enum class MessageKind {
    Information,  // read and confirmed: a notice, a warning of what was done
    Question,     // the answer decides what happens next
    Failure,      // something went wrong that a person must take note of
    Count
};

inline constexpr std::array<std::string_view, static_cast<std::size_t>(MessageKind::Count)>
    kMessageKindNames{"information", "question", "failure"};
static_assert(kMessageKindNames.size() == static_cast<std::size_t>(MessageKind::Count));

namespace messages {

// Shows the box (MessageBox style bits) and returns the answer; in an
// unattended run decides it instead. Either way the run's record gets it.
int Show(MessageKind kind, const std::string& text, const std::string& caption, int style);
// The shell's folder picker, a question answered with a folder; empty when
// cancelled. An unattended run has no one to pick: it ends there.
std::string PickFolder(const std::string& title, std::intptr_t ownerWindow, bool newStyle);

// How an unattended run decides a box: the answer a reader gives, and
// whether the run must end at it. Information is taken as read; a question
// that reaches a box is one no answer file answered, and a failure would
// have needed a person: both end the run.
struct Decision {
    int answer = 0;
    bool endsRun = false;
};
Decision DecideUnattended(MessageKind kind);

// From now on no box is shown. A box that ends the run calls `end` with the
// reason; `end` ends the program, or, where nothing follows, only records.
void BeginUnattended(std::function<void(const std::string& reason)> end);
bool Unattended();
// Boxes are shown again (tests, and the start of a fresh run).
void EndUnattended();

}  // namespace messages
