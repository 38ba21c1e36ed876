// The wizard's command-line options.
#pragma once

#include <string>

// Reads the program's command line: sets LocalUpdate and EditInfMode of the
// session, edits INF files for "-EDITINF" and shows the help message.
void ParseCommandLine();
// The same on a given argument text (everything after the program name).
void ParseCommandLine(const std::string& arguments);
std::string HelpMessageText();
