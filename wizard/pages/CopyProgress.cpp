#include "wizard/pages/CopyProgress.h"

#include <cmath>

#include "platform/Platform.h"

namespace {

// The fill keeps this margin (twips) inside the trough.
constexpr int kTroughMargin = 120;
// Ten pictures a second keep the bar moving smoothly enough; each costs the
// copy a drawing of the page, a round trip to the display under Wine.
constexpr std::uint64_t kShowIntervalMilliseconds = 100;

// Everything but Cancel (and F1, which opens the help) waits for the copy.
void EnablePageActions(const CopyPageControls& page, bool enabled) {
    for (ui::Control* control : {&page.btnNext, &page.btnBack, &page.btnBrowse, &page.btnHelp,
                                 &page.optFromImage, &page.optCopyToServer}) {
        control->SetEnabled(enabled);
    }
}

}  // namespace

CopyProgress::CopyProgress(const CopyPageControls& page)
    : page_(page), widest_(page.ProgressBack.Width() - kTroughMargin) {}

void CopyProgress::Begin() {
    EnablePageActions(page_, false);
    // Away from the disabled button, so the keyboard still reaches Cancel.
    page_.txtServerPath.SetFocus();
    page_.ProgressBack.SetVisible(true);
    page_.ProgressBar.SetWidth(0);
    page_.ProgressBar.SetVisible(true);
    page_.ProgressTitle.SetVisible(true);
}

void CopyProgress::ShowFile(const std::string& name, std::size_t number, std::size_t count) {
    const double width = std::floor(static_cast<double>(widest_) / static_cast<double>(count) *
                                    static_cast<double>(number));
    pending_ = State{"Kopiere '" + name + "' ...", static_cast<int>(width)};
    const std::uint64_t now = platform::Current().TickMilliseconds();
    if (!lastShown_ || now - *lastShown_ >= kShowIntervalMilliseconds) Refresh();
}

void CopyProgress::Refresh() {
    if (!pending_) return;
    SetTitle(std::move(pending_->title));
    // Drawn again only when it changes.
    if (pending_->width != page_.ProgressBar.Width()) page_.ProgressBar.SetWidth(pending_->width);
    pending_.reset();
    lastShown_ = platform::Current().TickMilliseconds();
}

void CopyProgress::End() {
    page_.ProgressBack.SetVisible(false);
    page_.ProgressBar.SetWidth(0);
    page_.ProgressBar.SetVisible(false);
    page_.ProgressTitle.SetVisible(false);
    EnablePageActions(page_, true);
}
