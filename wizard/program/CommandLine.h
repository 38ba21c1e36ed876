// The wizard's command-line options.
#pragma once

#include <string>

// Reads the program's command line: sets LocalUpdate and EditInfMode of the
// session, edits INF files for "-EDITINF" and shows the help message. The
// roll-out options (-LOG, -SAVEANSWERS, -ANSWERS, -SILENT) are read first;
// a silent run without its answers is refused with 1639 before anything
// else of the walk.
void ParseCommandLine();
// The same on a given argument text (everything after the program name).
void ParseCommandLine(const std::string& arguments);
std::string HelpMessageText();
