// A form with the controls a server copy drives, standing in for the page.
#pragma once

#include "ui/Form.h"
#include "wizard/pages/CopyProgress.h"

namespace testing_support {

class CopyTestPage : public ui::Form {
  public:
    CopyTestPage() : Form("Setup auf Server kopieren", 8400, 5640) {}

    // The page's progress display, as the server copy page makes it.
    CopyProgress Progress() { return CopyProgress(Controls()); }
    CopyPageControls Controls() {
        return {ProgressBack, ProgressBar, ProgressTitle, txtServerPath, btnNext,
                btnBack,      btnBrowse,   btnHelp,       optFromImage,  optCopyToServer};
    }

    // clang-format off
    ui::Control txtServerPath{*this, {ui::ControlKind::TextBox, "txtServerPath", "", 480, 2000, 6165, 315}};
    ui::Control ProgressTitle{*this, {ui::ControlKind::Label, "ProgressTitle", "", 480, 3300, 7200, 225, "", ui::flag::Hidden}};
    // The fill may become 6000 twips wide.
    ui::Control ProgressBack{*this, {ui::ControlKind::ProgressTrough, "ProgressBack", "", 480, 3600, 6120, 300, "", ui::flag::Hidden}};
    ui::Control ProgressBar{*this, {ui::ControlKind::ProgressFill, "ProgressBar", "", 540, 3660, 0, 180, "", ui::flag::Hidden}};
    ui::Control optFromImage{*this, {ui::ControlKind::Option, "optCopyCD", "Installation vom Image durchführen", 480, 1400, 4000, 255}};
    ui::Control optCopyToServer{*this, {ui::ControlKind::Option, "optCopyCD", "Installationsprozedur kopieren nach:", 480, 1700, 4000, 255, "", ui::flag::Checked}};
    ui::Control btnBrowse{*this, {ui::ControlKind::Button, "btnBrowse", "Durchsuchen...", 6720, 2000, 1200, 315}};
    ui::Control btnBack{*this, {ui::ControlKind::Button, "btnBack", "< &Zurück", 2640, 5130, 1200, 360}};
    ui::Control btnNext{*this, {ui::ControlKind::Button, "btnNext", "&Weiter >", 3840, 5130, 1200, 360, "", ui::flag::Default}};
    ui::Control btnCancel{*this, {ui::ControlKind::Button, "btnCancel", "Abbrechen", 5280, 5130, 1200, 360, "", ui::flag::Cancel}};
    ui::Control btnHelp{*this, {ui::ControlKind::Button, "btnHelp", "Hilfe", 6600, 5130, 1200, 360}};
    // clang-format on
};

}  // namespace testing_support
