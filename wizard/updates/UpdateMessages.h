// Messages of the internet update assistant.
#pragma once

#include <string>

inline constexpr const char* kUpdateCaption = "ZEVRIN Internet-Assistent Tolvane";
inline constexpr const char* kUpdateFailedText =
    "Beim verarbeiten des Updates sind Fehler aufgetreten! Verarbeitung wird beendet.";

// "number  description" in an OK box without icon, as every update
// operation reports its own errors.
void ReportUpdateError(long number, const std::string& description);
// The same followed by CR LF and the "processing ends" sentence.
void ReportUpdateAbort(long number, const std::string& description);
// ReportUpdateError for a write of an INF file the platform refused, by its
// last error; false, for the operation to return.
bool ReportRefusedWrite();
