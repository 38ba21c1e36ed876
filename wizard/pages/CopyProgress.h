// The controls of the server copy page that a copy run drives, and what it
// shows on them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/Control.h"
#include "wizard/servercopy/CopyDisplay.h"

struct CopyPageControls {
    ui::Control& ProgressBack;   // the trough of the progress bar
    ui::Control& ProgressBar;    // the fill inside it
    ui::Control& ProgressTitle;  // the line above it
    ui::Control& txtServerPath;
    ui::Control& btnNext;
    ui::Control& btnBack;
    ui::Control& btnBrowse;
    ui::Control& btnHelp;
    // The choice between installing from the image and copying: a click on
    // it under a running copy would change the folder the copy goes to.
    ui::Control& optFromImage;
    ui::Control& optCopyToServer;
};

// The page for the duration of a run: only Cancel can act, the progress
// display is shown.
class CopyProgress : public CopyDisplay {
  public:
    explicit CopyProgress(const CopyPageControls& page);

    // Disables Next, Back, Browse, Help and the options and shows an empty
    // progress bar.
    void Begin() override;
    void SetTitle(std::string title) override { page_.ProgressTitle.SetCaption(std::move(title)); }
    // Drawing the page costs more than copying a small file, so the page
    // shows the newest state at most every tenth of a second, and
    // Refresh shows it at once.
    void ShowFile(const std::string& name, std::size_t number, std::size_t count) override;
    void Refresh() override;
    void AllowNextOnly() override { page_.btnNext.SetEnabled(true); }
    // Hides the progress display and enables the buttons and options again.
    void End() override;

  private:
    struct State {
        std::string title;
        int width = 0;  // twips
    };

    CopyPageControls page_;
    int widest_ = 0;  // twips
    std::optional<State> pending_;
    std::optional<std::uint64_t> lastShown_;  // platform ticks
};
