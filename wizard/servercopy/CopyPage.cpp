#include "wizard/servercopy/CopyPage.h"

#include <cmath>

namespace {

// The fill keeps this margin (twips) inside the trough.
constexpr int kTroughMargin = 120;

void EnableButtons(const CopyPageControls& page, bool enabled) {
    for (ui::Control* button : {&page.btnNext, &page.btnBack, &page.btnBrowse, &page.btnHelp}) {
        button->SetEnabled(enabled);
    }
}

}  // namespace

CopyProgress::CopyProgress(const CopyPageControls& page)
    : page_(page), widest_(page.ProgressBack.Width() - kTroughMargin) {
    EnableButtons(page_, false);
    // Away from the disabled button, so the keyboard still reaches Cancel.
    page_.txtServerPath.SetFocus();
    page_.ProgressBack.SetVisible(true);
    page_.ProgressBar.SetWidth(0);
    page_.ProgressBar.SetVisible(true);
    page_.ProgressTitle.SetVisible(true);
}

void CopyProgress::ShowFile(const std::string& name, std::size_t number, std::size_t count) {
    SetTitle("Kopiere '" + name + "' ...");
    const int width = static_cast<int>(std::floor(
        static_cast<double>(widest_) / static_cast<double>(count) * static_cast<double>(number)));
    // Drawn again only when it changes.
    if (width != page_.ProgressBar.Width()) page_.ProgressBar.SetWidth(width);
}

void CopyProgress::Restore() {
    page_.ProgressBack.SetVisible(false);
    page_.ProgressBar.SetWidth(0);
    page_.ProgressBar.SetVisible(false);
    page_.ProgressTitle.SetVisible(false);
    EnableButtons(page_, true);
}
