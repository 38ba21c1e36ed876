// The Installation type page as designed: the install type and the machine
// role as option groups in frames, one above the other.
#pragma once

#include "wizard/pages/PageTemplate.h"

namespace install_layout {

using namespace page_template;

inline constexpr int kFirstColumn = kBodyLeft + 240;
inline constexpr int kSecondColumn = 3720;
inline constexpr int kFirstColumnWidth = kSecondColumn - kFirstColumn - 120;
inline constexpr int kSecondColumnWidth = kClientWidth - kMargin - 240 - kSecondColumn;
inline constexpr int kOptionHeight = 270;

constexpr ui::ControlRow Option(const char* group, const char* caption, const char* tooltip,
                                int left, int top) {
    const int width = left == kFirstColumn ? kFirstColumnWidth : kSecondColumnWidth;
    return {ControlKind::Option, group, caption, left, top, width, kOptionHeight, tooltip};
}

// Control rows are laid out as a table.
// clang-format off
inline constexpr ui::ControlRow kTitel1 = Heading("Titel1", "Neuinstallation oder Aktualisierung?");
inline constexpr ui::ControlRow kTitel2 = SubHeading("Titel2", "Auswahl der Installationsvarianten");
inline constexpr ui::ControlRow kBody1{
    ControlKind::Label, "Body1",
    "Bitte geben Sie an, ob Sie eine bestehende Version von Zevrin Tolvane aktualisieren oder "
    "eine Neuinstallation durchführen möchten und wo die Installation durchgeführt wird.",
    kBodyLeft, kBodyTop, kBodyWidth, 3 * kLineHeight, "", ui::flag::MultiLine};
inline constexpr ui::ControlRow kFrame1{ControlKind::Frame, "Frame1", "", kBodyLeft, 1995,
                                        kBodyWidth, 570};
inline constexpr ui::ControlRow kNeuinstallation =
    Option("InstallType", "Neuinstallation", "Wählen Sie diese Option um eine Neuinstallation durchzuführen.",
           kFirstColumn, 2175);
inline constexpr ui::ControlRow kAktualisierung = Option(
    "InstallType", "Aktualisierung einer bestehenden Version",
    "Wählen Sie diese Option, um eine bestehende Version von ZEVRIN Tolvane zu aktualisieren.",
    kSecondColumn, 2175);
inline constexpr ui::ControlRow kLabel2{ControlKind::Label, "Label2", "Ich befinde mich an einem",
                                        kBodyLeft, 2670, kBodyWidth, kLineHeight};
inline constexpr ui::ControlRow kFrame2{ControlKind::Frame, "Frame2", "", kBodyLeft, 2880,
                                        kBodyWidth, 870};
inline constexpr ui::ControlRow kEinzelplatz = Option(
    "MachineType", "Einzelplatz-PC", "Wählen Sie diese Option, wenn Sie sich an einem Einzelplatz-PC befinden.",
    kFirstColumn, 3060);
inline constexpr ui::ControlRow kArbeitsplatz = Option(
    "MachineType", "Netzwerk-Arbeitsplatz",
    "Wählen Sie diese Option, wenn Sie sich an einem Netzwerk-Arbeitsplatz (ohne eigener lokale "
    "Datenbank) befinden.",
    kSecondColumn, 3060);
inline constexpr ui::ControlRow kDatenbankServer = Option(
    "MachineType", "Datenbank-Server", "Wählen Sie diese Option, wenn Sie sich am Datenbank-Server befinden.",
    kFirstColumn, 3375);
inline constexpr ui::ControlRow kTerminalServer = Option(
    "MachineType", "Terminal-Server",
    "Wählen Sie diese Option, um die Installation auf einem Terminal-Server durchzuführen.",
    kSecondColumn, 3375);
inline constexpr ui::ControlRow kReInstall{
    ControlKind::CheckBox, "ReInstallServiceReleaseChecked",
    "Bereits vorhandenes Service Release erneut installieren.", kBodyLeft, 3885, kBodyWidth,
    kOptionHeight, "", ui::flag::Hidden};
inline constexpr ui::ControlRow kLabel1 = page_template::ContinueHint(4335);
// clang-format on

}  // namespace install_layout
