// A server copy that is still being made, or that ended before it was
// complete, carries a mark in its folder until its last step removes it.
// Copies made before the mark existed carry none and count as complete.
// Everything that takes a server copy as the setup to install from asks here
// first.
#pragma once

#include <string>

namespace server_copy {

// The mark: a plain file, so that an older wizard copying into the folder
// deletes it with the other old files and leaves a complete copy unmarked.
inline constexpr const char* kIncompleteMark = "Kopie_unvollstaendig.txt";
// The folder inside the target where a new copy is made while the folder
// still holds an earlier complete one.
inline constexpr const char* kNewCopyFolder = "~Kopie";

// True when the folder carries the mark.
bool IsIncomplete(const std::string& folder);
// Sets the mark; 0, or the Win32 code of the failure.
unsigned long MarkIncomplete(const std::string& folder);
// Removes the mark, the very last step of a copy; 0, or the Win32 code.
unsigned long MarkComplete(const std::string& folder);
// True for the file name of the mark, in any case.
bool IsMarkName(const std::string& name);
// What the user is told when the setup would go on from, or start in, an
// incomplete copy in `folder`.
std::string IncompleteMessage(const std::string& folder);

}  // namespace server_copy
