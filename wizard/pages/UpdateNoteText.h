// The update note as the Update note page shows it, read from the image's
// text file in the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

// Lines end at CR or CR LF and are joined with CR LF; empty lines before the
// first line of text are left out.
std::string UpdateNoteText(std::string_view bytes);
// Where the note lies: the image's WSROOT, or the root of a workstation copy.
std::string UpdateNotePath(const std::string& setupRoot, bool workstationSetup);
// The note from that file; what could be read (nothing when it is missing).
std::string ReadUpdateNote(const std::string& path);
