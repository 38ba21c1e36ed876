// The answer file of a roll-out: the choices of one run, recorded page by
// page (-SAVEANSWERS) and replayed on further machines (-ANSWERS). An INI
// file, one section per page named after it, written in UTF-16 (a file in
// the system's code page, as earlier versions wrote it, replays too); a page is
// answered when its section says Next=1. Questions asked on a page keep
// their answers ("Ja" or "Nein") as keys of its section. Without either
// option nothing here reads or writes anything.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace answers {

using Choices = std::vector<std::pair<std::string, std::string>>;

// Start of a run: the files made full paths (the current folder changes on
// the way), a recording started afresh, a missing answer file noted.
void BeginRun();

bool Recording();
// True until the replay stops; false for a run without an answer file.
bool Replaying();
// Ends the replay for good and records why; the page is left to the user,
// and a silent run, which has none, ends there.
void StopReplay(const std::string& page, const std::string& reason);

// Recording: a page shown starts its section afresh; each Next on it
// writes its choices and Next=1 afresh, with the answers given on the page
// before that Next but none of an earlier Next that kept the page; the
// answer to a question is written as it is given.
void ForgetPage(const std::string& page);
void RecordPage(const std::string& page, const Choices& choices);
// The Next that RecordPage began has run (and kept the page, if it is
// still there).
void NextEnded(const std::string& page);
void RecordAnswer(const std::string& page, const std::string& key, const std::string& value);

// Replaying: the value of a key of a page's section; nullopt when missing.
std::optional<std::string> Value(const std::string& page, const std::string& key);
bool PageAnswered(const std::string& page);

// A question of a page (its `text`, for the record). While replaying, the
// file's answer is taken without showing it; a question the file does not
// answer stops the replay and is asked. The answer given is recorded.
int AnsweredQuestion(const std::string& page, const std::string& key, const std::string& text,
                     const std::function<int()>& ask);

// The folder the next folder picker returns without showing itself: the
// replay chooses a folder through the very handler the user's Browse runs.
void AnswerFolderPicker(std::optional<std::string> folder);
std::optional<std::string> TakeFolderPickerAnswer();

// "Ja" and "Nein" for the answers Yes and No; empty for any other.
std::string AnswerText(int answer);
std::optional<int> AnswerOf(const std::string& text);

}  // namespace answers
