// The warning boxes as the user must see them, line by line, written out with
// the umlauts in UTF-8, and a splitter for a recorded text.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

using Lines = std::vector<std::string>;

// The lines of a text in which every line is ended by CR LF. A text whose
// last line lacks CR LF gets a trailing "<no CR LF>" entry so that it fails.
inline Lines SplitCrLfLines(const std::string& text) {
    Lines lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start != text.size()) lines.push_back("<no CR LF>" + text.substr(start));
    return lines;
}

// Backup service stopped by the wizard.
inline const Lines kMessageA = {
    "",
    "   Der    D A T E N S I C H E R U N G S D I E N S T    läuft noch.",
    "",
    "",
    "   Um das Setup fortzusetzen wird der Datensicherungsdienst   ",
    "   jetzt beendet.",
    "",
    "",
    "   A C H T U N G    W I C H T I G !!!  ",
    "",
    "   - Starten Sie nach dem Setup Ihren Computer neu !",
    "",
    "   - Starten Sie das ZEVRIN Datensicherungsprogramm und ",
    "     und prüfen Sie die korrekte Funktion der Datensicherung !",
    "",
    "",
};

// Exchange synchronisation stopped by the wizard.
inline const Lines kMessageB = {
    "",
    "   Die    E X C H A N G E  S Y N C H R O N I S I E R U N G    läuft noch.",
    "",
    "",
    "   Um das Setup fortzusetzen wird der Synchronisationsdienst   ",
    "   jetzt beendet.",
    "",
    "",
    "   A C H T U N G    W I C H T I G !!!  ",
    "",
    "   - Starten Sie nach dem Setup Ihren Computer neu !",
    "",
    "   - Starten Sie die ZEVRIN Exchange-Synchronisierung und ",
    "     und prüfen Sie die korrekte Funktion!",
    "",
    "",
};

// Emergency-order monitor ended by the wizard.
inline const Lines kMessageC = {
    "",
    "                                       Die",
    "",
    "   N O T F A L L A U F T R A G S Ü B E R W A C H U N G",
    "",
    "                                 läuft noch.",
    "",
    "",
    "            Um das Setup fortzusetzen wird die ",
    "                  Notfallauftragsüberwachung   ",
    "                              jetzt beendet.",
    "",
    "",
    "   A C H T U N G    W I C H T I G !!!  ",
    "",
    "   - Starten Sie nach dem Setup Ihren Computer neu !",
    "",
    "   - Starten Sie die ZEVRIN Notfallauftragsüberwachung und ",
    "     und prüfen Sie die korrekte Funktion!",
    "",
    "",
};

// Backup service started again by the post-setup program.
inline const Lines kMessageD = {
    "",
    "   Der    D A T E N S I C H E R U N G S D I E N S T    wird          ",
    "",
    "                      wieder gestartet!   ",
    "",
    "",
    "",
    "A C H T U N G    W I C H T I G !!!  ",
    "",
    "Starten Sie das ZEVRIN Datensicherungsprogramm und ",
    "und prüfen Sie die korrekte Funktion der Datensicherung !",
    "",
    "",
};

// Exchange synchronisation started again.
inline const Lines kMessageE = {
    "",
    "   Der    E X C H A N G E  S Y N C H R O N I S I E R U N G    wird          ",
    "",
    "                      wieder gestartet!   ",
    "",
    "",
    "",
    "A C H T U N G    W I C H T I G !!!  ",
    "",
    "Starten Sie die ZEVRIN Exchange-Synchronisierung und ",
    "und prüfen Sie die korrekte Funktion!",
    "",
    "",
};

// Emergency-order monitor started again.
inline const Lines kMessageF = {
    "",
    "                                       Die",
    "",
    "   N O T F A L L A U F T R A G S Ü B E R W A C H U N G",
    "",
    "                        wird wieder gestartet.",
    "",
    "",
    "A C H T U N G    W I C H T I G !!!  ",
    "",
    "Starten Sie die ZEVRIN Notfallauftragsüberwachung ",
    "und prüfen Sie die korrekte Funktion!",
    "",
    "",
};

}  // namespace testing_support
