// The boxed warnings both programs show when they end or restart one of the
// suite's background components: fixed lines, each ended by CR LF, in an
// OK box with the exclamation icon under the title "A C H T U N G".
#pragma once

#include <initializer_list>
#include <string>

inline constexpr const char* kWarningTitle = "A C H T U N G";

// Every line followed by CR LF, the last one too.
std::string JoinWarningLines(std::initializer_list<const char*> lines);
// Shows the text modally and returns when the user confirmed it.
void ShowBoxedWarning(const std::string& text);
