#include "wizard/pages/FrmHinweis.h"

#include <memory>

#include "platform/Platform.h"
#include "wizard/base/StartPrograms.h"

namespace {

constexpr int kClientWidth = 6480;
constexpr int kClientHeight = 1200;
constexpr ui::ControlRow kLabel1{ui::ControlKind::Label, "Label1", "", 360, 480, 5760, 255};

}  // namespace

FrmHinweis::FrmHinweis()
    : ui::Form("Systemaktualisierung", kClientWidth, kClientHeight),
      Label1(*this, kLabel1),
      Timer1(*this) {
    HideCloseBox();
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void FrmHinweis::OnLoad() {
    // Shown in the middle of the screen, as designed.
    const platform::gui::Rect screen = platform::Current().ScreenRect();
    Move((screen.width - Width()) / 2, (screen.height - Height()) / 2);
    Timer1.SetInterval(500);
    if (Hinweistext.empty())
        Hinweistext = "Systemvoraussetzungen werden installiert! Bitte warten ";
    if (DialogCaption.empty()) DialogCaption = "Systemaktualisierung";
    SetCaption(DialogCaption);
    Label1.SetCaption(Hinweistext);
    dotCounter_ = 0;
    Timer1.SetEnabled(true);
}

void FrmHinweis::Timer1_Timer() {
    if (dotCounter_ == 5) dotCounter_ = 0;
    // One to five dots, one more each tick.
    Label1.SetCaption(Hinweistext + std::string(static_cast<std::size_t>(dotCounter_) + 1, '.'));
    ++dotCounter_;
}

void FrmHinweis::OnUnload() {
    Timer1.SetInterval(0);
    Timer1.SetEnabled(false);
}

FrmHinweisNotice::~FrmHinweisNotice() { Unload(); }

void FrmHinweisNotice::Prepare() {
    if (form_ != nullptr || ui::FindPrepared<FrmHinweis>() != nullptr) return;
    ui::Prepare(std::make_unique<FrmHinweis>());
    WhileSetupTypeProgramRuns(ui::MakeWindowsAhead);
}

void FrmHinweisNotice::Show() {
    if (form_ != nullptr) return;
    if (FrmHinweis* prepared = ui::FindPrepared<FrmHinweis>()) {
        prepared->Show();
        form_ = prepared;
        return;
    }
    form_ = &ui::ShowModeless(std::make_unique<FrmHinweis>());
}

void FrmHinweisNotice::Unload() {
    // A notice prepared but never shown (an update needs no runtimes) goes too.
    if (FrmHinweis* prepared = ui::FindPrepared<FrmHinweis>()) ui::Discard(*prepared);
    if (form_ == nullptr) return;
    form_->Unload();
    form_ = nullptr;
}
